// PlanAddTaskDlg: the modal task editor ("plan_add_task.xml"). It edits a copy
// of the task and hands back the edited task only after OK: a cancel (or the
// close button) leaves the task as it was given. It neither arms the task nor
// writes the file. UI thread only.
//
//   PlanAddTaskDlg editor(manager, cameras);
//   editor.SetTask(task);
//   editor.SetNewTask(false);
//   editor.Create(owner, L"PlanAddTaskDialog", kPlanDialogStyle, kPlanDialogExStyle, 0, 0, 0, 0);
//   if (editor.DoModal(owner, true) == 1) task = editor.GetTask();
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "schedule/clock_field_controls.h"
#include "schedule/task_info.h"
#include "ui/duilib.h"

class PlanTaskManager;
class TaskRepeatDlg;
class TaskCycleDlg;

constexpr DWORD kPlanDialogStyle = WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_BORDER | WS_SYSMENU;
constexpr DWORD kPlanDialogExStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW;

class PlanAddTaskDlg : public DuiLib::WindowImplBase {
public:
    // The cameras (ANSI names, as the device list has them) fill the camera combo.
    PlanAddTaskDlg(PlanTaskManager& manager, std::vector<std::string> cameras);
    ~PlanAddTaskDlg() override;

    void SetTask(const TaskInfo& task);
    // The task as given, or after OK the task as saved.
    const TaskInfo& GetTask() const { return m_task; }
    void SetNewTask(bool isNew) { m_newTask = isNew; }
    UINT DoModal(HWND owner, bool center);

    // Where validation messages go; by default the tip dialog over the editor.
    void SetTipShower(std::function<void(const std::wstring&)> show) { m_showTip = std::move(show); }
    // Where the custom area's picker is started; by default Snapwick.exe.
    void SetPickerStarter(std::function<void()> start) { m_startPicker = std::move(start); }

    // From the pop-ups, when they close or change.
    void SetRepeat(const std::wstring& repeat) { m_working.Repeat = repeat; }
    void SetCycle(bool cycle, int32_t count, bool manualStop);
    void ShowDateFields(bool visible);
    // Checks the fields and takes them into the task; false (with its message
    // shown) at the first failing check.
    bool SaveTask();
    // The task being edited, before OK.
    const TaskInfo& WorkingTask() const { return m_working; }
    TaskRepeatDlg* RepeatPopup() const { return m_repeatPopup.get(); }
    TaskCycleDlg* CyclePopup() const { return m_cyclePopup.get(); }

protected:
    LPCTSTR GetWindowClassName() const override { return L"PlanAddTaskWnd_TS"; }
    DuiLib::CDuiString GetSkinFile() override;
    UINT GetClassStyle() const override { return CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_SAVEBITS; }
    DuiLib::CControlUI* CreateControl(LPCTSTR pstrClass) override { return CreateClockFieldControl(pstrClass); }
    void InitWindow() override;
    void OnClick(DuiLib::TNotifyUI& msg) override;
    void OnSelectChanged(DuiLib::TNotifyUI& msg) override;
    LRESULT HandleCustomMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;

private:
    void FindControls();
    void FillControls();
    void FillCombo(DuiLib::CComboUI* combo, const std::vector<std::wstring>& items, int selected);
    bool OnAreaItemNotify(DuiLib::TNotifyUI* msg);
    void OpenRepeatPopup();
    void OpenCyclePopup();
    POINT PopupAnchor(DuiLib::CControlUI* button) const;
    std::wstring ProposedName() const;
    bool Refuse(const std::wstring& message);
    bool CheckStart(const std::tm& now);
    bool CheckLength();
    bool CheckName(const std::wstring& name);

    PlanTaskManager& m_manager;
    std::vector<std::string> m_cameras;
    HWND m_owner = nullptr;
    TaskInfo m_task;     // as given; replaced by the saved task after OK
    TaskInfo m_working;  // the task being edited
    bool m_newTask = true;
    std::unique_ptr<TaskRepeatDlg> m_repeatPopup;
    std::unique_ptr<TaskCycleDlg> m_cyclePopup;
    std::function<void(const std::wstring&)> m_showTip;
    std::function<void()> m_startPicker;

    DuiLib::CButtonUI* m_pCloseBtn = nullptr;  // owned by the layout
    DuiLib::COptionUI* m_pRecordTime = nullptr;
    DuiLib::COptionUI* m_pStopTime = nullptr;
    DuiLib::CComboUI* m_pComboArea = nullptr;
    DuiLib::CComboUI* m_pComboAudio = nullptr;
    DuiLib::CComboUI* m_pComboCamera = nullptr;
    DuiLib::CComboUI* m_pComboComplete = nullptr;
    DuiLib::CContainerUI* m_pStopShow = nullptr;
    DuiLib::CContainerUI* m_pDurationShow = nullptr;
    CTimeControlUI* m_pTimeCtrl = nullptr;
    CYearControlUI* m_pYearCtrl = nullptr;
    CTimeControlUI* m_pStopTimeCtrl = nullptr;
    CYearControlUI* m_pStopYearCtrl = nullptr;
    CTimeControlUI* m_pDurationCtrl = nullptr;
    DuiLib::CEditUI* m_pTaskName = nullptr;
    DuiLib::CButtonUI* m_pRepeat = nullptr;
    DuiLib::CButtonUI* m_pCycle = nullptr;
};
