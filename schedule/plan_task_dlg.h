// PlanTaskDlg: the modal task list ("plan_task.xml"), opened by the main window's
// "计划任务" button. It creates, starts, stops, edits and deletes tasks, keeping
// the manager's list, its timers and "PlanTasks.xml" in step, and shows one-shot
// tasks turning to "停止" when they fire (WM_PLAN_TASK_DONE). UI thread only.
//
//   PlanTaskDlg dlg(PlanTaskManager::GetInstance(), cameras);
//   dlg.Create(owner, L"PlanTaskDialog", kPlanDialogStyle, kPlanDialogExStyle, 0, 0, 0, 0);
//   dlg.DoModal(owner, true);
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "schedule/task_info.h"
#include "ui/duilib.h"

class PlanTaskManager;
class PlanAddTaskDlg;

class PlanTaskDlg : public DuiLib::WindowImplBase {
public:
    PlanTaskDlg(PlanTaskManager& manager, std::vector<std::string> cameras);

    UINT DoModal(HWND owner, bool center);
    // Called with each editor before it runs (tests replace its tips and picker).
    void SetEditorHook(std::function<void(PlanAddTaskDlg&)> hook) { m_editorHook = std::move(hook); }

protected:
    LPCTSTR GetWindowClassName() const override { return L"PlanTaskWnd_TS"; }
    DuiLib::CDuiString GetSkinFile() override;
    UINT GetClassStyle() const override { return CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_SAVEBITS; }
    void InitWindow() override;
    void Notify(DuiLib::TNotifyUI& msg) override;
    void OnClick(DuiLib::TNotifyUI& msg) override;
    LRESULT HandleCustomMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;

private:
    void FollowSelection();
    // Runs the editor on the task; the task it hands back, and 1 when saved.
    UINT RunEditor(TaskInfo& task, bool isNew);
    void FillRow(DuiLib::CListTextElementUI* row, const TaskInfo& task);
    DuiLib::CListTextElementUI* RowAt(int index) const;
    void SaveToFile(const TaskInfo& task);
    // Arms an enabled task; one that cannot be armed is kept stopped.
    void ArmOrStop(TaskInfo& task);
    void NewTask();
    void StartSelected();
    void StopSelected();
    void EditSelected();
    void DeleteSelected();

    PlanTaskManager& m_manager;
    std::vector<std::string> m_cameras;
    HWND m_owner = nullptr;
    std::function<void(PlanAddTaskDlg&)> m_editorHook;
    DuiLib::CButtonUI* m_pCloseBtn = nullptr;  // owned by the layout
    DuiLib::CButtonUI* m_pStart = nullptr;
    DuiLib::CButtonUI* m_pStop = nullptr;
    DuiLib::CButtonUI* m_pEdit = nullptr;
    DuiLib::CButtonUI* m_pDelete = nullptr;
    DuiLib::CListUI* m_pList = nullptr;
};
