// The main window's notifications and the items of its menus: the file lists'
// right-click menu, the tray menu and the plain items of the area and
// sound-source menus (WM_MENUCLICK, handled after the menu has closed), and the
// close request that quits or hides to the tray as the user chose. UI thread.
#include <windows.h>

#include "app/exit_mini_wnd.h"
#include "app/layouts/list_right_menu_names.h"
#include "app/layouts/main_lists_names.h"
#include "app/layouts/main_sel_menu_names.h"
#include "app/lists/file_lists.h"
#include "app/vistrel_frame.h"
#include "common/logger.h"
#include "common/record_globals.h"
#include "shell/custom_messages.h"
#include "shell/tips/del_video_file_tip_dlg.h"

using namespace DuiLib;

namespace {

constexpr POINT kListMenuOffset = {8, 33};  // from the cursor
constexpr SIZE kListMenuSize = {100, 160};
constexpr wchar_t kSelectAll[] = L"全选";
constexpr wchar_t kClearSelection[] = L"取消全选";
constexpr wchar_t kSysAudioSetItem[] = L"sys_audio_set";
constexpr UINT kExitPollMs = 50;  // how often Exit looks whether the dialogs have gone

void EnableItem(CMenuWnd* menu, const LayoutName& item, bool enabled) {
    if (CControlUI* element = menu->FindControl(item.name)) element->SetEnabled(enabled);
}

}  // namespace

void CVistrelFrame::Notify(TNotifyUI& msg) {
    if (msg.sType == DUI_MSGTYPE_MENU) {  // only the file lists' (a menu is a list too)
        if (msg.pSender && (msg.pSender == m_pListVideo || msg.pSender == m_pListPic)) OpenListMenu(msg.lParam);
        return;
    }
    if (msg.sType == DUI_MSGTYPE_SCROLL && m_fileLists) m_fileLists->CancelRename();
    WindowImplBase::Notify(msg);
}

CListUI* CVistrelFrame::ListInUse() const { return m_fileLists ? m_fileLists->ListInUse() : nullptr; }

// A right-click on a row alone (or in a selection of one) selects that row; one
// inside a larger selection keeps it.
void CVistrelFrame::OpenListMenu(LPARAM rowControl) {
    CListUI* list = ListInUse();
    if (!list) return;
    const int count = list->GetCount();
    const int selected = list->GetSelectItemCount();
    const bool allSelected = count == selected && count != 1;
    bool rowChosen = false;
    auto* row = reinterpret_cast<CControlUI*>(rowControl);
    const int index = row ? list->GetItemIndex(row) : -1;
    if (index >= 0 && !allSelected && selected <= 1) {
        list->UnSelectAllItems();
        list->SelectItem(index);
        rowChosen = true;
    }
    delete m_pListMenu;
    POINT pt = {};
    GetCursorPos(&pt);
    pt.x += kListMenuOffset.x;
    pt.y += kListMenuOffset.y;
    CMenuWnd::CreateMenu(nullptr, list_right_menu_names::kLayout, pt, &m_PaintManager, nullptr, eMenuAlignment_Bottom,
                         &m_pListMenu);
    if (!m_pListMenu) return;
    m_pListMenu->ResizeMenu();
    m_pListMenu->ResizeClient(kListMenuSize.cx, kListMenuSize.cy);
    using namespace list_right_menu_names;
    for (const LayoutName& item : {kPreview, kCompress, kEdit, kRename}) EnableItem(m_pListMenu, item, rowChosen);
    if (allSelected)
        if (CControlUI* all = m_pListMenu->FindControl(kAllSel.name)) all->SetText(kClearSelection);
}

void CVistrelFrame::OnMenuCommand(const MenuCmd& cmd) {
    using Command = void (*)(CVistrelFrame&, const MenuCmd&);
    static const struct {
        const LayoutName& item;
        Command run;
    } kItems[] = {
        {list_right_menu_names::kOpenDir,
         [](CVistrelFrame& f, const MenuCmd&) {
             if (f.m_fileLists) f.m_fileLists->OpenOutputFolder();
         }},
        {list_right_menu_names::kPreview,
         [](CVistrelFrame& f, const MenuCmd&) {
             if (f.m_fileLists) f.m_fileLists->OpenSelected();
         }},
        {list_right_menu_names::kAllSel, [](CVistrelFrame& f, const MenuCmd& c) { f.SelectAllRows(c.text); }},
        {list_right_menu_names::kDelete, [](CVistrelFrame& f, const MenuCmd&) { f.DeleteSelectedRows(); }},
        {list_right_menu_names::kRename,
         [](CVistrelFrame& f, const MenuCmd&) {
             if (f.m_fileLists && f.ListInUse()) f.m_fileLists->StartRename();
         }},
        {tray_menu_names::kMenuExit,
         [](CVistrelFrame& f, const MenuCmd&) {
             if (f.BringWindowBackForMenu()) f.OnTrayExit();
         }},
        {tray_menu_names::kMenuSet,
         [](CVistrelFrame& f, const MenuCmd&) {
             if (f.BringWindowBackForMenu()) f.ShowSettingDialog(0);
         }},
        {tray_menu_names::kMenuMain,
         [](CVistrelFrame& f, const MenuCmd&) {
             f.HideToolbar();
             f.PostMessage(WM_SHOW_MAIN_WINDOW, 1, 0);
         }},
        {main_sel_menu_names::kMenuSelSet,
         [](CVistrelFrame& f, const MenuCmd&) {
             f.PickCustomArea();
             if (f.m_pBtnPartRecord && !f.m_pBtnPartRecord->IsSelected()) f.m_pBtnPartRecord->Selected(true);
         }},
    };
    for (const auto& item : kItems) {
        if (cmd.name == item.item.name) {
            item.run(*this, cmd);
            return;
        }
    }
    if (cmd.name == kSysAudioSetItem) {
        fputs("sys_audio_set\n", stdout);
        fflush(stdout);
        ShowAudioSettingDialog();
    }
}

// The item's text as the menu showed it: the menu itself is gone by now.
void CVistrelFrame::SelectAllRows(const CDuiString& itemText) {
    CListUI* list = ListInUse();
    if (!list) return;
    list->UnSelectAllItems();
    if (itemText != kSelectAll) return;
    for (int i = 0; i < list->GetCount(); ++i) list->SelectMultiItem(i);
}

void CVistrelFrame::DeleteSelectedRows() {
    if (!m_fileLists || !ListInUse()) return;
    DelVideoFileTipDlg confirm;
    const DWORD style = WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_BORDER | WS_SYSMENU;
    if (!confirm.Create(m_hWnd, L"DelVideoFileDialog", style, WS_EX_TOPMOST | WS_EX_TOOLWINDOW)) return;
    if (confirm.DoModal(m_hWnd) == 1) m_fileLists->DeleteSelected(confirm.DeleteFromDisk());
}

// Hidden: shown. Parked while recording: back at its place, and the item's
// action runs. Otherwise restored, in front, top-most while recording.
bool CVistrelFrame::BringWindowBackForMenu() {
    if (!IsWindowVisible(m_hWnd)) {
        ::ShowWindow(m_hWnd, SW_SHOWNORMAL);
    } else if (BringParkedWindowBack()) {
        return true;
    } else if (IsIconic(m_hWnd)) {
        ::ShowWindow(m_hWnd, SW_SHOWNORMAL);
    }
    SetForegroundWindow(m_hWnd);
    if (g_recordeState != _StopState) SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    return true;
}

// The tray's Exit always ends the program: the destroy path finishes a running
// recording first. (The close prompt could only hide the window to the tray
// again, leaving the user no way to quit.) Open dialogs are closed first, as if
// cancelled; the window goes once their loops have returned, so that no dialog
// code runs on after its owner is gone.
void CVistrelFrame::OnTrayExit() {
    LogBoth("CVistrelFrame::OnMenuCommand", "menu_exit");
    if (CWindowWnd::ModalDepth() == 0) {
        DestroyWindow(m_hWnd);
        return;
    }
    LogBoth("CVistrelFrame::OnTrayExit", "closing %d open dialogs first", CWindowWnd::ModalDepth());
    CWindowWnd::CloseModalWindows();
    SetTimer(m_hWnd, kTimerExitWaiting, kExitPollMs, nullptr);
}

// UI thread, from the main window's timer.
void CVistrelFrame::OnExitAfterDialogsTimer() {
    if (CWindowWnd::ModalDepth() > 0) return;
    KillTimer(m_hWnd, kTimerExitWaiting);
    DestroyWindow(m_hWnd);
}

void CVistrelFrame::OnMainCloseRequest() {
    LoadExitChoice();
    if (g_exitRemind && !ShowExitMiniWnd(m_hWnd)) return;
    if (g_closeToExit) {
        DestroyWindow(m_hWnd);
        return;
    }
    ::ShowWindow(m_hWnd, SW_HIDE);
    PostMessage(WM_SHOW_SEL_AREA, 0, 0);
}
