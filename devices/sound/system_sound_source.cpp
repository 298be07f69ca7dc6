#include "devices/sound/system_sound_source.h"

#include "devices/dshow/stream_thread.h"

#include <algorithm>
#include <new>

namespace {

const REFERENCE_TIME kReopenInterval = 30000000;  // 3 s between attempts at a lost endpoint

void Trace(const std::wstring& text) { OutputDebugStringW((L"virtual-audio-capturer: " + text + L"\n").c_str()); }

}  // namespace

std::unique_ptr<CaptureSource> CSystemSoundSource::Create() {
    std::unique_ptr<CPlayedSound> played = CPlayedSound::Open();
    int rate = kSilentRate;
    if (played) {
        rate = played->Format().rate;
        // Started now rather than at Run: the first packets of some engines
        // take most of a second.
        if (FAILED(played->Start())) played.reset();
    }
    Trace(played ? L"capturing " + played->Description() : L"no sound endpoint: delivering silence");
    return std::unique_ptr<CaptureSource>(new (std::nothrow)
                                              CSystemSoundSource(&CPlayedSound::Open, std::move(played), rate));
}

CSystemSoundSource::CSystemSoundSource(Opener open, std::unique_ptr<CPlayedSound> played, int rate)
    : CPcmSource(rate, 2), open_(open), played_(std::move(played)) {}

void CSystemSoundSource::Stream(SampleSink& sink) {
    PcmTimeline timeline{uint32_t(Rate())};
    timeline.Restart(std::max<REFERENCE_TIME>(sink.Now(), 1));
    REFERENCE_TIME wake = timeline.End();
    while (sink.WaitUntil(wake)) {
        if (played_ && !DeliverCaptured(sink, timeline)) return;
        REFERENCE_TIME now = sink.Now();
        if (!played_) TryReopen(now);
        uint64_t quiet = timeline.FramesUntil(now - kQuietLag);
        if (quiet && !DeliverSilence(sink, timeline, quiet)) return;
        wake = now + kBlockDuration;
    }
}

bool CSystemSoundSource::DeliverCaptured(SampleSink& sink, PcmTimeline& timeline) {
    // Packet times are on the performance counter; this maps them onto the stream clock.
    const REFERENCE_TIME now = sink.Now();
    const REFERENCE_TIME clock_minus_qpc = now - QpcNow100ns();
    for (;;) {
        CapturedPacket packet{};
        HRESULT hr = played_->NextPacket(packet);
        if (hr == S_FALSE) return true;
        if (FAILED(hr)) {
            Trace(L"the sound endpoint is gone: delivering silence");
            played_.reset();
            return true;
        }
        bool delivered = DeliverPacket(sink, timeline, packet, clock_minus_qpc, now);
        played_->ReleasePacket(packet.frames);
        if (!delivered) return false;
    }
}

bool CSystemSoundSource::DeliverPacket(SampleSink& sink, PcmTimeline& timeline, const CapturedPacket& packet,
                                       REFERENCE_TIME clock_minus_qpc, REFERENCE_TIME now) {
    bool timed = packet.qpc_position && !(packet.flags & AUDCLNT_BUFFERFLAGS_TIMESTAMP_ERROR);
    REFERENCE_TIME captured = timed ? REFERENCE_TIME(packet.qpc_position) + clock_minus_qpc : timeline.End();
    captured = std::min(captured, now);  // a time from the future is a broken one
    PcmTimeline::Placement place = timeline.Place(captured, packet.frames, kPlaceTolerance);
    if (place.silence_frames && !DeliverSilence(sink, timeline, place.silence_frames)) return false;
    uint64_t frames = packet.frames - place.skip_frames;
    if (frames == 0) return true;
    if (packet.flags & AUDCLNT_BUFFERFLAGS_SILENT) return DeliverSilence(sink, timeline, frames);
    const MixFormat& format = played_->Format();
    converted_.resize(size_t(frames) * 2);
    ConvertToStereo16(packet.data + place.skip_frames * uint64_t(format.block_align), uint32_t(frames), format,
                      converted_.data());
    return DeliverFrames(sink, timeline, converted_.data(), frames);
}

// A lost endpoint may come back, or another may take its place; only one at
// the same rate can continue this stream.
void CSystemSoundSource::TryReopen(REFERENCE_TIME now) {
    if (now < next_reopen_) return;
    next_reopen_ = now + kReopenInterval;
    std::unique_ptr<CPlayedSound> played = open_();
    if (!played || played->Format().rate != Rate() || FAILED(played->Start())) return;
    Trace(L"capturing " + played->Description());
    played_ = std::move(played);
}
