// Scheduled starts (WM_PLAN_START_RECORD) through the main window: each request's
// area and sound choose what is recorded, and its planned length ends the
// recording with its completion action.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/custom_messages.h"
#include "app/lists/file_lists.h"
#include "common/posted_records.h"
#include "common/record_globals.h"
#include "common/record_request.h"
#include "common/text_convert.h"
#include "engine/vistreler.h"
#include "schedule/plan_task_manager.h"
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
        ASSERT_TRUE(WaitForFinishedFiles());
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
    ASSERT_TRUE(WaitForFinishedFiles());
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

// A task's camera starts as the camera option starts it; a camera the machine
// lacks leaves the recording without one.
TEST_F(RecordingTest, AScheduledRequestStartsItsCamera) {
    const std::vector<std::string>& cameras = frame->Cameras();
    if (std::find(cameras.begin(), cameras.end(), "vistrel-test-camera") == cameras.end())
        GTEST_SKIP() << "the test camera is not registered";
    RecordRequest missing = Request(1, 0);
    missing.camera_input = L"no such camera";
    SendRequest(missing);
    ASSERT_TRUE(WaitUntilRecording());
    EXPECT_FALSE(IsRecordSourceOn(kSourceCamera));
    frame->onStopRecord();

    RecordRequest request = Request(1, 0);
    request.camera_input = L"vistrel-test-camera";
    SendRequest(request);
    ASSERT_TRUE(WaitUntilRecording());
    EXPECT_TRUE(IsRecordSourceOn(kSourceCamera));
    EXPECT_EQ(frame->CameraName(), L"vistrel-test-camera");
    frame->onStopRecord();
    frame->Recorder()->StopCamera();  // off again for the tests after this one
    RemoveRecordSource(kSourceCamera);
}

// A task armed two seconds ahead on the real clock (the one real wait): it starts
// a recording by itself, records for its length, runs its completion action and
// ends stopped in the task list.
TEST_F(RecordingTest, AnArmedTaskRecordsByItselfForItsLength) {
    PlanTaskManager& manager = PlanTaskManager::GetInstance();
    TaskInfo task(manager.Now() - 298);  // starts two seconds from now
    task.Name = L"Task 77";
    task.RegionMode = 1;
    task.AudioInput = 0;
    task.Duration = 2;
    task.CompletedAction = L"睡眠";
    task.Status = true;
    manager.AddTask(task);
    const int suspendsBefore = power.suspends;
    ASSERT_TRUE(manager.ScheduleTask(task));
    ASSERT_TRUE(WaitFor([] { return frame->IsRecordingUnderWay(); })) << "the task started a recording";
    ASSERT_TRUE(WaitFor([] { return !frame->IsRecordingUnderWay(); })) << "stopped by the task's length";
    EXPECT_EQ(power.suspends, suspendsBefore + 1);
    const std::vector<std::wstring> files = Recordings();
    ASSERT_EQ(files.size(), 1u);
    EXPECT_NE(frame->FileLists()->Videos().count(files[0]), 0u);
    ProbedFile file = ProbeFile(OutputFile(files[0]));
    ASSERT_TRUE(file.opened);
    ASSERT_NE(file.Find(AVMEDIA_TYPE_VIDEO), nullptr);
    EXPECT_NEAR(file.Find(AVMEDIA_TYPE_VIDEO)->Seconds(), 2.0, 1.0) << "the task's length";
    TaskInfo listed;
    ASSERT_TRUE(manager.FindTask(L"Task 77", listed));
    EXPECT_FALSE(listed.Status);
    manager.RemoveTask(listed);
}
