// The record area commands: the area menu with its presets, the whole desktop
// and the exact-size dialog, the monitor menu, and region mode. Each ends by
// writing g_rcSnapwick and posting WM_APPLY_RECORD_AREA. UI thread only.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>

#include "app/area/area_presets.h"
#include "app/device_menu_entry.h"
#include "app/vistrel_frame.h"
#include "common/logger.h"
#include "common/record_globals.h"
#include "common/text_convert.h"
#include "overlay/region/sel_area_wnd.h"
#include "overlay/region_size/sel_setting_dlg.h"
#include "shell/custom_messages.h"

using namespace DuiLib;

namespace {

constexpr POINT kMenuOffset = {-94, 27};  // from the arrow's top-left
constexpr SIZE kAreaMenuSize = {156, 224};
constexpr int kAreaMenuWidth = 176;
constexpr int kMonitorMenuWidth = 120;
constexpr int kDeviceRowHeight = 26;
constexpr int kDeviceMenuRows = 5;  // more rows scroll

SIZE SizeOf(const RECT& r) { return {r.right - r.left, r.bottom - r.top}; }

bool SameSize(SIZE a, SIZE b) { return a.cx == b.cx && a.cy == b.cy; }

// The menu's top-left kept inside the desktop.
POINT KeepMenuInside(POINT pt, const RECT& desktop) {
    if (pt.y + kAreaMenuSize.cy > desktop.bottom) pt.y = desktop.bottom - kAreaMenuSize.cy;
    if (pt.x + kAreaMenuSize.cx > desktop.right) pt.x = desktop.right - kAreaMenuSize.cx;
    if (pt.x < desktop.left) pt.x = desktop.left;
    return pt;
}

COptionUI* MenuOption(CMenuWnd* menu, LPCTSTR name) {
    CControlUI* item = menu ? menu->FindControl(name) : nullptr;
    return item ? static_cast<COptionUI*>(item->GetInterface(kOptionInterface)) : nullptr;
}

}  // namespace

void CVistrelFrame::OpenAreaMenu() {
    CControlUI* arrow = m_pSelSet;
    if (!arrow) return;
    POINT pt = {arrow->GetPos().left + kMenuOffset.x, arrow->GetPos().top + kMenuOffset.y};
    ClientToScreen(m_hWnd, &pt);
    ShowAreaMenu(pt.x, pt.y);
}

void CVistrelFrame::ShowAreaMenu(int x, int y) {
    delete m_pSelMenu;
    const POINT pt = KeepMenuInside({x, y}, m_rcMonitorUnion);
    CMenuWnd::CreateMenu(nullptr, L"main_sel_menu.xml", pt, &m_PaintManager, nullptr,
                         eMenuAlignment_Left | eMenuAlignment_Top, &m_pSelMenu);
    if (!m_pSelMenu) {
        LogBoth("CVistrelFrame::ShowAreaMenu", "main_sel_menu.xml could not be shown error");
        return;
    }
    m_pSelMenu->ResizeMenu();
    RECT client = {};
    GetClientRect(m_pSelMenu->GetHWND(), &client);
    m_pSelMenu->ResizeClient(kAreaMenuWidth, client.bottom - client.top);
    FillAreaMenu();
}

// The desktop's item shows its size; the presets show the labels for the
// desktop's width and keep their size texts as user data.
void CVistrelFrame::FillAreaMenu() {
    const SIZE desktop = SizeOf(m_rcMonitorUnion);
    const AreaPresets& presets = PresetsForDesktopWidth(desktop.cx);
    const wchar_t* marked = MarkedAreaItem(SizeOf(g_rcSnapwick), desktop, presets);
    auto mark = [marked](COptionUI* option, LPCTSTR item) {
        option->Selected(marked && wcscmp(marked, item) == 0, false);
    };
    if (COptionUI* full = MenuOption(m_pSelMenu, kAreaItemFull)) {
        wchar_t text[64];
        swprintf(text, 64, L"%ldx%ld (全屏)", desktop.cx, desktop.cy);
        full->SetText(text);
        mark(full, kAreaItemFull);
    }
    for (const AreaPreset& preset : presets) {
        COptionUI* option = MenuOption(m_pSelMenu, preset.item);
        if (!option) continue;
        option->SetText(preset.label);
        option->SetUserData(preset.size);
        mark(option, preset.item);
    }
}

void CVistrelFrame::CloseAreaMenu() {
    // The click is still being handed out by the menu: it closes by message.
    if (m_pSelMenu) m_pSelMenu->Close();
}

void CVistrelFrame::ChooseAreaPreset(const CDuiString& item) {
    COptionUI* option = MenuOption(m_pSelMenu, item);
    const CDuiString size = option ? option->GetUserData() : CDuiString();
    CloseAreaMenu();
    g_rcSnapwick = PresetRect(size);
    PostMessage(WM_APPLY_RECORD_AREA, 0, 0);
    SelectRegionMode();
}

void CVistrelFrame::ChooseWholeDesktop() {
    CloseAreaMenu();
    g_rcSnapwick = m_rcMonitorUnion;
    PostMessage(WM_APPLY_RECORD_AREA, 1, 0);
    SelectRegionMode();
}

RECT CVistrelFrame::PresetRect(LPCTSTR text) const {
    if (!text || !wcschr(text, L'x')) return {0, 0, 0, 0};
    return CentreNewArea(ParsePresetSize(text));
}

// Centred on the monitor under the main window's top-right corner when the
// remembered custom size fits it, else on the desktop.
RECT CVistrelFrame::CentreNewArea(SIZE size) const {
    RECT window = {};
    GetWindowRect(m_hWnd, &window);
    HMONITOR nearest = MonitorFromPoint({window.right, window.top}, MONITOR_DEFAULTTONEAREST);
    RECT monitor = {0, 0, 0, 0};
    for (const MonitorInfo& m : m_monitors) {
        if (m.monitor == nearest) monitor = MonitorRect(m);
    }
    return CentreAreaSize(size, m_rcMonitorUnion, monitor, {m_selAreaWidth, m_selAreaHeight});
}

void CVistrelFrame::ChooseExactSize() {
    CloseAreaMenu();
    SelSettingDlg dialog;
    dialog.SetAspect(m_aspectMode);
    if (!dialog.Create(m_hWnd, L"SelSettingDialog", kSelSettingStyle, kSelSettingExStyle)) {
        LogBoth("CVistrelFrame::ChooseExactSize", "the size dialog could not be created error");
        return;
    }
    if (dialog.ShowDialog(m_hWnd, IsWindowVisible(m_hWnd) != FALSE) != 1) return;
    m_aspectMode = dialog.GetAspect();
    ApplyExactSize(dialog.GetSize());
}

// The same size, or one larger than the desktop, leaves the area as it is and
// only shows the region frame again.
void CVistrelFrame::ApplyExactSize(SIZE size) {
    const SIZE desktop = SizeOf(m_rcMonitorUnion);
    const bool keep = SameSize(size, SizeOf(g_rcSnapwick)) || size.cx > desktop.cx || size.cy > desktop.cy;
    if (keep) {
        HWND selArea = SelAreaWindow();
        if (selArea && !IsWindowVisible(selArea)) ::ShowWindow(selArea, SW_SHOWNORMAL);
    } else {
        g_rcSnapwick = CentreNewArea(size);
        PostMessage(WM_APPLY_RECORD_AREA, SameSize(size, desktop) ? 1 : 0, 0);
    }
    SelectRegionMode();
}

void CVistrelFrame::SelectRegionMode() {
    g_userSelMode = kSelModeRegion;
    AddRecordSource(kSourceScreen);
    if (m_pBtnPartRecord && !m_pBtnPartRecord->IsSelected()) m_pBtnPartRecord->Selected(true);
}

void CVistrelFrame::OpenMonitorMenu() {
    CControlUI* arrow = m_pMonitorSet;
    if (!arrow || m_monitors.size() < 2) return;
    delete m_pMonitorMenu;
    POINT pt = {arrow->GetPos().left + kMenuOffset.x, arrow->GetPos().top + kMenuOffset.y};
    ClientToScreen(m_hWnd, &pt);
    CMenuWnd::CreateMenu(nullptr, L"monitor_menu.xml", pt, &m_PaintManager, nullptr,
                         eMenuAlignment_Left | eMenuAlignment_Top, &m_pMonitorMenu);
    if (!m_pMonitorMenu) return;
    CMenuUI* items = m_pMonitorMenu->GetMenuUI();
    CControlUI* first = items ? items->GetItemAt(0) : nullptr;
    auto* element = first ? static_cast<CContainerUI*>(first->GetInterface(kContainerInterface)) : nullptr;
    if (element) FillMonitorMenu(element);
    m_pMonitorMenu->ResizeMenu();
}

void CVistrelFrame::FillMonitorMenu(CContainerUI* element) {
    CControlUI* first = element->GetItemAt(0);
    auto* list = first ? static_cast<CContainerUI*>(first->GetInterface(kContainerInterface)) : nullptr;
    if (list) {
        for (const MonitorInfo& m : m_monitors) {
            COptionUI* option = MakeDeviceMenuEntry(m.name, L"monitor", m_pMonitorMenu);
            list->Add(option);
            option->Selected(m.name == m_strMonitorSel, false);
            option->OnNotify += MakeDelegate(this, &CVistrelFrame::OnMonitorMenuItem);
        }
    }
    const int rows = std::min(static_cast<int>(m_monitors.size()), kDeviceMenuRows);
    element->SetFixedWidth(kMonitorMenuWidth);
    element->SetFixedHeight(kDeviceRowHeight * rows);
}

bool CVistrelFrame::OnMonitorMenuItem(TNotifyUI* msg) {
    if (!msg || msg->sType != DUI_MSGTYPE_SELECTCHANGED || !msg->pSender) return false;
    ChooseMonitor(msg->pSender->GetText().Str());
    if (auto* menu = reinterpret_cast<CMenuWnd*>(msg->pSender->GetTag())) menu->Close();
    return false;
}

// The chosen monitor becomes what full-screen mode records; a name no monitor
// has gives an empty area.
void CVistrelFrame::ChooseMonitor(const std::wstring& name) {
    m_strMonitorSel = name;
    printf("monitor_sel=%s\n", WideToUtf8(name).c_str());
    RECT area = {0, 0, 0, 0};
    for (const MonitorInfo& m : m_monitors) {
        if (m.name == name) area = MonitorRect(m);
    }
    g_rcSnapwick = area;
    m_rcFullScreen = area;
    PostMessage(WM_APPLY_RECORD_AREA, 1, 0);
    g_userSelMode = kSelModeFullScreen;
    if (m_pBtnAllScreen) m_pBtnAllScreen->Selected(true);
    if (m_pSelAreaWnd) m_pSelAreaWnd->HideDragButton();
    AddRecordSource(kSourceScreen);
}
