#include "tests/engine/writer_harness.h"

#include <algorithm>
#include <cmath>
#include <mutex>

#include "common/logger.h"
#include "common/text_convert.h"
#include "engine/capture_crop_scaler.h"
#include "engine/capture_packet_rules.h"
#include "tests/support/record_globals_reset.h"

int64_t CaptureTicks(double seconds) { return static_cast<int64_t>(std::llround(seconds * 1e7)); }

AVFrame* MakePicture(int width, int height, int index) {
    AVFrame* f = av_frame_alloc();
    f->format = AV_PIX_FMT_YUV420P;
    f->width = width;
    f->height = height;
    av_frame_get_buffer(f, 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            f->data[0][y * f->linesize[0] + x] = static_cast<uint8_t>(40 + (x + y / 4 + index) % 64 * 2);
    for (int p = 1; p < 3; ++p)
        for (int y = 0; y < height / 2; ++y)
            for (int x = 0; x < width / 2; ++x)
                f->data[p][y * f->linesize[p] + x] = static_cast<uint8_t>(128 + (p == 1 ? y : -y) % 64);
    return f;
}

AVFrame* MakeTone(int rate, int channels, AVSampleFormat fmt, int samples, int64_t first, double hz, double amp) {
    AVFrame* f = av_frame_alloc();
    f->format = fmt;
    f->sample_rate = rate;
    f->nb_samples = samples;
    av_channel_layout_default(&f->ch_layout, channels);
    av_frame_get_buffer(f, 0);
    const bool planar = av_sample_fmt_is_planar(fmt);
    for (int i = 0; i < samples; ++i) {
        const double v = hz > 0 ? amp * std::sin(2 * M_PI * hz * (first + i) / rate) : amp;
        for (int c = 0; c < channels; ++c) {
            const int at = planar ? i : i * channels + c;
            uint8_t* plane = f->extended_data[planar ? c : 0];
            switch (fmt) {
                case AV_SAMPLE_FMT_S16:
                case AV_SAMPLE_FMT_S16P:
                    reinterpret_cast<int16_t*>(plane)[at] = static_cast<int16_t>(std::lrint(v * 32767));
                    break;
                case AV_SAMPLE_FMT_S32:
                    reinterpret_cast<int32_t*>(plane)[at] = static_cast<int32_t>(std::llrint(v * 2147483647.0));
                    break;
                case AV_SAMPLE_FMT_FLT:
                case AV_SAMPLE_FMT_FLTP: reinterpret_cast<float*>(plane)[at] = static_cast<float>(v); break;
                default: break;
            }
        }
    }
    return f;
}

FakeInput::FakeInput() : ctx_(avformat_alloc_context()) {
    AVStream* st = avformat_new_stream(ctx_, nullptr);
    st->time_base = kCaptureTimeBase;
}

FakeInput::~FakeInput() { avformat_free_context(ctx_); }

std::unique_ptr<CSaveVideoFileThread> OpenWriter(const WriterSetup& setup, osRecord* owner, bool* opened) {
    auto writer = std::make_unique<CSaveVideoFileThread>(owner);
    writer->SetFrameRate(25);
    writer->SetSplit(setup.split);
    writer->SetOutputName(setup.name);
    writer->SetAudioCodecId(setup.audioCodec);
    writer->g_rRecord2 = setup.crop;
    const bool two = setup.sounds.size() == 2;
    bool sys = false, mic = false;
    for (const SoundFeed& s : setup.sounds) {
        AudioInputParams p;
        p.channels = s.channels;
        p.in_sample_rate = s.rate;
        p.out_sample_rate = two ? CSaveVideoFileThread::kMixSampleRate : s.rate;
        p.time_base_num = kCaptureTimeBase.num;
        p.time_base_den = kCaptureTimeBase.den;
        AVChannelLayout layout;
        av_channel_layout_default(&layout, s.channels);
        p.channel_layout = layout.u.mask;
        p.sample_fmt = s.format;
        writer->SetAudioChannels(s.channels);
        writer->SetAudioInput(s.type, p);
        writer->SetOtherSourceRecorded(s.type, two);
        writer->SetInputSampleRate(s.type, s.rate);
        (s.type == kSourceMicrophone ? mic : sys) = true;
    }
    *opened = writer->Init(setup.video, sys, mic);
    writer->SetRecordState(_RecordingState);
    return writer;
}

namespace {

struct Event {
    int64_t pts;
    int source;  // -1 video, else index into the script's sounds
    int64_t index;
};

std::vector<Event> Timeline(const CaptureScript& s) {
    std::vector<Event> events;
    if (s.video)
        for (int64_t i = 0; i < std::llround(s.seconds * s.fps); ++i)
            events.push_back({kCaptureStart + CaptureTicks(double(i) / s.fps), -1, i});
    for (size_t k = 0; k < s.sounds.size(); ++k) {
        const SoundFeed& f = s.sounds[k];
        const int n = f.frameSamples ? f.frameSamples : f.rate / 100;
        for (int64_t i = 0;; ++i) {
            const double at = f.offset + double(i) * n / (f.rate * f.clock);
            if (at >= s.seconds) break;
            if (f.until >= 0 && at >= f.until && (f.resume < 0 || at < f.resume)) continue;
            events.push_back({kCaptureStart + CaptureTicks(at), static_cast<int>(k), i});
        }
    }
    std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) {
        return a.pts != b.pts ? a.pts < b.pts : a.source < b.source;
    });
    return events;
}

}  // namespace

int RunCapture(CSaveVideoFileThread& w, const CaptureScript& s) {
    FakeInput input;
    bool sysUsed = false, micUsed = false;
    for (const SoundFeed& f : s.sounds) (f.type == kSourceMicrophone ? micUsed : sysUsed) = true;
    const int64_t pauseFrom = s.pauseFrom < 0 ? -1 : kCaptureStart + CaptureTicks(s.pauseFrom);
    const int64_t pauseTo = s.pauseTo < 0 ? -1 : kCaptureStart + CaptureTicks(s.pauseTo);
    CCropScaler scaler;  // the screen thread's, for the harness's pictures
    scaler.Init(kPictureWidth, kPictureHeight, AV_PIX_FMT_YUV420P, w.g_rRecord2);
    int pictures = 0;
    for (const Event& e : Timeline(s)) {
        if (e.pts < kCaptureStart + CaptureTicks(s.from)) continue;
        const int32_t type = e.source < 0 ? kSourceScreen : s.sounds[e.source].type;
        const bool paused = e.pts >= pauseFrom && e.pts < pauseTo;
        w.SetRecordState(paused ? _PauseState : _RecordingState);
        // The capture sources' own rules decide what reaches the writer.
        const CPacketRules rules(type, s.video, sysUsed, micUsed, "harness");
        if (rules.Drops(w, g_userSelMode)) {
            rules.OnDropped(w, e.pts);
            continue;
        }
        if (!rules.AlignFirstPacket(w, e.pts) || !rules.ResolvePause(w, e.pts)) continue;
        if (e.source < 0) {
            AVFrame* picture = MakePicture(kPictureWidth, kPictureHeight, static_cast<int>(e.index));
            if (w.HandlefFrame1(picture, scaler, w.RelativePts(e.pts), kCaptureTimeBase)) ++pictures;
            av_frame_free(&picture);
        } else {
            const SoundFeed& f = s.sounds[e.source];
            const int n = f.frameSamples ? f.frameSamples : f.rate / 100;
            AVFrame* frame = MakeTone(f.rate, f.channels, f.format, n, e.index * n, f.hz, f.amp);
            w.paToL(frame, e.pts, f.type, input.get(), 0);
            av_frame_free(&frame);
        }
    }
    return pictures;
}

int RecordFile(const WriterSetup& setup, osRecord* owner, double seconds, double pauseFrom, double pauseTo) {
    bool opened = false;
    auto writer = OpenWriter(setup, owner, &opened);
    if (!opened) return -1;
    CaptureScript script;
    script.video = setup.video;
    script.sounds = setup.sounds;
    script.seconds = seconds;
    script.pauseFrom = pauseFrom;
    script.pauseTo = pauseTo;
    const int pictures = RunCapture(*writer, script);
    writer->coPutFun();
    return pictures;
}

LogCapture::LogCapture(const std::wstring& path) : path_(path) { g_logger.Open(WideToUtf8(path).c_str()); }

LogCapture::~LogCapture() { g_logger.Close(); }

int LogCapture::CountLines(std::initializer_list<const char*> texts) const {
    int count = 0;
    for (const std::string& line : testing_support::SplitLines(testing_support::ReadFileBytes(path_))) {
        bool all = true;
        for (const char* text : texts) all = all && line.find(text) != std::string::npos;
        if (all) ++count;
    }
    return count;
}

namespace {
std::mutex g_warningLock;
std::vector<std::string> g_warnings;

void CollectWarnings(void* avcl, int level, const char* fmt, va_list args) {
    if (level > AV_LOG_WARNING) return;
    char line[1024];
    int prefix = 1;
    av_log_format_line(avcl, level, fmt, args, line, sizeof line, &prefix);
    std::lock_guard<std::mutex> guard(g_warningLock);
    g_warnings.push_back(line);
}
}  // namespace

FfmpegWarnings::FfmpegWarnings() {
    Take();
    av_log_set_callback(CollectWarnings);
}

FfmpegWarnings::~FfmpegWarnings() { av_log_set_callback(av_log_default_callback); }

std::vector<std::string> FfmpegWarnings::Take() {
    std::lock_guard<std::mutex> guard(g_warningLock);
    std::vector<std::string> out;
    out.swap(g_warnings);
    return out;
}

TestSettings::TestSettings(const std::wstring& folder) {
    testing_support::ResetRecordGlobals();
    wchar_t current[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, current);
    previousFolder_ = current;
    SetCurrentDirectoryW(folder.c_str());
    record.path = folder;
    Save(record);
    g_userSelMode = kSelModeRegion;
}

TestSettings::~TestSettings() {
    SetCurrentDirectoryW(previousFolder_.c_str());
    testing_support::ResetRecordGlobals();
}

void TestSettings::Save(const SettingRecord& r) {
    record = r;
    CSettingData::GetInstance()->Save(record);
}

FileFaults::FileFaults() : m_released(CreateEventW(nullptr, TRUE, FALSE, nullptr)) { SetRecordFileFaults(this); }

FileFaults::~FileFaults() {
    Release();
    SetRecordFileFaults(nullptr);
    CloseHandle(m_released);
}

void FileFaults::FailOpen(const std::wstring& pathPart, DWORD error) {
    std::lock_guard<std::mutex> lock(m_lock);
    m_openPart = pathPart;
    m_openError = error;
}

void FileFaults::FailWrites(const std::wstring& pathPart, int64_t from, DWORD error) {
    std::lock_guard<std::mutex> lock(m_lock);
    m_writePart = pathPart;
    m_writeFrom = from;
    m_writeError = error;
}

void FileFaults::HoldWrites(const std::wstring& pathPart) {
    std::lock_guard<std::mutex> lock(m_lock);
    ResetEvent(m_released);
    m_holdPart = pathPart;
}

void FileFaults::Release() {
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_holdPart.clear();
    }
    SetEvent(m_released);
}

void FileFaults::Clear() {
    Release();
    std::lock_guard<std::mutex> lock(m_lock);
    m_openPart.clear();
    m_writePart.clear();
}

DWORD FileFaults::OpenError(const std::wstring& path) {
    std::lock_guard<std::mutex> lock(m_lock);
    return !m_openPart.empty() && path.find(m_openPart) != std::wstring::npos ? m_openError : ERROR_SUCCESS;
}

DWORD FileFaults::WriteError(const std::wstring& path, int64_t offset, int size) {
    bool hold;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        if (!m_writePart.empty() && path.find(m_writePart) != std::wstring::npos && offset + size > m_writeFrom)
            return m_writeError;
        hold = !m_holdPart.empty() && path.find(m_holdPart) != std::wstring::npos;
    }
    if (hold) {
        m_holding = true;
        WaitForSingleObject(m_released, 60000);  // a bound for a test that fails: no test waits that long
        m_holding = false;
    }
    return ERROR_SUCCESS;
}
