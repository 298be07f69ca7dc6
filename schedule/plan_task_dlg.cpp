// The task list window: its rows, the selection-dependent buttons, and the five
// commands.
#include "schedule/plan_task_dlg.h"

#include <algorithm>

#include "common/posted_records.h"
#include "schedule/layouts/plan_task_names.h"
#include "schedule/plan_add_task_dlg.h"
#include "schedule/plan_task_manager.h"
#include "shell/custom_messages.h"

using namespace DuiLib;
namespace names = plan_task_names;

namespace {

constexpr POINT kParking = {-780, -440};
constexpr int kRowHeight = 46;
constexpr int kStatusColumn = 4;

bool IsNamed(const TNotifyUI& msg, const LayoutName& entry) {
    return msg.pSender && msg.pSender->GetName().CompareNoCase(entry.name) == 0;
}

void SetEnabled(CControlUI* control, bool enabled) {
    if (control) control->SetEnabled(enabled);
}

}  // namespace

PlanTaskDlg::PlanTaskDlg(PlanTaskManager& manager, std::vector<std::string> cameras)
    : m_manager(manager), m_cameras(std::move(cameras)) {}

CDuiString PlanTaskDlg::GetSkinFile() { return names::kLayout; }

UINT PlanTaskDlg::DoModal(HWND owner, bool center) {
    m_owner = owner;
    return ShowModalFrom(kParking, center);
}

void PlanTaskDlg::InitWindow() {
    const CPaintManagerUI& pm = m_PaintManager;
    m_pCloseBtn = FindNamed<CButtonUI>(pm, names::kCloseBtn);
    m_pStart = FindNamed<CButtonUI>(pm, names::kStart);
    m_pStop = FindNamed<CButtonUI>(pm, names::kStop);
    m_pEdit = FindNamed<CButtonUI>(pm, names::kEdit);
    m_pDelete = FindNamed<CButtonUI>(pm, names::kDelete);
    m_pList = FindNamed<CListUI>(pm, names::kListTask);
    if (!m_pList) return;
    m_pList->RemoveAll();
    for (const TaskInfo& task : m_manager.Tasks()) {
        auto* row = new CListTextElementUI;
        row->SetFixedHeight(kRowHeight);
        m_pList->Add(row);
        FillRow(row, task);
    }
}

void PlanTaskDlg::FillRow(CListTextElementUI* row, const TaskInfo& task) {
    if (!row) return;
    const std::wstring texts[] = {task.Name, task.StartText(), task.DurationText(), task.RepeatText(),
                                  task.StatusText()};
    for (int column = 0; column < 5; ++column) row->SetText(column, texts[column].c_str());
    row->SetName(task.Name.c_str());
}

CListTextElementUI* PlanTaskDlg::RowAt(int index) const {
    CControlUI* item = m_pList ? m_pList->GetItemAt(index) : nullptr;
    return item ? static_cast<CListTextElementUI*>(item->GetInterface(kListTextElementInterface)) : nullptr;
}

// A right-click shows no menu.
void PlanTaskDlg::Notify(TNotifyUI& msg) {
    if (msg.sType == DUI_MSGTYPE_MENU) return;
    if (msg.sType == DUI_MSGTYPE_ITEMSELECT && msg.pSender == m_pList) FollowSelection();
    WindowImplBase::Notify(msg);
}

void PlanTaskDlg::FollowSelection() {
    const int selected = m_pList ? m_pList->GetSelectItemCount() : 0;
    for (CControlUI* button : {m_pStart, m_pStop, m_pEdit, m_pDelete}) SetEnabled(button, selected > 0);
    if (selected > 1) SetEnabled(m_pEdit, false);
}

void PlanTaskDlg::OnClick(TNotifyUI& msg) {
    using Command = void (PlanTaskDlg::*)();
    static const struct {
        const LayoutName& entry;
        Command run;
    } kCommands[] = {
        {names::kAddTask, &PlanTaskDlg::NewTask},       {names::kStart, &PlanTaskDlg::StartSelected},
        {names::kStop, &PlanTaskDlg::StopSelected},     {names::kEdit, &PlanTaskDlg::EditSelected},
        {names::kDelete, &PlanTaskDlg::DeleteSelected},
    };
    if (IsNamed(msg, names::kCloseBtn)) {
        Close(0);
        return;
    }
    for (const auto& command : kCommands)
        if (IsNamed(msg, command.entry)) {
            (this->*command.run)();
            return;
        }
}

LRESULT PlanTaskDlg::HandleCustomMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) {
    if (uMsg == WM_PLAN_TASK_DONE) {
        std::wstring* posted = ClaimPostedRecord<std::wstring>(wParam);
        const std::wstring name = posted ? *posted : std::wstring();
        delete posted;
        for (int i = 0; m_pList && posted && i < m_pList->GetCount(); ++i)
            if (CListTextElementUI* row = RowAt(i); row && row->GetName() == name.c_str())
                row->SetText(kStatusColumn, L"停止");
    }
    return WindowImplBase::HandleCustomMessage(uMsg, wParam, lParam, bHandled);
}

UINT PlanTaskDlg::RunEditor(TaskInfo& task, bool isNew) {
    PlanAddTaskDlg editor(m_manager, m_cameras);
    editor.SetTask(task);
    editor.SetNewTask(isNew);
    if (m_editorHook) m_editorHook(editor);
    if (!editor.Create(m_hWnd, L"PlanAddTaskDialog", kPlanDialogStyle, kPlanDialogExStyle, 0, 0, 0, 0)) return 0;
    const UINT result = editor.DoModal(m_hWnd, true);
    task = editor.GetTask();
    return result;
}

void PlanTaskDlg::SaveToFile(const TaskInfo& task) {
    if (!m_manager.UpdateTaskInFile(task)) m_manager.AddTaskToFile(task);
}

// A start that passed while the task was being edited cannot be armed: the task
// is then shown and kept stopped rather than "启用" without a timer.
void PlanTaskDlg::ArmOrStop(TaskInfo& task) {
    if (!task.Status || m_manager.ScheduleTask(task)) return;
    task.Status = false;
    m_manager.UpdateTask(task);
    m_manager.UpdateTaskInFile(task);
}

void PlanTaskDlg::NewTask() {
    TaskInfo task(m_manager.Now());
    if (RunEditor(task, true) != 1) return;
    SaveToFile(task);
    m_manager.AddTask(task);
    ArmOrStop(task);
    if (!m_pList) return;
    auto* row = new CListTextElementUI;
    row->SetFixedHeight(kRowHeight);
    m_pList->Add(row);
    FillRow(row, task);
    const int index = m_pList->GetItemIndex(row);
    if (index >= 0) m_pList->SelectItem(index, false);
}

void PlanTaskDlg::StartSelected() {
    if (!m_pList) return;
    for (int i = m_pList->GetCurSel(); i >= 0; i = m_pList->GetNextSelItem(i)) {
        CListTextElementUI* row = RowAt(i);
        TaskInfo task;
        if (!row || !m_manager.FindTask(row->GetName().Str(), task) || task.Status) continue;
        if (!m_manager.ScheduleTask(task)) continue;
        row->SetText(kStatusColumn, L"启用");
        task.Status = true;
        m_manager.UpdateTask(task);
        m_manager.UpdateTaskInFile(task);
    }
}

void PlanTaskDlg::StopSelected() {
    CListTextElementUI* row = m_pList ? RowAt(m_pList->GetCurSel()) : nullptr;
    TaskInfo task;
    if (!row || !m_manager.FindTask(row->GetName().Str(), task) || !task.Status) return;
    task.Status = false;
    row->SetText(kStatusColumn, L"停止");
    m_manager.UnscheduleTask(task);
    m_manager.UpdateTask(task);
    m_manager.UpdateTaskInFile(task);
}

// A renamed task leaves no element under its old name behind in the file.
void PlanTaskDlg::EditSelected() {
    CListTextElementUI* row = m_pList ? RowAt(m_pList->GetCurSel()) : nullptr;
    if (!row) return;
    TaskInfo task(m_manager.Now());
    m_manager.FindTask(row->GetName().Str(), task);
    const TaskInfo before = task;
    m_manager.UnscheduleTask(task);
    m_manager.RemoveTask(task);
    RunEditor(task, false);
    if (task.Name != before.Name) m_manager.DeleteTaskFromFile(before);
    m_manager.AddTask(task);
    SaveToFile(task);
    ArmOrStop(task);
    FillRow(row, task);
}

void PlanTaskDlg::DeleteSelected() {
    if (!m_pList) return;
    std::vector<int> indices;
    std::vector<std::wstring> rowNames;
    const int first = m_pList->GetCurSel();
    for (int i = first; i >= 0; i = m_pList->GetNextSelItem(i)) {
        if (!indices.empty() && i == first) break;
        indices.push_back(i);
        if (CListTextElementUI* row = RowAt(i)) rowNames.push_back(row->GetName().Str());
    }
    std::sort(indices.begin(), indices.end());
    m_pList->UnSelectAllItems();
    for (size_t k = 0; k < indices.size(); ++k) m_pList->RemoveAt(indices[k] - static_cast<int>(k));
    for (const std::wstring& name : rowNames) {
        TaskInfo task;
        if (!m_manager.FindTask(name, task)) continue;
        m_manager.RemoveTask(task);
        m_manager.UnscheduleTask(task);
        m_manager.DeleteTaskFromFile(task);
    }
    FollowSelection();
}
