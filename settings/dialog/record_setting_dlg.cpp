// The settings dialog: set-up, navigation that follows the scroll, placement,
// the folder browser, restore and OK.
#include "settings/dialog/record_setting_dlg.h"

#include <shlobj.h>
#include <windowsx.h>

#include "common/setting_data.h"
#include "settings/layouts/setting_opt_names.h"

using namespace DuiLib;
namespace names = setting_names;
namespace page_names = setting_opt_names;

// The folder saved when the dialog opened: where the browser starts.
std::wstring g_settingsOutputPath;

namespace {

constexpr POINT kParking = {-682, -702};
constexpr int kSectionTopOffset = 45;  // a chosen section starts this far below the window's top

struct NavPage {
    int index;
    const LayoutName* option;
    const LayoutName* section;
    int gap;  // added to the section's height when the boundaries are summed
};

// Index 9 has neither option nor section.
const NavPage kNavPages[] = {
    {1, &names::kOptOutput, &page_names::kOutPath, 10},
    {2, &names::kOptVideo, &page_names::kVideo, 10},
    {3, &names::kOptAudio, &page_names::kAudio, 10},
    {4, &names::kOptScreenShot, &page_names::kScreenshots, 10},
    {5, &names::kOptMouse, &page_names::kMouse, 12},
    {6, &names::kOptRecord, &page_names::kRecord, 15},
    {7, &names::kOptShortcut, &page_names::kShortcutKeys, 10},
    {8, &names::kOptSuspended, &page_names::kSuspended, 15},
    {10, &names::kOptStartUp, &page_names::kStart, 20},
    {11, &names::kOptMainPanel, &page_names::kMainPanel, 20},
};

// Interfaces under which a point is the control's; anywhere else drags the window.
const wchar_t* const kClientInterfaces[] = {
    L"Button", L"IListOwner",        L"ScrollBar",           L"Edit",        L"ElementExtend", L"HotKey",
    L"ListEx", L"ListTextExElement", L"HotkeyItemConLayout", L"HotkeyLabel", L"Slider",
};

bool IsSender(const TNotifyUI& msg, const LayoutName& entry) { return msg.pSender->GetName() == entry.name; }

int CALLBACK BrowseFolderCallback(HWND window, UINT message, LPARAM, LPARAM) {
    if (message != BFFM_INITIALIZED) return 0;
    const std::wstring start = g_settingsOutputPath.substr(0, MAX_PATH);
    SendMessageW(window, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(start.c_str()));
    SetWindowTextW(window, L"选择文件夹");
    return 0;
}

}  // namespace

POINT CenteredInside(const RECT& around, const RECT& monitor, int w, int h) {
    POINT pt = {(around.left + around.right) / 2 - w / 2, (around.top + around.bottom) / 2 - h / 2};
    if (pt.x < monitor.left) pt.x = monitor.left;
    if (pt.x + w > monitor.right) pt.x = monitor.right - w;
    if (pt.y < monitor.top) pt.y = monitor.top;
    if (pt.y + h > monitor.bottom) pt.y = monitor.bottom - h;
    return pt;
}

void CenterOverWindow(HWND reference, HWND dialog) {
    if (!IsWindow(dialog)) return;
    RECT rc = {};
    GetWindowRect(dialog, &rc);
    const int w = rc.right - rc.left, h = rc.bottom - rc.top;
    RECT around = {};
    const bool shown = reference && IsWindowVisible(reference);
    GetWindowRect(shown ? reference : GetDesktopWindow(), &around);
    MONITORINFO mi = {sizeof(mi)};
    GetMonitorInfoW(MonitorFromWindow(reference ? reference : dialog, MONITOR_DEFAULTTONEAREST), &mi);
    const POINT pt = CenteredInside(around, mi.rcMonitor, w, h);
    SetWindowPos(dialog, nullptr, pt.x, pt.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    MoveWindow(dialog, pt.x, pt.y, w, h, TRUE);
}

// The page is laid out before the loop, so the first page is shown as the window appears.
UINT RecordSettingDlg::ShowDialog(HWND owner, int page, bool center) {
    m_owner = owner;
    m_initialPage = page;
    m_centerOverOwner = center;
    m_PaintManager.UpdateLayout();
    if (!m_initialPageShown) SelectPage(m_initialPage);
    m_initialPageShown = true;
    return ShowModalFrom(kParking, true);
}

// Over the owner when it asked for that, otherwise the library's centring. UI thread.
void RecordSettingDlg::CenterForModal() {
    if (m_centerOverOwner)
        CenterOverWindow(m_owner, m_hWnd);
    else
        CenterWindow();
}

CControlUI* RecordSettingDlg::CreateControl(LPCTSTR pstrClass) {
    if (wcscmp(pstrClass, kHotkeyLabelInterface) == 0) return new HotkeyLabel;
    if (wcscmp(pstrClass, kHotkeyItemContainerInterface) == 0) return new HotkeyItemContainer;
    return nullptr;
}

void RecordSettingDlg::InitWindow() {
    m_pRoot = FindNamed<CVerticalLayoutUI>(m_PaintManager, {names::kRoot.name, L"VerticalLayout"});
    m_pOptionContainer =
        FindNamed<CVerticalLayoutUI>(m_PaintManager, {names::kOptionContainer.name, L"VerticalLayout"});
    m_pPageContainer = FindNamed<CVerticalLayoutUI>(m_PaintManager, {names::kPageContainer.name, L"VerticalLayout"});
    if (m_pRoot && m_pOptionContainer && m_pPageContainer) InitControls();
}

void RecordSettingDlg::InitControls() {
    m_pClose = FindNamed<CButtonUI>(m_PaintManager, names::kClose);
    m_pBtnOk = FindNamed<CButtonUI>(m_PaintManager, names::kBtnOk);
    for (const NavPage& nav : kNavPages) m_pNavOptions[nav.index] = FindNamed<COptionUI>(m_PaintManager, *nav.option);
    m_pPage = new SettingOpt(&m_PaintManager, this);
    m_pPageContainer->Add(m_pPage);
    m_pPage->SetVisible(true);
    for (const NavPage& nav : kNavPages) m_pSections[nav.index] = FindNamed<CContainerUI>(m_PaintManager, *nav.section);
    ComputeBoundaries();
    m_pPageContainer->OnNotify += MakeDelegate(this, &RecordSettingDlg::SyncNavToScroll);
    InitHotkeyRows();
    g_settingsOutputPath = CSettingData::GetInstance()->GetSettings().path;
    m_outputPath = g_settingsOutputPath;
}

// Boundary k is where section k ends; index 9 has none and stays 0.
void RecordSettingDlg::ComputeBoundaries() {
    int sum = 0;
    for (const NavPage& nav : kNavPages) {
        const int height = m_pSections[nav.index] ? m_pSections[nav.index]->GetFixedHeight() : 0;
        sum += height + nav.gap;
        m_boundaries[nav.index] = sum;
    }
}

int RecordSettingDlg::PageAtScroll(int y) const {
    if (y < m_boundaries[1]) return 1;
    int previous = m_boundaries[1];
    for (const NavPage& nav : kNavPages) {
        if (nav.index == 1) continue;
        if (y >= previous && y < m_boundaries[nav.index]) return nav.index;
        previous = m_boundaries[nav.index];
    }
    return kSettingPages;  // past the last boundary: the last section
}

bool RecordSettingDlg::SyncNavToScroll(TNotifyUI* msg) {
    if (msg->sType != DUI_MSGTYPE_SCROLL) return true;
    if (!m_pPageContainer) return false;
    const int chosen = PageAtScroll(m_pPageContainer->GetScrollPos().cy);
    for (const NavPage& nav : kNavPages) {
        if (m_pNavOptions[nav.index]) m_pNavOptions[nav.index]->Selected(nav.index == chosen);
    }
    return true;
}

void RecordSettingDlg::SelectPage(int index) {
    if (!m_pPageContainer) return;
    if (index <= 0) index = 1;
    if (index > kSettingPages) return;
    SIZE pos = m_pPageContainer->GetScrollPos();
    if (index == 1) {
        if (!m_pNavOptions[1]) return;
        pos.cy = 0;
    } else {
        if (!m_pNavOptions[index] || !m_pSections[index]) return;
        pos.cy += m_pSections[index]->GetPos().top - kSectionTopOffset;
    }
    const SIZE before = m_pPageContainer->GetScrollPos();
    m_pPageContainer->SetScrollPos(pos);
    if (m_pPageContainer->GetScrollPos().cy == before.cy) {
        TNotifyUI same;  // the position did not move: the highlight still follows it
        same.sType = DUI_MSGTYPE_SCROLL;
        same.pSender = m_pPageContainer;
        SyncNavToScroll(&same);
    }
}

LRESULT RecordSettingDlg::OnNcHitTest(UINT, WPARAM, LPARAM lParam, bool&) {
    POINT pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ScreenToClient(m_hWnd, &pt);
    CControlUI* control = m_PaintManager.FindControl(pt);
    if (!control) return HTCLIENT;
    for (const wchar_t* name : kClientInterfaces)
        if (control->GetInterface(name)) return HTCLIENT;
    return HTCAPTION;
}

void RecordSettingDlg::Notify(TNotifyUI& msg) {
    if (!msg.pSender || msg.sType == DUI_MSGTYPE_WINDOWINIT) return;
    if (msg.sType == DUI_MSGTYPE_CLICK) {
        OnClick(msg);
    } else if (msg.sType == DUI_MSGTYPE_SELECTCHANGED) {
        if (auto* row = static_cast<HotkeyLabel*>(msg.pSender->GetInterface(kHotkeyLabelInterface))) SelectRow(row);
    }
}

void RecordSettingDlg::OnClick(TNotifyUI& msg) {
    if (msg.pSender == m_pClose) {
        Close(0);
    } else if (msg.pSender == m_pBtnOk) {
        if (!OnOK()) Close(0);
    } else if (IsSender(msg, names::kBtnRestoreDefault)) {
        RestoreAllDefaults();
    } else if (IsSender(msg, page_names::kChangePath)) {
        ChooseFolder();
    } else if (IsSender(msg, page_names::kOpenFolder)) {
        OpenFolder();
    } else if (IsSender(msg, page_names::kBtnHotkeyDefault)) {
        RefillHotkeyRows(CHotKeySetting::DefaultList());
        if (m_pCurrentRow) ShowRowKeys(m_pCurrentRow->GetModifiers(), m_pCurrentRow->GetKeyText().Str());
    } else {
        for (const NavPage& nav : kNavPages) {
            if (m_pNavOptions[nav.index] && msg.pSender == m_pNavOptions[nav.index]) SelectPage(nav.index);
        }
    }
}

bool RecordSettingDlg::OnOK() {
    if (RefuseOneKeyOnTwoRows()) return true;
    if (m_pPage) m_pPage->Apply(m_outputPath);
    ApplyHotkeys();
    return ShowHotkeyConflictTip();
}

// The rows show the defaults; nothing is saved or registered before OK.
void RecordSettingDlg::RestoreAllDefaults() {
    RefillHotkeyRows(CHotKeySetting::DefaultList());
    if (m_pCurrentRow) ShowRowKeys(m_pCurrentRow->GetModifiers(), m_pCurrentRow->GetKeyText().Str());
    if (m_pPage) m_pPage->ResetDefaults();
}

void RecordSettingDlg::ChooseFolder() {
    BROWSEINFOW info = {};
    info.hwndOwner = m_hWnd;
    info.lpszTitle = L"保存文件的位置";
    info.lpfn = BrowseFolderCallback;
    if (PIDLIST_ABSOLUTE item = SHBrowseForFolderW(&info)) {
        wchar_t path[MAX_PATH] = {};
        if (SHGetPathFromIDListW(item, path)) m_outputPath = path;
        CoTaskMemFree(item);
    }
    if (auto* label = FindNamed<CLabelUI>(m_PaintManager, page_names::kShowPath)) label->SetText(m_outputPath.c_str());
}

void RecordSettingDlg::OpenFolder() {
    ShellExecuteW(m_hWnd, L"open", m_outputPath.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}
