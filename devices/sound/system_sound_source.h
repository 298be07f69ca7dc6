// The source behind "virtual-audio-capturer": what the machine plays, as
// 16-bit stereo PCM at the audio engine's rate. Spans with nothing to capture
// (no endpoint, a lost endpoint, a loopback that is quiet because nothing
// plays) are delivered as silence at that rate, so the stream's timing holds.
#pragma once

#include "devices/dshow/pcm_source.h"
#include "devices/sound/played_sound.h"

#include <memory>
#include <vector>

class CSystemSoundSource final : public CPcmSource {
public:
    using Opener = std::unique_ptr<CPlayedSound> (*)();
    static std::unique_ptr<CaptureSource> Create();
    // `open` finds what plays, now and again after the endpoint is lost.
    CSystemSoundSource(Opener open, std::unique_ptr<CPlayedSound> played, int rate);

    void Stream(SampleSink& sink) override;

    // The rate delivered when the machine has no sound endpoint at all.
    static constexpr int kSilentRate = 44100;
    // How long the engine may stay quiet before the span counts as silence,
    // and how far a packet's own time may stray before the time line follows it.
    static constexpr REFERENCE_TIME kQuietLag = 2000000;       // 200 ms
    static constexpr REFERENCE_TIME kPlaceTolerance = 400000;  // 40 ms

private:
    bool DeliverCaptured(SampleSink& sink, PcmTimeline& timeline);
    bool DeliverPacket(SampleSink& sink, PcmTimeline& timeline, const CapturedPacket& packet,
                       REFERENCE_TIME clock_minus_qpc, REFERENCE_TIME now);
    void TryReopen(REFERENCE_TIME now);

    Opener open_;
    std::unique_ptr<CPlayedSound> played_;  // null: silence only
    REFERENCE_TIME next_reopen_ = 0;
    std::vector<int16_t> converted_;
};
