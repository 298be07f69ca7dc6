// The task editor: filling its controls from the task, the stop and duration
// groups, the custom area, the pop-ups, and the checks of OK.
#include "schedule/plan_add_task_dlg.h"

#include <shellapi.h>

#include <cwchar>

#include "common/logger.h"
#include "common/text_convert.h"
#include "schedule/date_time_text.h"
#include "schedule/layouts/plan_add_task_names.h"
#include "schedule/plan_task_manager.h"
#include "schedule/task_popups.h"
#include "shell/custom_messages.h"
#include "shell/tips/msg_tip_dlg.h"

using namespace DuiLib;
namespace names = plan_add_task_names;

namespace {

constexpr POINT kParking = {-710, -514};
const std::vector<std::wstring> kAreaOptions = {L"无", L"全屏", L"自定义"};
const std::vector<std::wstring> kSoundOptions = {L"无", L"系统声音", L"麦克风", L"系统声音和麦克风"};
const std::vector<std::wstring> kCompletionOptions = {kActionNothing, kActionQuit, kActionSleep, kActionShutdown};
constexpr int kCustomArea = 2;

bool IsNamed(const TNotifyUI& msg, const LayoutName& entry) {
    return msg.pSender && msg.pSender->GetName().CompareNoCase(entry.name) == 0;
}

int IndexOf(const std::vector<std::wstring>& items, const std::wstring& text) {
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i] == text) return static_cast<int>(i);
    return 0;
}

// "自定义" needs an area picked: one of some size.
bool HasCustomArea(const TaskInfo& t) { return t.RegionRight > t.RegionLeft && t.RegionBottom > t.RegionTop; }

std::wstring TextOf(const CControlUI* control) { return control ? control->GetText().Str() : std::wstring(); }

void ShowTipOver(HWND owner, const std::wstring& text) {
    MsgTipDlg tip;
    tip.SetTipType(0);
    tip.SetTipText(text);
    if (!tip.Create(owner, L"PlanAddTaskDialog", WS_POPUP, WS_EX_TOOLWINDOW | WS_EX_TOPMOST)) {
        LogBoth("PlanAddTaskDlg::SaveTask", "the tip dialog could not be created error");
        return;
    }
    tip.DoModal(owner);
}

// Snapwick.exe beside the program; the main window steps aside while it runs.
void StartSnapwick() {
    if (HWND main = FindWindowW(L"roverudedudovo", nullptr)) ShowWindow(main, SW_MINIMIZE);
    wchar_t module[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, module, MAX_PATH);
    std::wstring path = module;
    path.erase(path.find_last_of(L'\\') + 1);
    path += L"Snapwick.exe";
    const auto started =
        reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, L"open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    if (started <= 32) LogBoth("PlanAddTaskDlg::OnAreaItemClick", "Snapwick.exe did not start error");
}

}  // namespace

PlanAddTaskDlg::PlanAddTaskDlg(PlanTaskManager& manager, std::vector<std::string> cameras)
    : m_manager(manager), m_cameras(std::move(cameras)), m_task(manager.Now()), m_working(m_task) {
    m_showTip = [this](const std::wstring& text) { ShowTipOver(m_hWnd, text); };
    m_startPicker = StartSnapwick;
}

PlanAddTaskDlg::~PlanAddTaskDlg() {
    for (WindowImplBase* popup :
         {static_cast<WindowImplBase*>(m_repeatPopup.get()), static_cast<WindowImplBase*>(m_cyclePopup.get())})
        if (popup && IsWindow(popup->GetHWND())) DestroyWindow(popup->GetHWND());
}

CDuiString PlanAddTaskDlg::GetSkinFile() { return names::kLayout; }

void PlanAddTaskDlg::SetTask(const TaskInfo& task) {
    m_task = task;
    m_working = task;
}

UINT PlanAddTaskDlg::DoModal(HWND owner, bool center) {
    m_owner = owner;
    return ShowModalFrom(kParking, center);
}

void PlanAddTaskDlg::InitWindow() {
    FindControls();
    FillControls();
}

void PlanAddTaskDlg::FindControls() {
    const CPaintManagerUI& pm = m_PaintManager;
    m_pCloseBtn = FindNamed<CButtonUI>(pm, names::kCloseBtn);
    m_pRecordTime = FindNamed<COptionUI>(pm, names::kRecordTime);
    m_pStopTime = FindNamed<COptionUI>(pm, names::kStopTime);
    m_pComboArea = FindNamed<CComboUI>(pm, names::kComboArea);
    m_pComboAudio = FindNamed<CComboUI>(pm, names::kComboAudio);
    m_pComboCamera = FindNamed<CComboUI>(pm, names::kComboCamera);
    m_pComboComplete = FindNamed<CComboUI>(pm, names::kComboComplete);
    m_pStopShow = FindNamed<CContainerUI>(pm, names::kStopShow);
    m_pDurationShow = FindNamed<CContainerUI>(pm, names::kDurationShow);
    m_pTimeCtrl = FindNamed<CTimeControlUI>(pm, names::kTimeCtrl);
    m_pYearCtrl = FindNamed<CYearControlUI>(pm, names::kYearCtrl);
    m_pStopTimeCtrl = FindNamed<CTimeControlUI>(pm, names::kStopTimeCtrl);
    m_pStopYearCtrl = FindNamed<CYearControlUI>(pm, names::kStopYearCtrl);
    m_pDurationCtrl = FindNamed<CTimeControlUI>(pm, names::kDurationCtrl);
    m_pTaskName = FindNamed<CEditUI>(pm, names::kTaskName);
    m_pRepeat = FindNamed<CButtonUI>(pm, names::kRepeat);
    m_pCycle = FindNamed<CButtonUI>(pm, names::kCycle);
}

void PlanAddTaskDlg::FillCombo(CComboUI* combo, const std::vector<std::wstring>& items, int selected) {
    for (const std::wstring& text : items) {
        auto* item = new CListLabelElementUI;
        item->SetText(text.c_str());
        item->SetFixedHeight(22);
        combo->Add(item);
    }
    combo->SelectItem(selected, false, false);
}

void PlanAddTaskDlg::FillControls() {
    if (!m_pComboArea || !m_pComboAudio || !m_pComboCamera || !m_pComboComplete) return;
    const TaskInfo& t = m_working;
    FillCombo(m_pComboArea, kAreaOptions, t.RegionMode);
    if (CControlUI* custom = m_pComboArea->GetItemAt(kCustomArea))
        custom->OnNotify += MakeDelegate(this, &PlanAddTaskDlg::OnAreaItemNotify);
    FillCombo(m_pComboAudio, kSoundOptions, t.AudioInput);
    std::vector<std::wstring> cameras = {L"无"};
    for (const std::string& name : m_cameras) cameras.push_back(AnsiToWide(name));
    FillCombo(m_pComboCamera, cameras, IndexOf(cameras, t.Webcam));
    FillCombo(m_pComboComplete, kCompletionOptions, IndexOf(kCompletionOptions, t.CompletedAction));
    const bool once = !t.Repeats();
    if (m_pYearCtrl) m_pYearCtrl->ParseText(t.StartDate.c_str());
    if (m_pTimeCtrl) m_pTimeCtrl->ParseText(t.StartTime.c_str());
    if (m_pStopYearCtrl) m_pStopYearCtrl->ParseText(t.StopDate.c_str());
    if (m_pStopTimeCtrl) m_pStopTimeCtrl->ParseText(t.StopTime.c_str());
    if (m_pDurationCtrl) m_pDurationCtrl->ParseText(t.RecordTimeText.c_str());
    ShowDateFields(once);
    if (m_pTaskName) m_pTaskName->SetText(m_newTask ? ProposedName().c_str() : t.Name.c_str());
}

std::wstring PlanAddTaskDlg::ProposedName() const {
    const std::vector<TaskInfo> tasks = m_manager.Tasks();
    const int next = static_cast<int>(tasks.size()) + 1;
    const std::wstring plain = L"Task " + std::to_wstring(next);
    for (const TaskInfo& t : tasks)
        if (t.Name == plain) return L"Task R" + std::to_wstring(next);
    return plain;
}

void PlanAddTaskDlg::OnClick(TNotifyUI& msg) {
    LogFile("PlanAddTaskDlg::OnClick", "%s", msg.pSender ? WideToUtf8(msg.pSender->GetName().Str()).c_str() : "");
    if (IsNamed(msg, names::kCloseBtn) || IsNamed(msg, names::kBtnCancel)) {
        Close(0);
    } else if (IsNamed(msg, names::kBtnOk)) {
        if (SaveTask()) Close(1);
    } else if (IsNamed(msg, names::kRepeat)) {
        OpenRepeatPopup();
    } else if (IsNamed(msg, names::kCycle)) {
        OpenCyclePopup();
    }
}

// The duration group counts while "时长" is chosen, the stop group while "停止时间" is.
void PlanAddTaskDlg::OnSelectChanged(TNotifyUI& msg) {
    if (!IsNamed(msg, names::kStopTime) && !IsNamed(msg, names::kRecordTime)) return;
    const bool byStop = m_pStopTime && m_pStopTime->IsSelected();
    if (m_pDurationShow) m_pDurationShow->SetEnabled(!byStop);
    if (m_pStopShow) m_pStopShow->SetEnabled(byStop);
}

// The picked area, relayed by the main window from Snapwick.
LRESULT PlanAddTaskDlg::HandleCustomMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) {
    if (uMsg == WM_PLAN_AREA_PICKED) {
        m_working.RegionLeft = static_cast<int16_t>(LOWORD(wParam));
        m_working.RegionTop = static_cast<int16_t>(HIWORD(wParam));
        m_working.RegionRight = static_cast<int16_t>(LOWORD(lParam));
        m_working.RegionBottom = static_cast<int16_t>(HIWORD(lParam));
        m_working.RegionMode = kCustomArea;
    }
    return WindowImplBase::HandleCustomMessage(uMsg, wParam, lParam, bHandled);
}

bool PlanAddTaskDlg::OnAreaItemNotify(TNotifyUI* msg) {
    if (msg && msg->sType == DUI_MSGTYPE_ITEMCLICK && m_pComboArea && m_pComboArea->GetCurSel() == kCustomArea &&
        m_startPicker)
        m_startPicker();
    return true;
}

void PlanAddTaskDlg::SetCycle(bool cycle, int32_t count, bool manualStop) {
    m_working.Cycle = cycle;
    m_working.CycleStopCount = count;
    m_working.CycleStopManually = manualStop;
}

void PlanAddTaskDlg::ShowDateFields(bool visible) {
    if (!m_pYearCtrl || !m_pStopYearCtrl) return;
    const RECT margin = {visible ? 0 : 3, 3, 0, 0};
    if (m_pTimeCtrl) m_pTimeCtrl->SetPadding(margin);
    if (m_pStopTimeCtrl) m_pStopTimeCtrl->SetPadding(margin);
    m_pYearCtrl->SetVisible(visible);
    m_pStopYearCtrl->SetVisible(visible);
}

POINT PlanAddTaskDlg::PopupAnchor(CControlUI* button) const {
    const RECT rc = button ? button->GetPos() : RECT{};
    POINT pt = {rc.left, rc.bottom + 10};
    ClientToScreen(m_hWnd, &pt);
    return pt;
}

void PlanAddTaskDlg::OpenRepeatPopup() {
    if (m_repeatPopup && IsWindow(m_repeatPopup->GetHWND())) DestroyWindow(m_repeatPopup->GetHWND());
    m_repeatPopup = std::make_unique<TaskRepeatDlg>(this);
    POINT pt = PopupAnchor(m_pRepeat);
    m_repeatPopup->SetAnchor(pt);
    m_repeatPopup->SetRepeatText(m_working.Repeat);
    m_repeatPopup->Create(m_hWnd, L"TaskRepeatDialog", kPlanDialogStyle, kPlanDialogExStyle, pt.x, pt.y,
                          kRepeatPopupSize.cx, kRepeatPopupSize.cy);
    m_repeatPopup->SetNotifyWindow(m_hWnd);
}

void PlanAddTaskDlg::OpenCyclePopup() {
    if (m_cyclePopup && IsWindow(m_cyclePopup->GetHWND())) DestroyWindow(m_cyclePopup->GetHWND());
    m_cyclePopup = std::make_unique<TaskCycleDlg>(this);
    POINT pt = PopupAnchor(m_pCycle);
    m_cyclePopup->SetAnchor(pt);
    m_cyclePopup->SetValues(m_working.Cycle, m_working.CycleStopCount, m_working.CycleStopManually);
    m_cyclePopup->Create(m_hWnd, L"TaskCycleDialog", kPlanDialogStyle, kPlanDialogExStyle, pt.x, pt.y,
                         kCyclePopupSize.cx, kCyclePopupSize.cy);
    m_cyclePopup->SetNotifyWindow(m_hWnd);
}

bool PlanAddTaskDlg::Refuse(const std::wstring& message) {
    LogBoth("PlanAddTaskDlg::SaveTask", "%s", WideToUtf8(message).c_str());
    if (m_showTip) m_showTip(message);
    return false;
}

// A one-shot task starts more than a minute from now. A repeating task's next
// start is its time of day today or tomorrow, always ahead: its date field is
// hidden and counts for nothing.
bool PlanAddTaskDlg::CheckStart(const std::tm& now) {
    if (!m_pYearCtrl || !m_pTimeCtrl) return Refuse(L"开始时间必须设定在将来");
    if (m_working.Repeats()) return true;
    const int today[] = {now.tm_year + 1900, now.tm_mon + 1, now.tm_mday};
    for (int i = 0; i < 3; ++i) {
        if (m_pYearCtrl->Field(i + 1) > today[i]) return true;
        if (m_pYearCtrl->Field(i + 1) < today[i]) return Refuse(L"开始时间必须设定在将来");
    }
    const int32_t limit = now.tm_hour * 3600 + (now.tm_min + 1) * 60 + now.tm_sec;
    return m_pTimeCtrl->GetTotalSeconds() > limit || Refuse(L"开始时间必须设定在将来");
}

bool PlanAddTaskDlg::CheckLength() {
    if (!m_pStopTime || !m_pStopTime->IsSelected()) {
        const int32_t seconds = m_pDurationCtrl ? m_pDurationCtrl->GetTotalSeconds() : 0;
        if (seconds <= 0) return Refuse(L"执行间隔至少为1秒");
        m_working.Duration = static_cast<uint32_t>(seconds);
        return true;
    }
    if (!m_pStopTimeCtrl || !m_pStopYearCtrl) return Refuse(L"结束时间必须晚于开始时间");
    const bool withDates = m_pStopYearCtrl->IsVisible();
    const int64_t stop = (withDates ? m_pStopYearCtrl->ToSeconds() : 0) + m_pStopTimeCtrl->GetTotalSeconds();
    const int64_t start = (withDates ? m_pYearCtrl->ToSeconds() : 0) + m_pTimeCtrl->GetTotalSeconds();
    if (stop <= start) return Refuse(L"结束时间必须晚于开始时间");
    m_working.Duration = static_cast<uint32_t>(stop - start);
    m_working.StopDate = m_pStopYearCtrl->FormatDate().Str();
    m_working.StopTime = m_pStopTimeCtrl->FormatTime().Str();
    return true;
}

bool PlanAddTaskDlg::CheckName(const std::wstring& name) {
    const wchar_t* duplicate = L"任务名不能为空，或与其他任务重名";
    if (name.empty()) return Refuse(duplicate);
    const int64_t start = static_cast<int64_t>(m_pYearCtrl->ToSeconds()) + m_pTimeCtrl->GetTotalSeconds();
    const int64_t end = start + m_working.Duration;
    for (const TaskInfo& other : m_manager.Tasks()) {
        if (other.Name == name) return Refuse(duplicate);
        const int64_t otherStart = DateTimeTextToSeconds(other.StartDate, other.StartTime);
        const int64_t otherEnd = otherStart + other.Duration;
        if (start < otherEnd && end > otherStart) {
            wchar_t text[256];
            swprintf(text, 256, L"该任务与%ls录制时间重叠", other.Name.c_str());
            return Refuse(text);
        }
    }
    return true;
}

// The checks run on a copy: a refused OK changes nothing of the task.
bool PlanAddTaskDlg::SaveTask() {
    const TaskInfo before = m_working;
    m_working.CompletedAction = TextOf(m_pComboComplete);
    m_working.RegionMode = m_pComboArea ? m_pComboArea->GetCurSel() : m_working.RegionMode;
    m_working.AudioInput = m_pComboAudio ? m_pComboAudio->GetCurSel() : m_working.AudioInput;
    m_working.Webcam = TextOf(m_pComboCamera);
    const std::wstring name = TextOf(m_pTaskName);
    bool ok = CheckStart(LocalTimeOf(m_manager.Now()));
    if (ok) {
        m_working.StartDate = m_pYearCtrl->FormatDate().Str();
        m_working.StartTime = m_pTimeCtrl->FormatTime().Str();
        ok = CheckLength();
    }
    if (ok && TextOf(m_pComboArea) == L"无" && TextOf(m_pComboAudio) == L"无") ok = Refuse(L"请设置录制区域或者音频");
    if (ok && m_working.RegionMode == kCustomArea && !HasCustomArea(m_working)) ok = Refuse(L"请设置录制区域或者音频");
    if (ok) ok = CheckName(name);
    if (!ok) {
        m_working = before;
        return false;
    }
    m_working.Name = name;
    m_working.Status = true;
    m_task = m_working;
    return true;
}
