// The repeat and cycle pop-ups: their controls from the editor's values, and the
// values handed back when they lose the focus.
#include "schedule/task_popups.h"

#include <cwchar>

#include "schedule/layouts/task_cycle_dlg_names.h"
#include "schedule/layouts/task_repeat_dlg_names.h"
#include "schedule/plan_add_task_dlg.h"
#include "schedule/task_info.h"

using namespace DuiLib;

namespace {

constexpr wchar_t kProgrammatic[] = L"ctrl_init";

RECT PrimaryWorkArea() {
    RECT area = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    MONITORINFO info = {sizeof info};
    if (GetMonitorInfoW(MonitorFromWindow(nullptr, MONITOR_DEFAULTTONEAREST), &info)) area = info.rcWork;
    return area;
}

// The editor's window, brought up together with the pop-up that takes the focus.
void ShowOnTop(HWND popup) {
    SetWindowPos(popup, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    SetForegroundWindow(popup);
    SetFocus(popup);
}

// A closing pop-up gives the activation back to the editor: otherwise Wine may
// activate another window, and the editor's next click only activates it.
void ReturnToEditor(HWND editor) {
    if (editor && IsWindow(editor) && GetForegroundWindow() != editor) SetForegroundWindow(editor);
}

bool IsSender(const TNotifyUI& msg, const CControlUI* control) { return control && msg.pSender == control; }

}  // namespace

POINT ClampPopupAnchor(POINT pt, SIZE size, const RECT& work) {
    if (pt.x < work.left)
        pt.x = work.left;
    else if (pt.x + size.cx > work.right)
        pt.x = work.right - size.cx;
    if (pt.y < work.top)
        pt.y = work.top;
    else if (pt.y + size.cy > work.bottom)
        pt.y = work.bottom - size.cy;
    return pt;
}

void TaskRepeatDlg::SetAnchor(POINT& pt) { pt = ClampPopupAnchor(pt, kRepeatPopupSize, PrimaryWorkArea()); }

void TaskRepeatDlg::SetRepeatText(const std::wstring& repeat) { m_items = SplitRepeat(repeat); }

void TaskRepeatDlg::SetNotifyWindow(HWND editor) {
    m_notifyWindow = editor;
    ShowOnTop(m_hWnd);
}

CDuiString TaskRepeatDlg::GetSkinFile() { return task_repeat_dlg_names::kLayout; }

void TaskRepeatDlg::InitWindow() {
    namespace names = task_repeat_dlg_names;
    m_pChkRepeat = FindNamed<CCheckBoxUI>(m_PaintManager, names::kChkRepeat);
    m_pVerWeek = FindNamed<CContainerUI>(m_PaintManager, names::kVerWeek);
    for (int day = 0; day < 7; ++day) m_pDays[day] = FindNamed<CCheckBoxUI>(m_PaintManager, names::kWeekdays[day]);
    if (!m_pChkRepeat || !m_pVerWeek) return;
    for (CCheckBoxUI* day : m_pDays)
        if (!day) return;
    const bool repeats = !m_items.empty();
    if (repeats) m_pChkRepeat->SetUserData(kProgrammatic);
    m_pChkRepeat->SetCheck(repeats);
    m_pVerWeek->SetEnabled(repeats);
    for (const std::wstring& item : m_items) {
        const long day = wcstol(item.c_str(), nullptr, 10);
        if (day >= 0 && day <= 6) m_pDays[day]->SetCheck(true, false);
    }
}

void TaskRepeatDlg::SetWeekdays(bool ticked) {
    for (CCheckBoxUI* day : m_pDays)
        if (day) day->SetCheck(ticked, false);
}

bool TaskRepeatDlg::AnyDayTicked() const {
    for (CCheckBoxUI* day : m_pDays)
        if (day && day->GetCheck()) return true;
    return false;
}

void TaskRepeatDlg::OnSelectChanged(TNotifyUI& msg) {
    if (!m_pChkRepeat || !m_pVerWeek) return;
    if (IsSender(msg, m_pChkRepeat)) {
        if (m_pChkRepeat->GetUserData() == kProgrammatic) {
            m_pChkRepeat->SetUserData(L"");
            return;
        }
        const bool on = m_pChkRepeat->GetCheck();
        m_pVerWeek->SetEnabled(on);
        SetWeekdays(on);
        if (m_editor) m_editor->ShowDateFields(!on);
        return;
    }
    if (!AnyDayTicked()) {
        m_pChkRepeat->SetCheck(false);
        m_pVerWeek->SetEnabled(false);
    }
}

std::wstring TaskRepeatDlg::BuildRepeatText() const {
    if (!m_pChkRepeat || !m_pChkRepeat->GetCheck()) return {};
    std::wstring text;
    for (int day = 0; day < 7; ++day)
        if (m_pDays[day] && m_pDays[day]->GetCheck()) text += std::to_wstring(day) + L",";
    if (!text.empty()) text.pop_back();
    return text;
}

LRESULT TaskRepeatDlg::OnKillFocus(UINT, WPARAM, LPARAM, bool& bHandled) {
    bHandled = true;
    if (m_editor) m_editor->SetRepeat(BuildRepeatText());
    Close(1);
    return 0;
}

LRESULT TaskRepeatDlg::OnDestroy(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) {
    ReturnToEditor(m_notifyWindow);
    return WindowImplBase::OnDestroy(uMsg, wParam, lParam, bHandled);
}

void TaskCycleDlg::SetAnchor(POINT& pt) { pt = ClampPopupAnchor(pt, kCyclePopupSize, PrimaryWorkArea()); }

void TaskCycleDlg::SetValues(bool cycle, int32_t count, bool manualStop) {
    m_cycle = cycle;
    m_count = count;
    m_manualStop = manualStop;
}

void TaskCycleDlg::SetNotifyWindow(HWND editor) {
    m_notifyWindow = editor;
    ShowOnTop(m_hWnd);
}

CDuiString TaskCycleDlg::GetSkinFile() { return task_cycle_dlg_names::kLayout; }

void TaskCycleDlg::InitWindow() {
    namespace names = task_cycle_dlg_names;
    m_pChkCycle = FindNamed<CCheckBoxUI>(m_PaintManager, names::kChkCycle);
    m_pVerCycle = FindNamed<CContainerUI>(m_PaintManager, names::kVerCycle);
    m_pCycleTime = FindNamed<COptionUI>(m_PaintManager, names::kCycleTime);
    m_pCycleTimeEdit = FindNamed<CEditUI>(m_PaintManager, names::kCycleTimeEdit);
    m_pCycleHandle = FindNamed<COptionUI>(m_PaintManager, names::kCycleHandle);
    if (m_pChkCycle) m_pChkCycle->SetCheck(m_cycle);
    if (m_pVerCycle) m_pVerCycle->SetEnabled(m_cycle);
    if (m_pCycleTime) m_pCycleTime->Selected(!m_manualStop, false);
    if (m_pCycleTimeEdit) m_pCycleTimeEdit->SetText(std::to_wstring(m_count).c_str());
    if (m_pCycleHandle) m_pCycleHandle->Selected(m_manualStop, false);
}

void TaskCycleDlg::OnSelectChanged(TNotifyUI& msg) {
    if (IsSender(msg, m_pChkCycle) && m_pVerCycle) m_pVerCycle->SetEnabled(m_pChkCycle->GetCheck());
}

// A click into the count's edit moves the focus within the pop-up: it stays.
LRESULT TaskCycleDlg::OnKillFocus(UINT, WPARAM, LPARAM, bool& bHandled) {
    bHandled = true;
    POINT cursor = {};
    GetCursorPos(&cursor);
    ScreenToClient(m_hWnd, &cursor);
    if (m_pCycleTimeEdit && PtInRect(&m_pCycleTimeEdit->GetPos(), cursor)) return 0;
    if (m_editor && m_pChkCycle && m_pCycleTimeEdit && m_pCycleHandle)
        m_editor->SetCycle(m_pChkCycle->GetCheck(),
                           static_cast<int32_t>(wcstol(m_pCycleTimeEdit->GetText().Str().c_str(), nullptr, 10)),
                           m_pCycleHandle->IsSelected());
    Close(1);
    return 0;
}

LRESULT TaskCycleDlg::OnDestroy(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) {
    ReturnToEditor(m_notifyWindow);
    return WindowImplBase::OnDestroy(uMsg, wParam, lParam, bHandled);
}
