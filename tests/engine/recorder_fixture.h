// Recordings made through the recorder controller from real devices, the way the
// main window drives it, and what is checked in the files they leave.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/capture_input.h"
#include "engine/vistreler.h"
#include "tests/engine/media_probe.h"
#include "tests/engine/writer_harness.h"

constexpr char kScreenDevice[] = "screen-capture-recorder";
constexpr char kSystemSoundDevice[] = "virtual-audio-capturer";
constexpr double kPlayedHz = 1000;    // what the tests play into the system sound
constexpr DWORD kCountdownMs = 1000;  // the main window's shortest countdown

struct Sources {
    bool screen = false, sys = false, mic = false;
};

class RecorderTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Settings with the output folder; format "MP4" or "FLV", Division for splitting.
    void UseSettings(const std::wstring& format, bool division);
    // A recorder as the main window makes one, initialised for `sources` (the record
    // sources and mode set to match: sound-only mode when there is no screen).
    std::unique_ptr<CVistreler> MakeRecorder();
    bool Init(CVistreler& recorder, Sources sources, const std::string& micName = "");
    // Start, count down as the main window does, then record for `seconds`.
    void StartRecording(CVistreler& recorder, double seconds);
    void Record(CVistreler& recorder, double seconds);
    void Stop(CVistreler& recorder);

    std::vector<std::string> VideoList() const;
    std::vector<std::wstring> RecordedFiles() const;  // in the output folder

    testing_support::TempDir dir;
    std::wstring folder;  // dir without its trailing backslash
    std::unique_ptr<TestSettings> settings;
    RECT desktop{};
};

// Every 100 ms window of the sound between `from` and `to` seconds holds the tone. For
// the test tone device, which makes its tone for all the time that passed whatever
// the load: a window without it is sound the recorder lost. (What plays into the
// system sound goes through the sound server, which may drop out under load.)
void ExpectToneThroughout(const DecodedSound& sound, double hz, double from, double to, double minAmplitude);
double ToneLevel(const DecodedSound& sound, double hz, double from, double to);
// The largest step between successive video packets, seconds.
double LargestVideoStep(const ProbedStream& video);
// The screen device queues this much while a capture source is held up; pictures are
// lost, and a step between two of them longer than this arises, only when the
// recorder falls further behind.
constexpr double kScreenQueueSeconds = kScreenQueuePictures / 25.0;
// The longest stretch, in seconds, over which the mean luma of the region stayed the
// same (a frozen picture).
double LongestFrozenStretch(const std::vector<PictureSample>& luma);
// Polls until the condition holds; false when it did not within a time no working
// recorder comes near.
bool WaitFor(const std::function<bool()>& condition);
