// Recordings onto a drive that fills up: R:, a 3 MB tmpfs that full_disk.sh makes
// for this program and removes after it. The main window is the suite's.
#include <gtest/gtest.h>

#include "app/lists/file_lists.h"
#include "common/record_globals.h"
#include "common/text_convert.h"
#include "tests/app/frame/frame_test_support.h"
#include "tests/app/frame/shell_probe.h"
#include "tests/app/recording/noise_window.h"
#include "tests/app/recording/recording_fixture.h"
#include "tests/engine/media_probe.h"
#include "tests/ui/ui_test_support.h"

using namespace frame_test;

namespace {
const wchar_t* const kFullDrive = L"R:\\out";
}  // namespace

// The disk fills while recording: the recording stops by itself, the user is
// told why, and what was written plays and is listed. A second start on the full
// disk is refused with its own tip and leaves no empty file.
TEST_F(RecordingTest, AFullDiskStopsTheRecordingWithATipAndAPlayableFile) {
    ASSERT_NE(GetFileAttributesW(L"R:\\"), INVALID_FILE_ATTRIBUTES) << "run through full_disk.sh";
    CreateDirectoryW(kFullDrive, nullptr);
    for (const std::wstring& name : FilesIn(std::wstring(kFullDrive) + L"\\", L"*"))
        DeleteFileW((std::wstring(kFullDrive) + L"\\" + name).c_str());
    Configure([](SettingRecord& s) { s.path = kFullDrive; });
    NoiseWindow noise({100, 100, 400, 400});  // fills the 3 MB in a few seconds
    ChooseFullScreen(false);
    int logAt = LogSize();
    {
        DialogCloser closer(L"MsgTipWnd", L"RecordTipDialog", 1);
        frame->OnClickStartRecord();
        ASSERT_TRUE(WaitUntilRecording());
        ASSERT_TRUE(WaitFor([] { return g_recordeState == _StopState && !FindWindowW(L"toolbar", nullptr); }, 120000))
            << "stopped by itself";
        ASSERT_TRUE(WaitFor([&] { return closer.Seen(); }));
    }
    ASSERT_TRUE(WaitForFinishedFiles());
    EXPECT_GE(LogLineIndex("[tip]" + WideToUtf8(L"磁盘已满，录制已停止，已录制的部分已保存"), logAt), 0);
    const std::vector<std::wstring> files = FilesIn(std::wstring(kFullDrive) + L"\\", L"*.mp4");
    ASSERT_EQ(files.size(), 1u);
    const std::wstring path = std::wstring(kFullDrive) + L"\\" + files[0];
    ProbedFile file = ProbeFile(path);
    ASSERT_TRUE(file.opened) << "playable up to the failure";
    ASSERT_NE(file.Find(AVMEDIA_TYPE_VIDEO), nullptr);
    EXPECT_GT(file.Find(AVMEDIA_TYPE_VIDEO)->Seconds(), 0.5);
    EXPECT_NE(frame->FileLists()->Videos().count(files[0]), 0u) << "listed";

    for (const wchar_t* format : {L"MP4", L"FLV"}) {
        SCOPED_TRACE(WideToUtf8(format));
        Configure([format](SettingRecord& s) {
            s.path = kFullDrive;
            s.VFormat = format;
        });
        ChooseFullScreen(false);
        logAt = LogSize();
        {
            DialogCloser closer(L"MsgTipWnd", L"RecordStartErrorDialog", 1);
            frame->OnClickStartRecord();
            EXPECT_TRUE(WaitFor([&] { return closer.Seen(); }));
        }
        EXPECT_GE(LogLineIndex("[tip]" + WideToUtf8(L"磁盘已满，无法创建录制文件"), logAt), 0);
        EXPECT_FALSE(frame->IsRecordingUnderWay());
        EXPECT_EQ(FilesIn(std::wstring(kFullDrive) + L"\\", L"*.mp4").size(), 1u) << "no empty second file";
        EXPECT_TRUE(FilesIn(std::wstring(kFullDrive) + L"\\", L"*.flv").empty()) << "no empty file";
    }
}
