// The message hub's handlers for windows, programs and the desktop: the area
// picker's reply, the mouse hook, the tray icon, the menus, and the messages that
// show the main window and the region frame or apply a new area.
#include <windows.h>
#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "app/layouts/main_sel_menu_names.h"
#include "app/lists/file_lists.h"
#include "app/recording_ui/toolbar_wnd.h"
#include "app/vistrel_frame.h"
#include "app/window_placement.h"
#include "areaprobe/areaprobe.h"
#include "common/logger.h"
#include "common/posted_records.h"
#include "common/program_path.h"
#include "common/record_globals.h"
#include "common/text_convert.h"
#include "overlay/region/sel_area_wnd.h"
#include "shell/custom_messages.h"

using namespace DuiLib;

namespace {

constexpr char kHub[] = "CVistrelFrame::HandleCustomMessage";
constexpr int kEdgeMargin = 3;      // the region's edges catch the mouse this close
constexpr int kTrayMenuLift = 102;  // the tray menu opens this far above the cursor
constexpr int kTrayMenuWidth = 90;
constexpr DWORD kPickedAreaBytes = 16;  // left, top, right, bottom as 32-bit integers
constexpr wchar_t kPickerProgram[] = L"Snapwick.exe";
constexpr wchar_t kPickerWindowClass[] = L"UISnapwickFrame";

bool IsVisibleWindowOfClass(LPCWSTR className) {
    HWND window = FindWindowW(className, nullptr);
    return window && IsWindowVisible(window);
}

bool IsRecording() { return g_recordeState != _StopState; }

}  // namespace

RECT CVistrelFrame::FullScreenRect() const { return IsRectEmpty(&m_rcFullScreen) ? m_rcMonitorUnion : m_rcFullScreen; }

void CVistrelFrame::SelectFullScreen() {
    g_userSelMode = kSelModeFullScreen;
    if (m_pBtnAllScreen) m_pBtnAllScreen->Selected(true);
    g_rcSnapwick = FullScreenRect();
    PostMessage(WM_APPLY_RECORD_AREA, 1, 0);
    if (m_pSelAreaWnd) m_pSelAreaWnd->HideDragButton();
    AddRecordSource(kSourceScreen);
}

// The picker answers with WM_COPYDATA. When it is missing or cannot be started
// the region frame is how the area is chosen: it is shown for the user to move
// and resize, rather than leaving the user with nothing on the screen. While a
// picker is shown, or the one started last still runs, no second one starts.
void CVistrelFrame::PickCustomArea() {
    if (IsPickUnderWay()) return;
    g_userSelMode = kSelModeRegion;
    AddRecordSource(kSourceScreen);
    if (m_pBtnPartRecord) m_pBtnPartRecord->Selected(true);
    const std::wstring picker = GetProgramFolderW() + kPickerProgram;
    if (GetFileAttributesW(picker.c_str()) == INVALID_FILE_ATTRIBUTES) {
        LogBoth("CVistrelFrame::PickCustomArea", "[path]%s missing: Snapwick.exe could not be started error",
                WideToUtf8(picker).c_str());
        ShowRegionFrameForPick();
        return;
    }
    ::ShowWindow(m_hWnd, SW_MINIMIZE);
    SHELLEXECUTEINFOW start = {sizeof(start)};
    start.fMask = SEE_MASK_NOCLOSEPROCESS;
    start.lpVerb = L"open";
    start.lpFile = picker.c_str();
    start.nShow = SW_SHOWNORMAL;
    if (!ShellExecuteExW(&start)) {
        LogBoth("CVistrelFrame::PickCustomArea", "[ShellExecuteExW]%lu Snapwick.exe could not be started error",
                GetLastError());
        ::ShowWindow(m_hWnd, SW_RESTORE);
        ShowRegionFrameForPick();
        return;
    }
    m_pickerProcess = start.hProcess;
    Sleep(100);
    HWND selArea = SelAreaWindow();
    if (selArea && IsWindowVisible(selArea)) ::ShowWindow(selArea, SW_MINIMIZE);
}

bool CVistrelFrame::IsPickUnderWay() {
    if (IsVisibleWindowOfClass(kPickerWindowClass)) return true;
    if (m_pickerProcess && WaitForSingleObject(m_pickerProcess, 0) == WAIT_TIMEOUT) return true;
    ForgetPicker();
    return false;
}

void CVistrelFrame::ForgetPicker() {
    if (m_pickerProcess) CloseHandle(m_pickerProcess);
    m_pickerProcess = nullptr;
}

// A full-screen (or no) area becomes the custom size, centred on the desktop.
void CVistrelFrame::ShowRegionFrameForPick() {
    const RECT full = FullScreenRect();
    if (IsRectEmpty(&g_rcSnapwick) || EqualRect(&g_rcSnapwick, &full)) {
        const int width = std::min<int>(m_selAreaWidth, full.right - full.left);
        const int height = std::min<int>(m_selAreaHeight, full.bottom - full.top);
        g_rcSnapwick.left = full.left + (full.right - full.left - width) / 2;
        g_rcSnapwick.top = full.top + (full.bottom - full.top - height) / 2;
        g_rcSnapwick.right = g_rcSnapwick.left + width;
        g_rcSnapwick.bottom = g_rcSnapwick.top + height;
    }
    PostMessage(WM_APPLY_RECORD_AREA, 0, 0);
}

// Only a 16-byte rectangle is an area; anything else leaves the area as it was.
// A cancel comes without a rectangle: 16 bytes with a null pointer from the
// picker, or no size at all.
void CVistrelFrame::OnAreaPicked(LPARAM copyData) {
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(copyData);
    const bool picked = data && data->cbData == kPickedAreaBytes && data->lpData;
    const bool cancel = data && (data->cbData == 0 || (data->cbData == kPickedAreaBytes && !data->lpData));
    if (picked) {
        RECT area;
        memcpy(&area, data->lpData, kPickedAreaBytes);
        g_rcSnapwick = EnlargePickedArea(area, m_rcMonitorUnion);
        LogBoth(kHub, "[left]%ld [top]%ld [right]%ld [bottom]%ld g_rcSnapwick", g_rcSnapwick.left, g_rcSnapwick.top,
                g_rcSnapwick.right, g_rcSnapwick.bottom);
        PostMessage(WM_APPLY_RECORD_AREA, 0, 0);
        HWND editor = FindWindowW(L"PlanAddTaskWnd_TS", nullptr);
        if (editor && IsWindowVisible(editor))
            ::PostMessageW(editor, WM_PLAN_AREA_PICKED, MAKELONG(g_rcSnapwick.left, g_rcSnapwick.top),
                           MAKELONG(g_rcSnapwick.right, g_rcSnapwick.bottom));
    } else if (data && !cancel) {
        LogBoth(kHub, "[cbData]%lu not an area: taken as a cancel error", static_cast<unsigned long>(data->cbData));
    }
    ::ShowWindow(m_hWnd, SW_SHOWNORMAL);
    if (!picked) {
        ShowSelArea(true);
        return;
    }
    PlaceMainWindowBesideArea(g_rcSnapwick, kGapBelowPickedArea, HWND_TOP);
}

void CVistrelFrame::PlaceMainWindowBesideArea(const RECT& area, int gap, HWND insertAfter) {
    RECT rc = {};
    GetWindowRect(m_hWnd, &rc);
    const POINT pt = PlaceBesideArea(area, {rc.right - rc.left, rc.bottom - rc.top}, m_rcMonitorUnion, gap);
    SetWindowPos(m_hWnd, insertAfter, pt.x, pt.y, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
}

void CVistrelFrame::OnApplyRecordArea(WPARAM centre) {
    if (m_pSelAreaWnd) {
        m_pSelAreaWnd->SetSelRect(g_rcSnapwick.left, g_rcSnapwick.top, g_rcSnapwick.right, g_rcSnapwick.bottom);
        ShowSelArea(true);
    }
    if (centre != 1) {
        PlaceMainWindowBesideArea(g_rcSnapwick, kGapBelowAppliedArea, HWND_TOPMOST);
        return;
    }
    if (IsOptionSelected(m_pBtnVideolist)) {
        m_pBtnVideolist->Selected(false);
        SetRecordButtonSkins(false);
    }
    const RECT& a = g_rcSnapwick;
    const POINT centred = {static_cast<LONG>((int64_t{a.left} + a.right) / 2 - kMainWindowWidth / 2),
                           static_cast<LONG>((int64_t{a.top} + a.bottom) / 2 - kMainWindowHeight / 2)};
    const POINT pt = KeepWindowInside(centred, {kMainWindowWidth, kMainWindowHeight}, m_rcMonitorUnion);
    MoveMainWindow(pt.x, pt.y, kMainWindowWidth, kMainWindowHeight, true);
}

// The hook reports every mouse event of the desktop: before a recording the
// region frame follows drags of its edges and middle even where the main window
// is not under the cursor.
LRESULT CVistrelFrame::OnAreaprobeMouse(WPARAM message, LPARAM lParam) {
    AreaprobeMouseRecord record;
    if (!TakeAreaprobeRecord(lParam, &record)) return 0;  // not a report of the hook: never read
    const UINT mouse = static_cast<UINT>(message);
    HWND spotlight = IsRecording() ? FindWindowW(L"spotlight_wnd", L"spot_wnd_ts") : nullptr;
    if (spotlight && IsWindowVisible(spotlight)) {
        if (m_pToolbarWnd) m_pToolbarWnd->ForwardSpotPoint(record.x, record.y);
        return 1;
    }
    if (IsOptionSelected(m_pBtnAllScreen)) return 0;
    RECT mainRect = {};
    GetWindowRect(m_hWnd, &mainRect);
    const bool leftDown = (GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0;
    const bool pressed = PtInRect(&mainRect, {record.x, record.y}) && leftDown;
    if (IsRecording()) {
        if (m_pSelAreaWnd) m_pSelAreaWnd->HideDragButton();
        return 0;
    }
    if (!(mouse == WM_MOUSEMOVE && leftDown)) {  // a drag keeps the handle of its press
        const int handle = HitTestRegionEdge(g_rcSnapwick, kEdgeMargin, pressed, record.x, record.y);
        if (mouse == WM_LBUTTONDOWN) {
            m_hitCode = handle;
            if (handle != 0)
                SetWindowPos(m_hWnd, nullptr, kParkedPosition, kParkedPosition, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
        }
    }
    if (m_pSelAreaWnd) m_pSelAreaWnd->OnSelMouse(m_hitCode, mouse, record.x, record.y, m_aspectMode);
    if (mouse == WM_LBUTTONUP) {
        HWND selArea = SelAreaWindow();
        if (!IsWindowVisible(m_hWnd) && selArea && IsWindowVisible(selArea)) {
            PlaceMainWindowBesideArea(g_rcSnapwick, kGapBelowPickedArea, HWND_TOP);
            SetWndTopMost(m_hWnd);
        }
        m_hitCode = 0;
    }
    return 0;
}

bool CVistrelFrame::BringParkedWindowBack() {
    if (!IsParked() || IsRectEmpty(&m_rcSavedWindow)) return false;
    Unpark();
    return true;
}

void CVistrelFrame::ShowMainWindowInFront() {
    ::ShowWindow(m_hWnd, SW_SHOWNORMAL);
    SetForegroundWindow(m_hWnd);
    if (IsRecording()) SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void CVistrelFrame::ShowSelAreaForMode() {
    HWND selArea = SelAreaWindow();
    if (selArea && !IsWindowVisible(selArea) && g_userSelMode < kSelModeSoundOnly) ShowSelArea(true);
}

void CVistrelFrame::HideToolbar() {
    HWND toolbar = ToolbarWindow();
    if (toolbar && IsWindowVisible(toolbar)) ::ShowWindow(toolbar, SW_HIDE);
}

LRESULT CVistrelFrame::OnShowMainWindow(WPARAM wParam) {
    if (wParam != 1) return 0;
    if (IsWindowVisible(m_hWnd) && BringParkedWindowBack()) return 1;
    ::ShowWindow(m_hWnd, SW_SHOWNORMAL);
    if (IsIconic(m_hWnd)) ::ShowWindow(m_hWnd, SW_SHOWNORMAL);
    SetForegroundWindow(m_hWnd);
    if (IsRecording()) {
        SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        if (m_pSwitch) m_pSwitch->Invalidate();
    }
    ShowSelAreaForMode();
    return 0;
}

// Anyone may post this (a second instance does): a frame already as asked is left
// alone, so a flood of them costs nothing.
void CVistrelFrame::OnShowSelArea(WPARAM show) {
    if (show > 1) return;
    HWND selArea = SelAreaWindow();
    if (!selArea) return;
    const bool shown = IsWindowVisible(selArea) && !IsIconic(selArea);
    if (shown != (show == 1)) ShowSelArea(show == 1);
}

// The region frame is an overlay the clicks pass through: shown, it never takes
// the focus from the window the user is in.
void CVistrelFrame::ShowSelArea(bool show) {
    if (HWND selArea = SelAreaWindow()) ::ShowWindow(selArea, show ? SW_SHOWNOACTIVATE : SW_HIDE);
}

void CVistrelFrame::OnTrayNotify(LPARAM mouseMessage) {
    if (mouseMessage == WM_LBUTTONUP)
        OnTrayLeftClick();
    else if (mouseMessage == WM_RBUTTONUP)
        OnTrayRightClick();
}

void CVistrelFrame::OnTrayLeftClick() {
    const bool visible = IsWindowVisible(m_hWnd) != FALSE;
    LogBoth(kHub, " [bVisible]%d", visible ? 1 : 0);
    if (!visible) {
        ShowSelAreaForMode();
        ShowMainWindowInFront();
        HideToolbar();
        return;
    }
    if (BringParkedWindowBack()) {
        HideToolbar();
        return;
    }
    ShowMainWindowInFront();
}

// "menu.xml": its items come back as WM_MENUCLICK.
void CVistrelFrame::OnTrayRightClick() {
    delete m_pTrayMenu;  // one still open closes; the menu clears the slot
    POINT pt = {};
    GetCursorPos(&pt);
    pt.y -= kTrayMenuLift;
    CMenuWnd::CreateMenu(nullptr, L"menu.xml", pt, &m_PaintManager, nullptr, eMenuAlignment_Left | eMenuAlignment_Top,
                         &m_pTrayMenu);
    if (!m_pTrayMenu) {
        LogBoth(kHub, "menu.xml could not be shown error");
        return;
    }
    m_pTrayMenu->ResizeMenu();
    RECT client = {};
    GetClientRect(m_pTrayMenu->GetHWND(), &client);
    m_pTrayMenu->ResizeClient(kTrayMenuWidth, client.bottom - client.top);
}

void CVistrelFrame::OnMenuClick(WPARAM record) {
    MenuCmd* cmd = ClaimPostedRecord<MenuCmd>(record);
    if (!cmd) {
        LogBoth(kHub, "WM_MENUCLICK without a menu command of this program: ignored error");
        return;
    }
    OnMenuCommand(*cmd);
    CPaintManagerUI::DeleteMenuCmd(cmd);
}

void CVistrelFrame::OnRecordScreenshot() {
    HWND toolbar = ToolbarWindow();
    if (!toolbar || !IsWindow(toolbar)) return;
    const std::wstring path = m_pToolbarWnd->CaptureRecordArea();
    if (!path.empty() && m_fileLists) m_fileLists->AddScreenshot(path);
}

// A double click on a row of either list opens its file.
void CVistrelFrame::OnListDoubleClick(LPARAM point) {
    const POINT pt = {GET_X_LPARAM(point), GET_Y_LPARAM(point)};
    CControlUI* row = nullptr;
    for (CControlUI* c = m_PaintManager.FindControl(pt); c; c = c->GetParent()) {
        if (!row && c->GetInterface(kListTextElementInterface)) row = c;
        const bool inList = c == m_pListVideo || c == m_pListPic;
        if (inList && row && m_fileLists) {
            m_fileLists->OpenListFile(row->GetName().Str());
            return;
        }
    }
}

void CVistrelFrame::OnActivate(WPARAM wParam) {
    fputs(LOWORD(wParam) ? "CVistrelFrame::activated\n" : "CVistrelFrame::deactivated\n", stdout);
    fflush(stdout);
}
