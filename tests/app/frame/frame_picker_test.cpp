// The main window and the real Snapwick.exe beside it: the region button starts
// the picker, a second start is refused while it is shown, and a small dragged
// area comes back enlarged to 150 x 150 inside the desktop and framed; the task
// editor's custom area takes the same road.
#include <gtest/gtest.h>

#include <windows.h>
#include <tlhelp32.h>

#include "common/record_globals.h"
#include "schedule/plan_add_task_dlg.h"
#include "schedule/plan_task_manager.h"
#include "tests/app/frame/frame_test_support.h"
#include "tests/app/frame/main_window_fixture.h"
#include "tests/picker/picker_test_support.h"
#include "tests/ui/ui_test_support.h"

using namespace frame_test;

namespace {

int CountPickers() {
    int count = 0;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W entry = {sizeof(entry)};
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
        if (_wcsicmp(entry.szExeFile, L"Snapwick.exe") == 0) ++count;
    }
    CloseHandle(snapshot);
    return count;
}

}  // namespace

TEST_F(MainWindowTest, TheRegionButtonStartsThePickerOnceAndItsAreaIsFramed) {
    g_rcSnapwick = {100, 100, 400, 300};  // away from where the drag goes
    frame->PickCustomArea();
    ASSERT_NE(WaitForPicker(), nullptr);
    EXPECT_TRUE(IsIconic(Hwnd())) << "the main window makes room";
    EXPECT_TRUE(frame->IsPickUnderWay());
    frame->PickCustomArea();
    ui_test::Pump(500);
    EXPECT_EQ(CountPickers(), 1) << "no second picker while one is shown";

    // 60 x 40 dragged near the bottom-right corner of the desktop.
    const RECT desktop = frame->MonitorUnion();
    const POINT from = {desktop.right - 70, desktop.bottom - 50}, to = {desktop.right - 10, desktop.bottom - 10};
    MouseAt(from);
    MouseAt(from, MOUSEEVENTF_LEFTDOWN);
    MouseAt({from.x + 20, from.y + 20});
    MouseAt(to);
    MouseAt(to, MOUSEEVENTF_LEFTUP);
    const RECT expected = {desktop.right - 150, desktop.bottom - 150, desktop.right, desktop.bottom};
    ASSERT_TRUE(ui_test::PumpUntil([&] { return EqualRect(&g_rcSnapwick, &expected) != FALSE; }, 10000))
        << RectText(g_rcSnapwick);
    EXPECT_EQ(g_userSelMode, kSelModeRegion);
    HWND selArea = FindWindowW(L"selarea_wnd", nullptr);
    EXPECT_TRUE(ui_test::PumpUntil([&] { return IsWindowVisible(selArea) && !IsIconic(selArea); }));
    EXPECT_FALSE(IsIconic(Hwnd())) << "the main window is back";
    EXPECT_TRUE(ui_test::PumpUntil([] { return CountPickers() == 0; }, 10000)) << "the picker ended";
    EXPECT_FALSE(frame->IsPickUnderWay());
}

// "自定义" in the task editor, end to end: the main window steps aside
// (minimised), Snapwick starts, and the area it answers with while the main
// window is still minimised comes back to the editor through the main window.
TEST_F(MainWindowTest, TheTaskEditorsCustomAreaComesBackFromThePicker) {
    PlanAddTaskDlg editor(PlanTaskManager::GetInstance(), {});
    ASSERT_NE(editor.Create(Hwnd(), L"PlanAddTaskDialog", kPlanDialogStyle, kPlanDialogExStyle, 0, 0, 0, 0), nullptr);
    SetWindowPos(editor.GetHWND(), nullptr, 50, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ui_test::Pump(100);
    auto* area = static_cast<DuiLib::CComboUI*>(editor.GetPaintManager()->FindControl(L"combo_area"));
    ASSERT_NE(area, nullptr);
    area->SelectItem(2, false, false);
    DuiLib::TNotifyUI click;
    click.sType = DuiLib::DUI_MSGTYPE_ITEMCLICK;
    click.pSender = area->GetItemAt(2);
    area->GetItemAt(2)->OnNotify(&click);
    HWND picker = WaitForPicker();
    ASSERT_NE(picker, nullptr) << "Snapwick started";
    ASSERT_TRUE(IsIconic(Hwnd())) << "the main window makes room";

    // Snapwick's answer: a rectangle of 400 x 300, made even, in one WM_COPYDATA.
    const int32_t answer[4] = {300, 200, 700, 500};
    COPYDATASTRUCT reply = {0, sizeof answer, const_cast<int32_t*>(answer)};
    SendMessageW(Hwnd(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&reply));
    ASSERT_TRUE(ui_test::PumpUntil([&] { return editor.WorkingTask().RegionMode == 2; }))
        << "the editor heard of the area";
    const TaskInfo& t = editor.WorkingTask();
    const RECT picked = {t.RegionLeft, t.RegionTop, t.RegionRight, t.RegionBottom};
    const RECT expected = {300, 200, 700, 500};
    EXPECT_TRUE(EqualRect(&picked, &expected)) << RectText(picked);
    EXPECT_FALSE(IsIconic(Hwnd())) << "the main window is back";
    EXPECT_TRUE(IsWindowVisible(editor.GetHWND())) << "and the editor with it";
    PostMessageW(picker, WM_CLOSE, 0, 0);
    EXPECT_TRUE(ui_test::PumpUntil([] { return CountPickers() == 0; }, 10000)) << "the picker ended";
    DestroyWindow(editor.GetHWND());
    ui_test::Pump(50);
}
