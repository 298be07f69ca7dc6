// The main window's message hub without a recording: the area picker's reply,
// records that do not come from this program, the region frame's show message,
// the tray icon's clicks and menu, the hotkeys by their atom ids and scheduled
// starts that are refused before anything changes.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>

#include "areaprobe/areaprobe.h"
#include "common/posted_records.h"
#include "common/record_globals.h"
#include "common/record_request.h"
#include "overlay/region/sel_area_wnd.h"
#include "shell/custom_messages.h"
#include "tests/app/frame/frame_test_support.h"
#include "tests/app/frame/main_window_fixture.h"
#include "tests/ui/ui_test_support.h"

using namespace frame_test;

namespace {

HWND SelAreaWindow() { return FindWindowW(L"selarea_wnd", nullptr); }

LRESULT SendPick(HWND hwnd, DWORD bytes, const void* data) {
    COPYDATASTRUCT copy = {0, bytes, const_cast<void*>(data)};
    return SendMessageW(hwnd, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copy));
}

WPARAM HotkeyId(const wchar_t* atomName) { return static_cast<WPARAM>(GlobalAddAtomW(atomName)) - 0xC000; }

// Real input: it reaches the Areaprobe hook like the user's mouse.
bool SendMouse(DWORD flags, POINT p = {0, 0}) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    if (flags & MOUSEEVENTF_ABSOLUTE) {
        input.mi.dx = (p.x * 65536 + GetSystemMetrics(SM_CXSCREEN) - 1) / GetSystemMetrics(SM_CXSCREEN);
        input.mi.dy = (p.y * 65536 + GetSystemMetrics(SM_CYSCREEN) - 1) / GetSystemMetrics(SM_CYSCREEN);
    }
    return SendInput(1, &input, sizeof(input)) == 1;
}

bool CursorAt(POINT p) {
    POINT at = {};
    return GetCursorPos(&at) && at.x == p.x && at.y == p.y;
}

}  // namespace

TEST_F(MainWindowTest, PickedAreaIsEnlargedClampedAndAppliedToTheRegionFrame) {
    const RECT picked = {1180, 100, 1280, 200};  // 100 x 100 at the desktop's right edge
    ASSERT_EQ(frame->MonitorUnion().right, 1280);
    SendPick(Hwnd(), 16, &picked);
    const RECT expected = {1130, 100, 1280, 250};
    EXPECT_TRUE(EqualRect(&g_rcSnapwick, &expected)) << RectText(g_rcSnapwick);
    RECT rc = WindowRect(Hwnd());
    EXPECT_TRUE(IsWindowVisible(Hwnd()));
    EXPECT_EQ(rc.top, 250 + 20) << "20 pixels below the area";
    EXPECT_EQ(rc.right, 1280) << "centred across it as far as the screen lets it: never off the screen";
    ASSERT_TRUE(ui_test::PumpUntil([] { return IsWindowVisible(SelAreaWindow()) != FALSE; }))
        << "WM_APPLY_RECORD_AREA shows the region frame";
    EXPECT_TRUE(GetWindowLongPtrW(Hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST) << "placed below the area, top-most";
    SetWindowPos(Hwnd(), HWND_NOTOPMOST, 211, 250, 858, 300, SWP_NOACTIVATE);
}

TEST_F(MainWindowTest, CancelsAndWrongSizesLeaveTheAreaAsItWas) {
    g_rcSnapwick = {200, 200, 700, 600};
    const RECT before = g_rcSnapwick;
    const int32_t sixteen[4] = {10, 10, 400, 300};
    const int32_t eight[8] = {10, 10, 400, 300, 20, 20, 500, 500};
    struct Case {
        const char* what;
        DWORD bytes;
        const void* data;
        bool errorLine;  // a reply no picker sends is logged
    } cases[] = {
        {"a cancel without a size", 0, nullptr, false},
        {"the picker's cancel: 16 bytes without data", 16, nullptr, false},
        {"8 bytes", 8, sixteen, true},
        {"32 bytes", 32, eight, true},
    };
    for (const Case& c : cases) {
        SetWindowPos(Hwnd(), nullptr, 211, 250, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        ShowWindow(SelAreaWindow(), SW_HIDE);
        const int logAt = static_cast<int>(LogLines().size());
        SendPick(Hwnd(), c.bytes, c.data);
        EXPECT_EQ(LogLineIndex("not an area", logAt) >= 0, c.errorLine) << c.what;
        EXPECT_TRUE(EqualRect(&g_rcSnapwick, &before)) << c.what << ": " << RectText(g_rcSnapwick);
        EXPECT_TRUE(IsWindowVisible(SelAreaWindow())) << c.what << ": the region frame shows again";
        EXPECT_TRUE(IsWindowVisible(Hwnd())) << c.what;
        EXPECT_EQ(WindowRect(Hwnd()).left, 211) << c.what << ": the main window is not moved";
    }
    EXPECT_EQ(SendMessageW(Hwnd(), WM_COPYDATA, 0, 0), 0) << "no data block at all";
    EXPECT_TRUE(EqualRect(&g_rcSnapwick, &before));
    ui_test::Pump(50);
}

// Rectangles no picker would send: every value is taken in 64 bits and cut to the
// desktop before it is used, and the main window stays where the user can reach it.
TEST_F(MainWindowTest, HostileRectanglesGiveAnAreaInsideTheDesktop) {
    const RECT desktop = frame->MonitorUnion();
    struct Case {
        const char* what;
        int32_t rect[4];
    } cases[] = {
        {"INT_MIN..INT_MAX", {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}},
        {"INT_MAX..INT_MIN", {INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN}},
        {"far off to the left and up", {-100000, -100000, -99000, -99500}},
        {"far off to the right and down", {50000, 60000, 51000, 61000}},
        {"random bytes", {static_cast<int32_t>(0x9E3779B9), 0x7F4A7C15, static_cast<int32_t>(0xF39CC060), 0x5CEDC834}},
        {"one pixel past the corner", {desktop.right, desktop.bottom, desktop.right + 1, desktop.bottom + 1}},
    };
    for (const Case& c : cases) {
        SendPick(Hwnd(), 16, c.rect);
        const RECT& a = g_rcSnapwick;
        EXPECT_GE(a.left, desktop.left) << c.what << ": " << RectText(a);
        EXPECT_GE(a.top, desktop.top) << c.what << ": " << RectText(a);
        EXPECT_LE(a.right, desktop.right) << c.what << ": " << RectText(a);
        EXPECT_LE(a.bottom, desktop.bottom) << c.what << ": " << RectText(a);
        EXPECT_GE(a.right - a.left, 150) << c.what << ": " << RectText(a);
        EXPECT_GE(a.bottom - a.top, 150) << c.what << ": " << RectText(a);
        ui_test::Pump(30);  // WM_APPLY_RECORD_AREA places the window once more
        RECT rc = WindowRect(Hwnd());
        EXPECT_TRUE(rc.left >= desktop.left && rc.top >= desktop.top && rc.right <= desktop.right &&
                    rc.bottom <= desktop.bottom)
            << c.what << ": main window at " << RectText(rc);
    }
    SetWindowPos(Hwnd(), HWND_NOTOPMOST, 211, 250, 858, 300, SWP_NOACTIVATE);
}

// Pointers another process posted (here: records this program never registered)
// are neither read nor freed: the test frees them itself afterwards.
TEST_F(MainWindowTest, RecordsThatAreNotOursAreIgnored) {
    SetWindowPos(Hwnd(), HWND_TOP, 211, 250, 858, 300, SWP_SHOWWINDOW);
    g_rcSnapwick = {300, 300, 700, 600};  // its left edge lies over the main window
    const RECT before = g_rcSnapwick;
    auto* mouse = new AreaprobeMouseRecord{300, 450, WM_LBUTTONDOWN, 0, 0, 0};  // on the left edge
    auto* request = new RecordRequest;
    request->record_area = 1;
    request->complete_option = L"关机";
    request->task_begin = true;
    auto* menu = new DuiLib::MenuCmd;
    menu->name = L"menu_exit";
    const size_t live = LivePostedRecordCount();
    PostMessageW(Hwnd(), WM_AREAPROBE_MOUSE, WM_LBUTTONDOWN, reinterpret_cast<LPARAM>(mouse));
    PostMessageW(Hwnd(), WM_PLAN_START_RECORD, reinterpret_cast<WPARAM>(request), 0);
    PostMessageW(Hwnd(), DuiLib::WM_MENUCLICK, reinterpret_cast<WPARAM>(menu), 0);
    PostMessageW(Hwnd(), WM_PLAN_START_RECORD, 0x1234, 0);
    ui_test::Pump(100);
    EXPECT_TRUE(IsWindowVisible(Hwnd())) << "the press was not taken for one on the region's edge";
    EXPECT_TRUE(EqualRect(&g_rcSnapwick, &before));
    EXPECT_EQ(frame->PlanTaskParam().complete_option, L"不做任何操作") << "the request was not read";
    EXPECT_FALSE(frame->IsRecordingUnderWay());
    EXPECT_EQ(LivePostedRecordCount(), live);
    EXPECT_TRUE(LogHas("[CVistrelFrame::OnPlanStartRecord] not a request of this program: ignored error"));
    EXPECT_TRUE(LogHas("WM_MENUCLICK without a menu command of this program: ignored error"));
    EXPECT_EQ(mouse->y, 450);
    EXPECT_EQ(request->complete_option, L"关机") << "still allocated and intact";
    EXPECT_EQ(menu->name, DuiLib::CDuiString(L"menu_exit"));
    delete mouse;
    delete request;
    delete menu;
}

// Before a recording the region frame follows a drag of its edge through the
// mouse hook: the main window steps aside while the button is down and comes
// back beside the new area.
TEST_F(MainWindowTest, TheHookDragsTheRegionsEdge) {
    RecordingShell shell;  // the sizing cursor is recorded, not forced
    SetWindowPos(Hwnd(), HWND_TOP, 211, 250, 858, 300, SWP_SHOWWINDOW);
    g_rcSnapwick = {300, 300, 1000, 500};
    SendMessageW(Hwnd(), WM_APPLY_RECORD_AREA, 0, 0);
    SetWindowPos(Hwnd(), HWND_TOP, 211, 250, 858, 300, SWP_SHOWWINDOW);
    ASSERT_TRUE(IsWindowVisible(SelAreaWindow()));
    const POINT edge = {1000, 400}, dragged = {1100, 400};  // the right edge, over the main window
    // The pointer is placed first: Wine takes the X pointer's place as a move
    // whenever windows appear under it.
    SetCursorPos(edge.x, edge.y);
    ui_test::Pump(300);
    ASSERT_TRUE(CursorAt(edge));
    ASSERT_TRUE(SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, edge));
    const std::string sizingCursor = ReplaceCall(IDC_SIZEWE, 32512);
    ASSERT_TRUE(ui_test::PumpUntil([&] { return !shell.calls.empty() && shell.calls[0] == sizingCursor; }))
        << "the hooked move reached the edge test";
    ASSERT_TRUE(SendMouse(MOUSEEVENTF_LEFTDOWN));
    EXPECT_TRUE(ui_test::PumpUntil([&] { return !IsWindowVisible(Hwnd()); })) << "steps aside for the drag";
    ASSERT_TRUE(SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, dragged));
    ASSERT_TRUE(ui_test::PumpUntil([&] { return g_rcSnapwick.right == 1100; })) << RectText(g_rcSnapwick);
    ASSERT_TRUE(SendMouse(MOUSEEVENTF_LEFTUP));
    EXPECT_TRUE(ui_test::PumpUntil([&] { return IsWindowVisible(Hwnd()) != FALSE; })) << "back beside the area";
    const RECT expected = {300, 300, 1100, 500};
    EXPECT_TRUE(EqualRect(&g_rcSnapwick, &expected)) << RectText(g_rcSnapwick);
    EXPECT_EQ(WindowRect(Hwnd()).left, 700 - 429) << "centred across the new area";
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, {5, 795});
    ui_test::Pump(100);
    SetWindowPos(Hwnd(), HWND_NOTOPMOST, 211, 250, 858, 300, SWP_NOACTIVATE);
}

TEST_F(MainWindowTest, ShowSelAreaShowsAndHidesTheRegionFrame) {
    HWND region = SelAreaWindow();
    ASSERT_NE(region, nullptr);
    ShowWindow(region, SW_HIDE);
    SendMessageW(Hwnd(), WM_SHOW_SEL_AREA, 1, 0);
    EXPECT_TRUE(IsWindowVisible(region));
    SendMessageW(Hwnd(), WM_SHOW_SEL_AREA, 2, 0);
    EXPECT_TRUE(IsWindowVisible(region)) << "other values do nothing";
    SendMessageW(Hwnd(), WM_SHOW_SEL_AREA, 0, 0);
    EXPECT_FALSE(IsWindowVisible(region));
}

// The region frame already as asked is not touched: a flood of these messages
// moves no window.
namespace {
WNDPROC g_selAreaProc = nullptr;
int g_selAreaPositionChanges = 0;
LRESULT CALLBACK CountingSelAreaProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_WINDOWPOSCHANGING || msg == WM_SHOWWINDOW) ++g_selAreaPositionChanges;
    return CallWindowProcW(g_selAreaProc, hwnd, msg, wParam, lParam);
}
}  // namespace

TEST_F(MainWindowTest, ShowSelAreaInTheStateItHasCostsNothing) {
    HWND region = SelAreaWindow();
    ASSERT_NE(region, nullptr);
    SendMessageW(Hwnd(), WM_SHOW_SEL_AREA, 1, 0);
    ASSERT_TRUE(IsWindowVisible(region));
    g_selAreaPositionChanges = 0;
    g_selAreaProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(region, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountingSelAreaProc)));
    for (int i = 0; i < 500; ++i) PostMessageW(Hwnd(), WM_SHOW_SEL_AREA, 1, 0);
    ui_test::Pump(200);
    EXPECT_EQ(g_selAreaPositionChanges, 0) << "shown already";
    SendMessageW(Hwnd(), WM_SHOW_SEL_AREA, 0, 0);
    EXPECT_GT(g_selAreaPositionChanges, 0) << "hiding it still hides it";
    g_selAreaPositionChanges = 0;
    for (int i = 0; i < 500; ++i) PostMessageW(Hwnd(), WM_SHOW_SEL_AREA, 0, 0);
    ui_test::Pump(200);
    EXPECT_EQ(g_selAreaPositionChanges, 0) << "hidden already";
    SetWindowLongPtrW(region, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_selAreaProc));
    SendMessageW(Hwnd(), WM_SHOW_SEL_AREA, 1, 0);
    EXPECT_TRUE(IsWindowVisible(region));
}

TEST_F(MainWindowTest, TrayLeftClickShowsTheWindowAndTheRegionFrame) {
    SetWindowPos(Hwnd(), HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    g_userSelMode = kSelModeRegion;
    ShowWindow(Hwnd(), SW_HIDE);
    ShowWindow(SelAreaWindow(), SW_HIDE);
    SendMessageW(Hwnd(), DuiLib::WM_TRAY_NOTIFY, 101, WM_LBUTTONUP);
    EXPECT_TRUE(IsWindowVisible(Hwnd()));
    EXPECT_TRUE(IsWindowVisible(SelAreaWindow())) << "a region is chosen";
    EXPECT_FALSE(GetWindowLongPtrW(Hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST) << "top-most only while recording";

    g_userSelMode = kSelModeSoundOnly;
    ShowWindow(Hwnd(), SW_HIDE);
    ShowWindow(SelAreaWindow(), SW_HIDE);
    SendMessageW(Hwnd(), DuiLib::WM_TRAY_NOTIFY, 101, WM_LBUTTONUP);
    EXPECT_TRUE(IsWindowVisible(Hwnd()));
    EXPECT_FALSE(IsWindowVisible(SelAreaWindow())) << "sound only: no region";
}

TEST_F(MainWindowTest, TrayRightClickOpensTheMenuWhoseItemsComeBackAsMenuClicks) {
    SetCursorPos(600, 500);
    SendMessageW(Hwnd(), DuiLib::WM_TRAY_NOTIFY, 101, WM_RBUTTONUP);
    DuiLib::CMenuWnd* first = frame->TrayMenu();
    ASSERT_NE(first, nullptr);
    HWND firstWindow = first->GetHWND();
    SendMessageW(Hwnd(), DuiLib::WM_TRAY_NOTIFY, 101, WM_RBUTTONUP);
    DuiLib::CMenuWnd* menu = frame->TrayMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_FALSE(IsWindow(firstWindow)) << "the menu still open was closed first";
    RECT client = {};
    GetClientRect(menu->GetHWND(), &client);
    EXPECT_EQ(client.right, 90);
    RECT rc = WindowRect(menu->GetHWND());
    EXPECT_EQ(rc.top, 500 - 102) << "above the cursor";
    for (const wchar_t* item : {L"menu_main", L"menu_set", L"menu_exit"})
        EXPECT_NE(menu->FindControl(item), nullptr) << ui_test::Narrow(item);

    ui_test::Pump(30);  // laid out at its size
    DuiLib::CControlUI* item = menu->FindControl(L"menu_main");
    RECT pos = item->GetPos();
    ShowWindow(Hwnd(), SW_HIDE);
    ui_test::ClickAt(menu->GetHWND(), {(pos.left + pos.right) / 2, (pos.top + pos.bottom) / 2});
    EXPECT_TRUE(ui_test::PumpUntil([&] { return IsWindowVisible(Hwnd()) != FALSE; }))
        << "the item reached the main window as WM_MENUCLICK and showed it";
    EXPECT_EQ(frame->TrayMenu(), nullptr) << "the menu closed with the choice";
    EXPECT_EQ(DuiLib::CMenuWnd::PendingCommandCount(), 0) << "its command record was freed";
    EXPECT_EQ(LivePostedRecordCount(), 0u);
}

TEST_F(MainWindowTest, HotkeysByTheirAtomIdsActInTheirStatesOnly) {
    SendMessageW(Hwnd(), WM_HOTKEY, HotkeyId(L"Ts_RecordReStart_Hotkey"), 0);
    EXPECT_EQ(g_recordeState, _StopState) << "no pause while stopped";
    SendMessageW(Hwnd(), WM_HOTKEY, HotkeyId(L"Ts_OpenZoom_Hotkey"), 0);
    SendMessageW(Hwnd(), WM_HOTKEY, HotkeyId(L"Ts_LockZoomArea_Hotkey"), 0);
    SendMessageW(Hwnd(), WM_HOTKEY, HotkeyId(L"Ts_NoSuchKey_Hotkey"), 0);
    EXPECT_EQ(g_userSelMode, kSelModeNone) << "only printed";

    // The custom area: region mode with the screen, the picker asked for; the test
    // folder has no Snapwick.exe, so the main window comes back at once.
    const int logAt = static_cast<int>(LogLines().size());
    SendMessageW(Hwnd(), WM_HOTKEY, HotkeyId(L"Ts_CustomAera_Hotkey"), 0);
    EXPECT_EQ(g_userSelMode, kSelModeRegion);
    EXPECT_TRUE(IsRecordSourceOn(kSourceScreen));
    EXPECT_GE(LogLineIndex("Snapwick.exe could not be started error", logAt), 0);
    EXPECT_FALSE(IsIconic(Hwnd()));
    DuiLib::CControlUI* region = frame->FindControl(L"btn_part_record");
    ASSERT_NE(region, nullptr);
    EXPECT_TRUE(static_cast<DuiLib::COptionUI*>(region->GetInterface(L"Option"))->IsSelected());
}

// A request is refused (and freed) before it changes the frame's task, mode or
// area, and the user is told why.
TEST_F(MainWindowTest, ScheduledStartsWithNothingToRecordAreRefused) {
    std::atomic<bool> stop{false}, tipSeen{false};
    std::thread closer([&] {  // the tip is modal: closed as soon as it shows
        while (!stop) {
            HWND tip = FindWindowW(L"MsgTipWnd", L"RecordTipDialog");
            if (tip && IsWindowVisible(tip)) {
                tipSeen = true;
                PostMessageW(tip, WM_CLOSE, 1, 0);
            }
            Sleep(20);
        }
    });
    g_rcSnapwick = {100, 100, 500, 400};
    const RECT before = g_rcSnapwick;
    struct Case {
        int32_t area, audio;
        RECT rect;
        const char* logged;
    } cases[] = {
        {0, 0, {0, 0, 0, 0}, "plan_task_param_.record_area == 0 && plan_task_param_.audio_input == 0 warning"},
        {2, 1, {400, 300, 400, 600}, "the task's area is empty: the scheduled start is refused error"},
        {2, 0, {400, 300, 200, 600}, "the task's area is empty: the scheduled start is refused error"},
        {2,
         1,
         {INT32_MAX - 10, INT32_MAX - 10, INT32_MAX, INT32_MAX},
         "the task's area is empty: the scheduled start is refused error"},  // wholly off the desktop
    };
    for (const Case& c : cases) {
        RecordRequest request;
        request.record_area = c.area;
        request.audio_input = c.audio;
        request.left = c.rect.left;
        request.top = c.rect.top;
        request.right = c.rect.right;
        request.bottom = c.rect.bottom;
        request.complete_option = L"关机";
        request.task_begin = true;
        const int logAt = static_cast<int>(LogLines().size());
        ASSERT_TRUE(PostRecordCopy(Hwnd(), WM_PLAN_START_RECORD, request));
        EXPECT_TRUE(ui_test::PumpUntil([&] { return LogLineIndex(c.logged, logAt) >= 0; })) << c.logged;
        EXPECT_EQ(LivePostedRecordCount(), 0u) << "the request was claimed and freed";
        EXPECT_EQ(frame->PlanTaskParam().complete_option, L"不做任何操作");
        EXPECT_EQ(g_userSelMode, kSelModeNone);
        EXPECT_TRUE(EqualRect(&g_rcSnapwick, &before));
        EXPECT_FALSE(frame->IsRecordingUnderWay());
    }
    EXPECT_TRUE(ui_test::PumpUntil([&] { return tipSeen.load(); })) << "told why";
    EXPECT_GE(LogLineIndex("[tip]计划任务未设置录制区域或者音频，未能开始"), 0);
    stop = true;
    closer.join();
}
