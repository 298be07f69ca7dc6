// The main window's dialogs driving a real recording: an automatic stop set in
// the auto-stop dialog (by real clicks) ends the next recording with its action;
// the webcam window is part of the recorded screen.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "common/record_globals.h"
#include "schedule/clock_field_controls.h"
#include "tests/app/frame/frame_test_support.h"
#include "tests/app/recording/recording_fixture.h"
#include "tests/engine/media_probe.h"
#include "tests/ui/ui_test_support.h"

using namespace frame_test;
using namespace DuiLib;

namespace {

void ClickIn(WindowImplBase* window, LPCTSTR name) {
    window->GetPaintManager()->UpdateLayout();
    const RECT rc = window->FindControl(name)->GetPos();
    ui_test::ClickAt(window->GetHWND(), {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2});
}

// The click of a dialog step: only posted (see ui_test::PostClick), as the steps
// run in timer ticks inside the dialog's loop.
void PostClickIn(WindowImplBase* window, LPCTSTR name) {
    window->GetPaintManager()->UpdateLayout();
    const RECT rc = window->FindControl(name)->GetPos();
    ui_test::PostClick(window->GetHWND(), {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2});
}

// Steps run on the dialog's window, one a timer tick, while its modal loop runs.
struct DialogSteps {
    const wchar_t* windowClass;
    std::vector<std::function<void(WindowImplBase*)>> steps;
    size_t next = 0;

    static DialogSteps* current;
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        DialogSteps* s = current;
        HWND dialog = s ? FindWindowW(s->windowClass, nullptr) : nullptr;
        if (!dialog || !IsWindowVisible(dialog) || s->next >= s->steps.size()) return;
        if (WindowImplBase* window = WindowObject(dialog)) s->steps[s->next++](window);
    }
    void Run(const std::function<void()>& open) {
        current = this;
        const UINT_PTR timer = SetTimer(nullptr, 0, 150, &DialogSteps::Tick);
        open();
        KillTimer(nullptr, timer);
        current = nullptr;
    }
};
DialogSteps* DialogSteps::current = nullptr;

}  // namespace

TEST_F(RecordingTest, AnAutomaticStopSetInItsDialogEndsTheNextRecording) {
    DialogSteps dialog{
        L"AutoStopRecordWnd",
        {[](WindowImplBase* w) { PostClickIn(w, L"auto_stop_record"); },
         [](WindowImplBase* w) {
             static_cast<CTimeControlUI*>(w->FindControl(L"time_ctrl")->GetInterface(L"TimeControlUI"))
                 ->ParseText(L"00:00:02");
         },
         [](WindowImplBase* w) {
             static_cast<CComboUI*>(w->FindControl(L"complete_option")->GetInterface(L"Combo"))->SelectItem(3);
         },
         [](WindowImplBase* w) { PostClickIn(w, L"btn_ok"); }}};
    dialog.Run([&] {
        ClickIn(frame, L"auto_stop");
        ui_test::PumpUntil(
            [&] { return dialog.next == dialog.steps.size() && !FindWindowW(L"AutoStopRecordWnd", nullptr); });
    });
    ASSERT_EQ(dialog.next, dialog.steps.size()) << "the dialog opened and was answered";
    const AutoStopOptions options = frame->ProgressBoard().GetAutoStopOptions();
    EXPECT_TRUE(options.enabled);
    EXPECT_EQ(options.seconds, 2);
    EXPECT_EQ(options.action, L"关机");

    ChooseFullScreen(false);
    ClickIn(frame, L"start");
    ASSERT_TRUE(WaitFor([] { return g_recordeState == _StopState && !frame->IsRecordingUnderWay(); }))
        << "stopped by itself";
    EXPECT_EQ(power.shutdowns, 1) << "the dialog's action, through the replaced power actions";
    ASSERT_TRUE(WaitForFinishedFiles());
    const std::vector<std::wstring> files = Recordings();
    ASSERT_EQ(files.size(), 1u);
    ProbedFile file = ProbeFile(OutputFile(files[0]));
    ASSERT_TRUE(file.opened);
    EXPECT_GT(file.Find(AVMEDIA_TYPE_VIDEO)->Seconds(), 1.5);
}

TEST_F(RecordingTest, CancellingTheAutoStopDialogKeepsTheOptions) {
    DialogSteps dialog{L"AutoStopRecordWnd",
                       {[](WindowImplBase* w) { PostClickIn(w, L"auto_stop_record"); },
                        [](WindowImplBase* w) { PostClickIn(w, L"btn_cancel"); }}};
    dialog.Run([&] {
        ClickIn(frame, L"auto_stop");
        ui_test::PumpUntil(
            [&] { return dialog.next == dialog.steps.size() && !FindWindowW(L"AutoStopRecordWnd", nullptr); });
    });
    EXPECT_EQ(dialog.next, dialog.steps.size());
    EXPECT_FALSE(frame->ProgressBoard().GetAutoStopOptions().enabled);
}

// The webcam window sits on the recorded screen: its moving bars are in the file.
TEST_F(RecordingTest, TheWebcamWindowIsInTheRecordedPicture) {
    ASSERT_FALSE(frame->Cameras().empty()) << "the test camera is registered";
    RemoveRecordSource(kSourceCamera);
    // an earlier recording's timer 2 gives the device controls back 4 s after its start
    ASSERT_TRUE(WaitFor([] { return frame->FindControl(L"camera")->IsEnabled(); }));
    ClickIn(frame, L"camera");
    ASSERT_TRUE(WaitFor([] { return FindWindowW(L"CameraWnd", nullptr) != nullptr; }));
    RECT camera = {};
    GetWindowRect(FindWindowW(L"CameraWnd", nullptr), &camera);
    ChooseFullScreen(false);
    AddRecordSource(kSourceCamera);
    ClickIn(frame, L"start");
    ASSERT_TRUE(WaitUntilRecording());
    WaitFor([] { return false; }, 3000);  // three seconds of the moving webcam picture
    frame->onStopRecord();
    ASSERT_TRUE(WaitFor([] { return g_recordeState == _StopState && !frame->IsRecordingUnderWay(); }));
    EXPECT_FALSE(IsRecordSourceOn(kSourceCamera)) << "the camera goes with the recording";
    EXPECT_TRUE(WaitFor([] { return !IsWindow(FindWindowW(L"CameraWnd", nullptr)); })) << "and its window";
    ASSERT_TRUE(WaitForFinishedFiles());
    const std::vector<std::wstring> files = Recordings();
    ASSERT_EQ(files.size(), 1u);
    // A narrow strip of the window: the bars move through it, so its brightness changes.
    const std::vector<PictureSample> strip =
        RegionLuma(OutputFile(files[0]), camera.left + 100, camera.top + 60, 8, 120);
    ASSERT_GT(strip.size(), 10u);
    double low = 255, high = 0;
    for (const PictureSample& s : strip) {
        low = std::min(low, s.luma);
        high = std::max(high, s.luma);
    }
    EXPECT_GT(high - low, 80.0) << "the camera's moving bars were recorded";
}
