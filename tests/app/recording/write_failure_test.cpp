// Recordings through the main window whose files fail, made to fail by the record
// file layer's test faults (no full disk or rights needed): each ends with the tip
// that names the cause, and what was written plays and is listed.
#include <gtest/gtest.h>

#include <functional>

#include "app/lists/file_lists.h"
#include "common/record_globals.h"
#include "common/text_convert.h"
#include "engine/recording_finish.h"
#include "tests/app/frame/frame_test_support.h"
#include "tests/app/recording/noise_window.h"
#include "tests/app/recording/recording_fixture.h"
#include "tests/engine/media_probe.h"
#include "tests/engine/writer_harness.h"
#include "tests/ui/ui_test_support.h"

using namespace frame_test;

namespace {

bool Stopped() { return g_recordeState == _StopState && !FindWindowW(L"toolbar", nullptr); }

}  // namespace

// A write that fails, at any moment of a recording, ends it with the tip that says
// why; every part written is kept, plays and is listed on screen and in the file.
TEST_F(RecordingTest, AFileThatFailsEndsTheRecordingWithItsTipKeepingWhatWasWritten) {
    struct Case {
        const char* what;
        int splitMiB;                            // split by size, 0: no split
        std::function<void(FileFaults&)> fault;  // armed once the recording has written 200 KB
        bool atStart;                            // armed before the start instead
        bool stopAtOnce;                         // the user stops right after the fault
        const wchar_t* tip;
        size_t parts;
    } cases[] = {
        {"a write fails mid-recording", 0, [](FileFaults& f) { f.FailWrites(L".mp4", 400000, ERROR_CRC); }, false,
         false, L"录制文件写入失败，录制已停止，已录制的部分已保存", 1},
        {"a write fails in the last second", 0, [](FileFaults& f) { f.FailWrites(L".mp4", 0, ERROR_CRC); }, false, true,
         L"录制文件写入失败，录制已停止，已录制的部分已保存", 1},
        // a part large enough to be seen recording before it is full
        {"the next part cannot be made", 4, [](FileFaults& f) { f.FailOpen(L" Part 2.mp4", ERROR_ACCESS_DENIED); },
         true, false, L"录制文件无法写入，录制已停止，已录制的部分已保存", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (const std::wstring& name : Recordings()) DeleteFileW(OutputFile(name).c_str());
        Configure([&c](SettingRecord& s) {
            s.Division = c.splitMiB != 0;
            s.Check_division = 1;
            s.Division_size = c.splitMiB != 0 ? c.splitMiB : 1;
        });
        NoiseWindow noise({100, 100, 700, 500});
        FileFaults faults;
        ChooseFullScreen(false);
        const int logAt = LogSize();
        {
            DialogCloser closer(L"MsgTipWnd", L"RecordTipDialog", 1);
            if (c.atStart) c.fault(faults);  // a noisy picture can fill a part before 200 KB are counted
            frame->OnClickStartRecord();
            ASSERT_TRUE(WaitUntilRecording());
            ASSERT_TRUE(WaitForBytes(200000));
            if (!c.atStart) c.fault(faults);
            if (c.stopAtOnce) frame->onStopRecord();
            ASSERT_TRUE(WaitFor(Stopped, 120000)) << "stopped by itself";
            EXPECT_TRUE(WaitFor([&] { return closer.Seen(); })) << "the user is told";
        }
        EXPECT_GE(LogLineIndex("[tip]" + WideToUtf8(c.tip), logAt), 0);
        faults.Clear();
        ASSERT_TRUE(WaitForFinishedFiles());
        const std::vector<std::wstring> files = Recordings();
        ASSERT_EQ(files.size(), c.parts);
        for (const std::wstring& name : files) {
            SCOPED_TRACE(WideToUtf8(name));
            const std::wstring path = OutputFile(name);
            EXPECT_FALSE(testing_support::FileExists(UnfinishedMarkerOf(path)));
            const bool plays = IsPlayableRecording(path);
            EXPECT_EQ(frame->FileLists()->Videos().count(name), plays ? 1u : 0u) << "shown only when it plays";
            if (c.stopAtOnce) continue;  // what was still in memory at the fault may be all there was
            EXPECT_TRUE(plays) << "what was written plays";
            ProbedFile file = ProbeFile(path);
            ASSERT_TRUE(file.opened);
            ASSERT_TRUE(file.Find(AVMEDIA_TYPE_VIDEO));
        }
    }
}

// The folder cannot be written: the start is refused with its tip and no file is left.
TEST_F(RecordingTest, AnUnwritableFolderRefusesTheStartWithItsTip) {
    FileFaults faults;
    faults.FailOpen(L".mp4", ERROR_ACCESS_DENIED);
    ChooseFullScreen(false);
    const int logAt = LogSize();
    {
        DialogCloser closer(L"MsgTipWnd", L"RecordStartErrorDialog", 1);
        frame->OnClickStartRecord();
        EXPECT_TRUE(WaitFor([&] { return closer.Seen(); })) << "told once the file could not be made";
    }
    EXPECT_GE(LogLineIndex("[tip]" + WideToUtf8(L"输出文件夹无法写入，无法创建录制文件"), logAt), 0);
    EXPECT_FALSE(frame->IsRecordingUnderWay());
    EXPECT_TRUE(Recordings().empty());
}

// The copy that makes the stopped MP4 ordinary breaks off half way (its drive
// fills): the recording as written stays, whole and fragmented, and is listed;
// the stop itself went well, so no tip.
TEST_F(RecordingTest, ACopyThatBreaksOffAtTheStopKeepsTheRecordingAsWritten) {
    NoiseWindow noise({100, 100, 700, 500});
    FileFaults faults;
    faults.FailWrites(L".mp4.finishing", 50000, ERROR_DISK_FULL);
    ChooseFullScreen(false);
    frame->OnClickStartRecord();
    ASSERT_TRUE(WaitUntilRecording());
    ASSERT_TRUE(WaitForBytes(200000));
    const int logAt = LogSize();
    {
        DialogCloser closer(L"MsgTipWnd", L"RecordTipDialog", 1);
        frame->onStopRecord();
        ASSERT_TRUE(WaitForFinishedFiles());
        EXPECT_FALSE(closer.Seen());
    }
    EXPECT_GE(LogLineIndex("could not be copied whole: kept as written", logAt), 0);
    const std::vector<std::wstring> files = Recordings();
    ASSERT_EQ(files.size(), 1u);
    const std::wstring path = OutputFile(files[0]);
    EXPECT_FALSE(testing_support::FileExists(path + L".finishing"));
    EXPECT_TRUE(IsFragmentedMp4(path)) << "the original, not a part of the copy";
    ProbedFile file = ProbeFile(path);
    ASSERT_TRUE(file.opened);
    ASSERT_TRUE(file.Find(AVMEDIA_TYPE_VIDEO));
    EXPECT_NE(frame->FileLists()->Videos().count(files[0]), 0u);
}

// The stop does not wait for the copy that makes the MP4 ordinary (here held up as
// a slow disk holds it): the window is back at once, the stopped recorder lives on
// until its file is whole, and the file is listed then.
TEST_F(RecordingTest, TheStopDoesNotWaitForTheCopy) {
    FileFaults faults;
    faults.HoldWrites(L".mp4.finishing");
    ChooseFullScreen(false);
    frame->OnClickStartRecord();
    ASSERT_TRUE(WaitUntilRecording());
    ASSERT_TRUE(WaitForBytes(20000));
    frame->onStopRecord();
    EXPECT_TRUE(WaitFor([&] { return faults.Holding(); })) << "the copy runs after the stop returned";
    EXPECT_TRUE(IsWindowVisible(Hwnd()));
    EXPECT_TRUE(frame->FilesBeingFinished());
    const std::vector<std::wstring> files = Recordings();
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(frame->FileLists()->Videos().count(files[0]), 0u) << "listed once it is whole";
    faults.Release();
    ASSERT_TRUE(WaitForFinishedFiles());
    EXPECT_NE(frame->FileLists()->Videos().count(files[0]), 0u);
    EXPECT_FALSE(IsFragmentedMp4(OutputFile(files[0])));
}
