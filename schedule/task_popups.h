// The task editor's two pop-ups: the weekdays a task repeats on
// ("task_repeat_dlg.xml") and its cycle options ("task_cycle_dlg.xml"). The
// editor opens one under its button; the pop-up hands its values back and
// closes when it loses the focus. UI thread only.
#pragma once

#include <string>
#include <vector>

#include "ui/duilib.h"

class PlanAddTaskDlg;

constexpr SIZE kRepeatPopupSize = {136, 344};
constexpr SIZE kCyclePopupSize = {234, 142};

// Moves a pop-up of that size at pt into the work area of the primary monitor.
POINT ClampPopupAnchor(POINT pt, SIZE size, const RECT& workArea);

class TaskRepeatDlg : public DuiLib::WindowImplBase {
public:
    explicit TaskRepeatDlg(PlanAddTaskDlg* editor) : m_editor(editor) {}
    void SetAnchor(POINT& pt);
    void SetRepeatText(const std::wstring& repeat);
    void SetNotifyWindow(HWND editor);
    // "1,3,5" of the ticked days (Sunday first); empty while repeat is off.
    std::wstring BuildRepeatText() const;

protected:
    LPCTSTR GetWindowClassName() const override { return L"TaskRepeatWnd"; }
    DuiLib::CDuiString GetSkinFile() override;
    void InitWindow() override;
    void OnSelectChanged(DuiLib::TNotifyUI& msg) override;
    LRESULT OnKillFocus(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;
    LRESULT OnDestroy(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;

private:
    void SetWeekdays(bool ticked);
    bool AnyDayTicked() const;

    PlanAddTaskDlg* m_editor;
    HWND m_notifyWindow = nullptr;
    std::vector<std::wstring> m_items;
    DuiLib::CCheckBoxUI* m_pChkRepeat = nullptr;  // owned by the layout
    DuiLib::CContainerUI* m_pVerWeek = nullptr;
    DuiLib::CCheckBoxUI* m_pDays[7] = {};
};

class TaskCycleDlg : public DuiLib::WindowImplBase {
public:
    explicit TaskCycleDlg(PlanAddTaskDlg* editor) : m_editor(editor) {}
    void SetAnchor(POINT& pt);
    void SetValues(bool cycle, int32_t count, bool manualStop);
    void SetNotifyWindow(HWND editor);

protected:
    LPCTSTR GetWindowClassName() const override { return L"TaskCycleWnd"; }
    DuiLib::CDuiString GetSkinFile() override;
    void InitWindow() override;
    void OnSelectChanged(DuiLib::TNotifyUI& msg) override;
    LRESULT OnKillFocus(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;
    LRESULT OnDestroy(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;

private:
    PlanAddTaskDlg* m_editor;
    HWND m_notifyWindow = nullptr;
    bool m_cycle = false;
    int32_t m_count = 10;
    bool m_manualStop = false;
    DuiLib::CCheckBoxUI* m_pChkCycle = nullptr;  // owned by the layout
    DuiLib::CContainerUI* m_pVerCycle = nullptr;
    DuiLib::COptionUI* m_pCycleTime = nullptr;
    DuiLib::CEditUI* m_pCycleTimeEdit = nullptr;
    DuiLib::COptionUI* m_pCycleHandle = nullptr;
};
