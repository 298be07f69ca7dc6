// Drives the file writer the way the capture threads do, from synthetic pictures and
// tones on a capture clock of 100 ns units.
#pragma once

#include <atomic>
#include <initializer_list>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "engine/writer.h"
#include "tests/support/test_support.h"

constexpr AVRational kCaptureTimeBase{1, 10000000};
constexpr int64_t kCaptureStart = 5000000000LL;  // the capture clock's time at the first packet
constexpr int kPictureWidth = 176, kPictureHeight = 144;
constexpr RECT kCrop{8, 8, 168, 128};  // 160 x 120

int64_t CaptureTicks(double seconds);

// A YUV420P picture with a pattern that moves with index.
AVFrame* MakePicture(int width, int height, int index);
// `samples` samples of a sine of amplitude amp (full scale 1) starting at sample
// `first`, the same in every channel; amp 0 with hz 0 and dc set gives a constant.
AVFrame* MakeTone(int rate, int channels, AVSampleFormat fmt, int samples, int64_t first, double hz, double amp);

// An input context with one stream in the capture time base, as paToL expects.
class FakeInput {
public:
    FakeInput();
    ~FakeInput();
    const AVFormatContext* get() const { return ctx_; }

private:
    AVFormatContext* ctx_;
};

class RecordingOwner : public osRecord {
public:
    void OnFrame(AVStream*, AVFrame*) override {}
    void OnVideoSize(int32_t, int32_t) override {}
    void OnVideoOpened() override {}
    void OnBytesWritten(int64_t bytes) override { written += bytes; }
    void OnFileFinished(std::wstring path) override { finished.push_back(path); }
    int64_t written = 0;
    std::vector<std::wstring> finished;
};

struct SoundFeed {
    int32_t type;  // kSourceSystemSound or kSourceMicrophone
    int rate;
    int channels;
    AVSampleFormat format = AV_SAMPLE_FMT_S16;
    double hz = 1000;
    double amp = 0.25;
    int frameSamples = 0;  // 0: 10 ms
    double offset = 0;     // seconds after the capture start
    // Capture seconds from which it delivers nothing (none when negative), and from
    // which it delivers again (never when negative).
    double until = -1, resume = -1;
    // The device's sample clock against the capture clock: at 0.9 it delivers a tenth
    // fewer samples than its timestamps span (it runs slow).
    double clock = 1;
};

struct WriterSetup {
    std::wstring name;
    AVCodecID audioCodec = AV_CODEC_ID_AAC;
    bool video = true;
    bool split = false;
    RECT crop = kCrop;
    std::vector<SoundFeed> sounds;
};

// Sets the writer up as the controller and the capture threads' init do and calls Init;
// *opened tells its result. The writer is set recording.
std::unique_ptr<CSaveVideoFileThread> OpenWriter(const WriterSetup& setup, osRecord* owner, bool* opened);

struct CaptureScript {
    bool video = true;
    int fps = 25;
    std::vector<SoundFeed> sounds;
    double seconds = 1;
    double pauseFrom = -1, pauseTo = -1;  // capture seconds; none when negative
    double from = 0;                      // capture seconds fed before this are left out
};

// Feeds pictures and sound frames in capture-time order through the capture sources'
// packet rules (drop test, first packet, pause). Returns the number of pictures handed over.
int RunCapture(CSaveVideoFileThread& writer, const CaptureScript& script);

// Opens a writer for setup, feeds `seconds` of its sources (and pictures when it records
// video), with a pause between the two capture times when given, and finishes the file.
// The number of pictures written; -1 when the file did not open.
int RecordFile(const WriterSetup& setup, osRecord* owner, double seconds, double pauseFrom = -1, double pauseTo = -1);

// The program's log written into a file of the test's own while it lives.
class LogCapture {
public:
    explicit LogCapture(const std::wstring& path);
    ~LogCapture();
    // How many lines written so far contain every one of the texts.
    int CountLines(std::initializer_list<const char*> texts) const;

private:
    std::wstring path_;
};

// FFmpeg's warnings and errors while a test runs.
class FfmpegWarnings {
public:
    FfmpegWarnings();
    ~FfmpegWarnings();
    std::vector<std::string> Take();
};

// Settings saved for the test with the output folder set; the current folder becomes
// `folder` (where "videolist.txt" is written) until destruction. The recording globals
// start as the program starts them, but in region mode, and are reset again at the end.
class TestSettings {
public:
    explicit TestSettings(const std::wstring& folder);
    ~TestSettings();
    void Save(const SettingRecord& record);
    SettingRecord record;

private:
    std::wstring previousFolder_;
};

// The file layer's faults for the time of a test: files whose path contains a text
// fail to be made, or fail to be written from a byte on, or have their writes held
// until released (as a slow disk would hold them).
class FileFaults : public RecordFileFaults {
public:
    FileFaults();
    ~FileFaults() override;
    FileFaults(const FileFaults&) = delete;
    FileFaults& operator=(const FileFaults&) = delete;

    void FailOpen(const std::wstring& pathPart, DWORD error);
    // Writes reaching past byte `from` fail with error.
    void FailWrites(const std::wstring& pathPart, int64_t from, DWORD error);
    void HoldWrites(const std::wstring& pathPart);
    void Release();
    bool Holding() const { return m_holding; }  // a write waits in HoldWrites now
    void Clear();

    DWORD OpenError(const std::wstring& path) override;
    DWORD WriteError(const std::wstring& path, int64_t offset, int size) override;

private:
    std::mutex m_lock;
    std::wstring m_openPart, m_writePart, m_holdPart;
    DWORD m_openError = ERROR_SUCCESS, m_writeError = ERROR_SUCCESS;
    int64_t m_writeFrom = 0;
    HANDLE m_released;
    std::atomic<bool> m_holding{false};
};
