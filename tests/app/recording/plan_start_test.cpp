// Scheduled starts (WM_PLAN_START_RECORD) through the main window: each request's
// area and sound choose what is recorded, and its planned length ends the
// recording with its completion action.
#include <gtest/gtest.h>

#include "app/custom_messages.h"
#include "app/lists/file_lists.h"
#include "common/posted_records.h"
#include "common/record_globals.h"
#include "common/record_request.h"
#include "common/text_convert.h"
#include "engine/vistreler.h"
#include "tests/app/frame/frame_test_support.h"
#include "tests/app/recording/recording_fixture.h"
#include "tests/engine/media_probe.h"
#include "tests/ui/ui_test_support.h"

using namespace frame_test;

namespace {

RecordRequest Request(int32_t area, int32_t audio, RECT rect = {0, 0, 0, 0}) {
    RecordRequest request;
    request.record_area = area;
    request.audio_input = audio;
    request.left = rect.left;
    request.top = rect.top;
    request.right = rect.right;
    request.bottom = rect.bottom;
    request.task_begin = true;
    request.duration = 3600;
    return request;
}

}  // namespace

TEST_F(RecordingTest, EachScheduledRequestChoosesItsAreaAndSound) {
    WriteMainIni(L"Audio", L"MicVolume", L"vistrel-test-tone");
    const RECT region = {100, 100, 740, 580};
    struct Case {
        const char* what;
        RecordRequest request;
        int32_t mode, sources;
        bool sound, video, audio;
    } cases[] = {
        // Without sound the sources stay as chosen: the task's sound switch keeps them out.
        {"full screen without sound", Request(1, 0), kSelModeFullScreen,
         kSourceScreen | kSourceSystemSound | kSourceMicrophone, false, true, false},
        {"a region with the microphone", Request(2, 2, region), kSelModeRegion, kSourceScreen | kSourceMicrophone, true,
         true, true},
        {"the microphone alone", Request(0, 2), kSelModeSoundOnly, kSourceMicrophone, true, false, true},
        {"system sound alone", Request(0, 1), kSelModeSoundOnly, kSourceSystemSound, true, false, true},
        {"both sounds", Request(0, 3), kSelModeSoundOnly, kSourceSystemSound | kSourceMicrophone, true, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (const std::wstring& name : Recordings()) testing_support::DeleteFileIfExists(OutputFile(name));
        g_recordSources = kSourceScreen | kSourceSystemSound | kSourceMicrophone;
        SendRequest(c.request);
        ASSERT_TRUE(Armed());
        EXPECT_EQ(LivePostedRecordCount(), 0u) << "the request was claimed and freed";
        EXPECT_EQ(g_userSelMode, c.mode);
        EXPECT_EQ(g_recordSources, c.sources);
        EXPECT_EQ(frame->IsSoundEnabled(), c.sound) << "set from every request";
        EXPECT_TRUE(frame->PlanTaskParam().task_begin == false) << "the planned length went to the progress";
        if (c.request.record_area == 1) {
            EXPECT_TRUE(EqualRect(&g_rcSnapwick, &frame->MonitorUnion()));
        }
        if (c.request.record_area == 2) {
            EXPECT_TRUE(EqualRect(&g_rcSnapwick, &region));
        }
        ASSERT_TRUE(WaitUntilRecording());
        ASSERT_TRUE(WaitForBytes(1));
        ui_test::Pump(1000);
        frame->onStopRecord();
        const std::vector<std::wstring> files = Recordings();
        ASSERT_EQ(files.size(), 1u);
        ProbedFile file = ProbeFile(OutputFile(files[0]));
        ASSERT_TRUE(file.opened);
        EXPECT_EQ(file.Find(AVMEDIA_TYPE_VIDEO) != nullptr, c.video);
        EXPECT_EQ(file.Find(AVMEDIA_TYPE_AUDIO) != nullptr, c.audio);
        if (c.request.record_area == 2 && file.Find(AVMEDIA_TYPE_VIDEO)) {
            EXPECT_NEAR(file.Find(AVMEDIA_TYPE_VIDEO)->width, 640, 8) << "the task's area, inside its frame";
        }
    }
}

// The planned length ends the recording: its file is listed and the task's
// completion action runs (shutdown, through the power actions the test replaced).
TEST_F(RecordingTest, PlannedLengthEndsTheRecordingWithTheTasksAction) {
    RecordRequest request = Request(1, 0);
    request.duration = 2;
    request.complete_option = L"关机";
    ASSERT_TRUE(PostRecordCopy(Hwnd(), WM_PLAN_START_RECORD, request));
    ASSERT_TRUE(WaitFor([] { return frame->IsRecordingUnderWay(); }));
    ASSERT_TRUE(WaitFor([] { return !frame->IsRecordingUnderWay(); })) << "stopped by its planned length";
    EXPECT_EQ(power.shutdowns, 1);
    EXPECT_EQ(power.suspends, 0);
    const std::vector<std::wstring> files = Recordings();
    ASSERT_EQ(files.size(), 1u);
    EXPECT_NE(frame->FileLists()->Videos().count(files[0]), 0u);

    // A later manual recording has no planned length.
    frame->SelectFullScreen();
    frame->OnClickStartRecord();
    ASSERT_TRUE(WaitUntilRecording());
    ASSERT_TRUE(WaitFor([] { return frame->Recorder()->m_uTimeNum >= 4; }));
    EXPECT_EQ(g_recordeState, _RecordingState);
    frame->onStopRecord();
    EXPECT_EQ(power.shutdowns, 1);
}
