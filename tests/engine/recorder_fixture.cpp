#include "tests/engine/recorder_fixture.h"

#include <algorithm>
#include <cmath>

#include "common/monitor_list.h"
#include "common/text_convert.h"
#include "tests/fixtures/fixture_devices.h"
#include "tests/support/record_globals_reset.h"

void RecorderTest::SetUp() {
    testing_support::ResetRecordGlobals();
    std::vector<MonitorInfo> monitors;
    ASSERT_TRUE(EnumMonitorList(monitors, desktop));
    folder = dir.path().substr(0, dir.path().size() - 1);
    settings = std::make_unique<TestSettings>(dir.path());
    UseSettings(L"MP4", false);
}

void RecorderTest::TearDown() {
    settings.reset();
    testing_support::ResetRecordGlobals();
}

void RecorderTest::UseSettings(const std::wstring& format, bool division) {
    SettingRecord record = settings->record;
    record.path = folder;
    record.VFormat = format;
    record.Division = division;
    settings->Save(record);
}

std::unique_ptr<CVistreler> RecorderTest::MakeRecorder() {
    auto recorder = std::make_unique<CVistreler>();
    recorder->SetWriterPath("");
    recorder->SetFrameRate(25);
    recorder->SetRecordRect(desktop.left, desktop.top, desktop.right, desktop.bottom);
    return recorder;
}

bool RecorderTest::Init(CVistreler& recorder, Sources s, const std::string& micName) {
    g_recordSources =
        (s.screen ? kSourceScreen : 0) | (s.sys ? kSourceSystemSound : 0) | (s.mic ? kSourceMicrophone : 0);
    g_userSelMode = s.screen ? kSelModeFullScreen : kSelModeSoundOnly;
    g_rcSnapwick = desktop;
    recorder.SetRecordRect(desktop.left, desktop.top, desktop.right, desktop.bottom);
    return recorder.init(kScreenDevice, s.screen, kSystemSoundDevice, s.sys,
                         micName.empty() ? fixture_devices::kToneDeviceName : micName, s.mic);
}

void RecorderTest::StartRecording(CVistreler& recorder, double seconds) {
    recorder.Start();
    Sleep(kCountdownMs);  // the sources read and drop what queued up since they opened
    g_recordeState = _RecordingState;
    recorder.SetRecordState(_RecordingState);
    Sleep(static_cast<DWORD>(seconds * 1000));
}

void RecorderTest::Record(CVistreler& recorder, double seconds) {
    g_recordeState = _RecordingState;
    recorder.SetRecordState(_RecordingState);
    Sleep(static_cast<DWORD>(seconds * 1000));
}

void RecorderTest::Stop(CVistreler& recorder) {
    g_recordeState = _StopState;
    recorder.SetRecordState(_StopState);
    recorder.StopRecord();
    recorder.WaitForFinishedFiles();  // made ordinary and listed
}

std::vector<std::string> RecorderTest::VideoList() const {
    return testing_support::SplitLines(testing_support::ReadFileBytes(dir.File(L"videolist.txt")));
}

std::vector<std::wstring> RecorderTest::RecordedFiles() const {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW(dir.File(L"*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L".." || name == L"videolist.txt") continue;
        names.push_back(name);
    } while (FindNextFileW(find, &found));
    FindClose(find);
    std::sort(names.begin(), names.end());
    return names;
}

double ToneLevel(const DecodedSound& sound, double hz, double from, double to) {
    if (sound.channels.empty() || sound.sampleRate <= 0) return 0;
    const size_t begin = static_cast<size_t>(from * sound.sampleRate);
    const size_t count = static_cast<size_t>((to - from) * sound.sampleRate);
    return ToneAmplitude(sound.channels[0], sound.sampleRate, hz, begin, count);
}

void ExpectToneThroughout(const DecodedSound& sound, double hz, double from, double to, double minAmplitude) {
    for (double t = from; t + 0.1 <= to; t += 0.1)
        EXPECT_GT(ToneLevel(sound, hz, t, t + 0.1), minAmplitude) << hz << " Hz at " << t << " s";
}

double LongestFrozenStretch(const std::vector<PictureSample>& luma) {
    double longest = 0;
    size_t start = 0;
    for (size_t i = 1; i < luma.size(); ++i) {
        if (std::abs(luma[i].luma - luma[start].luma) >= 0.5) start = i;
        longest = std::max(longest, luma[i].seconds - luma[start].seconds);
    }
    return longest;
}

bool WaitFor(const std::function<bool()>& condition) {
    for (int i = 0; i < 600; ++i) {
        if (condition()) return true;
        Sleep(50);
    }
    return condition();
}

double LargestVideoStep(const ProbedStream& video) {
    std::vector<int64_t> pts = video.pts;
    std::sort(pts.begin(), pts.end());
    int64_t largest = 0;
    for (size_t i = 1; i < pts.size(); ++i) largest = std::max(largest, pts[i] - pts[i - 1]);
    return largest * av_q2d(video.timeBase);
}
