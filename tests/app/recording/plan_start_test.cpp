// Scheduled starts (WM_PLAN_START_RECORD) through the main window: each request's
// area and sound choose what is recorded, and its planned length ends the
// recording with its completion action.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/capture_devices.h"
#include "app/lists/file_lists.h"
#include "common/posted_records.h"
#include "common/record_globals.h"
#include "common/record_request.h"
#include "common/text_convert.h"
#include "engine/vistreler.h"
#include "schedule/plan_task_manager.h"
#include "shell/custom_messages.h"
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

// In CI (CI=true) the test environment has every device the tests need: a
// missing one fails there. Elsewhere the test is skipped, and says so.
#define SKIP_UNLESS_CI(why)                                               \
    do {                                                                  \
        const char* ci = getenv("CI");                                    \
        if (ci && strcmp(ci, "true") == 0) FAIL() << (why) << " (in CI)"; \
        fprintf(stderr, "warning: %s: the test is skipped\n", (why));     \
        GTEST_SKIP() << (why);                                            \
    } while (0)

// The screen device missing, as on a machine where it was never registered.
class NoScreenDevice : public CaptureDeviceSource {
public:
    std::vector<std::wstring> CaptureFilters(bool wantAudio) override {
        return wantAudio ? system_.CaptureFilters(true) : std::vector<std::wstring>{};
    }
    std::vector<EndpointName> Endpoints(EndpointDirection direction, bool capture) override {
        return system_.Endpoints(direction, capture);
    }
    std::wstring DefaultCaptureEndpoint() override { return system_.DefaultCaptureEndpoint(); }

private:
    SystemCaptureDevices system_;
};

bool HasTestCamera(const CVistrelFrame* frame) {
    const std::vector<std::string>& cameras = frame->Cameras();
    return std::find(cameras.begin(), cameras.end(), "vistrel-test-camera") != cameras.end();
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
    // What stays once it happened: a short recording can start and end between
    // two looks at a state that changes back.
    ASSERT_TRUE(WaitFor([] { return power.shutdowns == 1 && !frame->IsRecordingUnderWay(); }))
        << "recorded, and stopped by its planned length with the task's action";
    EXPECT_EQ(power.suspends, 0);
    ASSERT_TRUE(WaitForFinishedFiles());
    const std::vector<std::wstring> files = Recordings();
    ASSERT_EQ(files.size(), 1u);
    EXPECT_NE(frame->FileLists()->Videos().count(files[0]), 0u);

    // A later manual recording has no planned length, and has its sound: the
    // task's choice of none lasted for the task's recording only.
    for (const std::wstring& name : Recordings()) testing_support::DeleteFileIfExists(OutputFile(name));
    ChooseFullScreen(true);
    frame->OnClickStartRecord();
    ASSERT_TRUE(WaitUntilRecording());
    ASSERT_TRUE(WaitFor([] { return frame->Recorder()->m_uTimeNum >= 4; }));
    EXPECT_EQ(g_recordeState, _RecordingState);
    frame->onStopRecord();
    EXPECT_EQ(power.shutdowns, 1);
    ASSERT_EQ(Recordings().size(), 1u);
    ProbedFile file = ProbeFile(OutputFile(Recordings()[0]));
    ASSERT_TRUE(file.opened);
    EXPECT_NE(file.Find(AVMEDIA_TYPE_AUDIO), nullptr) << "the microphone chosen is recorded";
}

// A scheduled start that fails (here no screen device) says why, and leaves
// nothing of its task behind: the next recording by hand runs as long as the
// user wants, with its sound, no completion action follows it, and the task's
// camera is off again.
TEST_F(RecordingTest, AFailedScheduledStartLeavesNothingForTheNextRecording) {
    const bool camera = HasTestCamera(frame);
    RecordRequest request = Request(1, 0);
    request.duration = 2;
    request.complete_option = L"关机";
    if (camera) request.camera_input = L"vistrel-test-camera";
    NoScreenDevice missing;
    frame->InitDevices(missing);
    const int logAt = LogSize();
    {
        DialogCloser closer(L"MsgTipWnd", L"RecordStartErrorDialog", 1);
        SendRequest(request);
        EXPECT_TRUE(closer.Seen()) << "told why";
    }
    EXPECT_GE(LogLineIndex("[tip]未找到录屏设备，请按说明文件注册录屏组件", logAt), 0);
    EXPECT_FALSE(frame->IsRecordingUnderWay());
    EXPECT_FALSE(frame->PlanTaskParam().task_begin) << "no planned length waits";
    EXPECT_EQ(frame->PlanTaskParam().complete_option, L"不做任何操作");
    EXPECT_TRUE(frame->IsSoundEnabled());
    EXPECT_FALSE(IsRecordSourceOn(kSourceCamera)) << "the task's camera is off again";
    EXPECT_EQ(frame->CameraWindow(), nullptr);

    SystemCaptureDevices system;
    frame->InitDevices(system);
    ChooseFullScreen(true);
    frame->OnClickStartRecord();
    ASSERT_TRUE(WaitUntilRecording());
    ASSERT_TRUE(WaitFor([] { return frame->Recorder()->m_uTimeNum >= 4; })) << "past the task's two seconds";
    EXPECT_EQ(g_recordeState, _RecordingState);
    frame->onStopRecord();
    EXPECT_EQ(power.shutdowns, 0) << "the task's completion action is not run";
    ASSERT_EQ(Recordings().size(), 1u);
    ProbedFile file = ProbeFile(OutputFile(Recordings()[0]));
    ASSERT_TRUE(file.opened);
    ASSERT_NE(file.Find(AVMEDIA_TYPE_AUDIO), nullptr) << "with its sound";
    EXPECT_GE(file.Find(AVMEDIA_TYPE_AUDIO)->Seconds(), 3.0);
    if (!camera) SKIP_UNLESS_CI("the test camera vistrel-test-camera is not registered: its part was not checked");
}

// A task that comes due while the user records is not recorded: the log says so
// at once, and the user is told once the recording has ended (a tip never lands
// in the middle of a recording).
TEST_F(RecordingTest, ATaskRefusedDuringARecordingIsToldAfterIt) {
    ChooseFullScreen(false);
    frame->OnClickStartRecord();
    ASSERT_TRUE(WaitUntilRecording());
    const int logAt = LogSize();
    DialogCloser closer(L"MsgTipWnd", L"RecordTipDialog", 1);
    SendRequest(Request(1, 1));
    EXPECT_GE(LogLineIndex("a recording is under way: the scheduled start is refused, the task did not record", logAt),
              0);
    ui_test::Pump(1500);
    EXPECT_FALSE(closer.Seen()) << "not during the recording";
    EXPECT_EQ(g_recordeState, _RecordingState);
    frame->onStopRecord();
    EXPECT_TRUE(WaitFor([&] { return closer.Seen(); })) << "told after it";
    EXPECT_GE(LogLineIndex("[tip]计划任务开始时正在录制，该任务未能执行", logAt), 0);
}

// A task's camera starts as the camera option starts it; a camera the machine
// lacks leaves the recording without one.
TEST_F(RecordingTest, AScheduledRequestStartsItsCamera) {
    if (!HasTestCamera(frame)) SKIP_UNLESS_CI("the test camera vistrel-test-camera is not registered");
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
    ASSERT_TRUE(WaitFor([&] { return power.suspends == suspendsBefore + 1 && !frame->IsRecordingUnderWay(); }))
        << "the task started a recording, which its length stopped with the task's action";
    ASSERT_TRUE(WaitForFinishedFiles());
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
