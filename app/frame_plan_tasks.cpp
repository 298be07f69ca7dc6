// The "计划任务" button: the task list window, modal over the main window, with
// the cameras the task editor offers.
#include "app/vistrel_frame.h"
#include "common/logger.h"
#include "schedule/plan_add_task_dlg.h"
#include "schedule/plan_task_dlg.h"
#include "schedule/plan_task_manager.h"

void CVistrelFrame::OpenPlanTaskWindow() {
    PlanTaskDlg dlg(PlanTaskManager::GetInstance(), m_vecCamera);
    if (!dlg.Create(m_hWnd, L"PlanTaskDialog", kPlanDialogStyle, kPlanDialogExStyle, 0, 0, 0, 0)) {
        LogBoth("CVistrelFrame::OpenPlanTaskWindow", "PlanTaskDialog could not be created error");
        return;
    }
    dlg.DoModal(m_hWnd, true);
}
