// The task windows from the real skin, driven by real window input: the editor's
// checks and what OK and cancel hand back, the repeat pop-up, and the list window
// creating, stopping, starting, editing and deleting tasks with the manager, its
// timers and the file in step.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <functional>

#include "common/posted_records.h"
#include "schedule/layouts/plan_add_task_names.h"
#include "schedule/layouts/plan_task_names.h"
#include "schedule/layouts/task_cycle_dlg_names.h"
#include "schedule/layouts/task_repeat_dlg_names.h"
#include "schedule/plan_add_task_dlg.h"
#include "schedule/plan_task_dlg.h"
#include "schedule/plan_task_manager.h"
#include "schedule/task_file.h"
#include "schedule/task_popups.h"
#include "shell/custom_messages.h"
#include "tests/schedule/fake_clocks.h"
#include "tests/support/test_support.h"
#include "tests/ui/ui_test_support.h"

using namespace DuiLib;
using namespace ui_test;

namespace {

// 2031-05-06 (a Tuesday) 10:00:00 local time.
const time_t kNow = LocalTimeAt(2031, 5, 6, 10, 0, 0);

POINT CentreOf(CControlUI* control) {
    const RECT rc = control->GetPos();
    return {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}

// An editor shown without its modal loop: the test pumps its messages.
class EditorTest : public ::testing::Test {
protected:
    void Open(const TaskInfo& task, bool isNew) {
        EnsureTestSkin();
        editor = std::make_unique<PlanAddTaskDlg>(manager, std::vector<std::string>{"cam one", "cam two"});
        editor->SetTask(task);
        editor->SetNewTask(isNew);
        editor->SetTipShower([this](const std::wstring& text) { tips.push_back(text); });
        editor->SetPickerStarter([this] { ++pickerStarts; });
        ASSERT_NE(editor->Create(nullptr, L"PlanAddTaskDialog", kPlanDialogStyle, kPlanDialogExStyle, 0, 0, 0, 0),
                  nullptr);
        SetWindowPos(editor->GetHWND(), nullptr, 50, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        Pump(100);
    }
    void TearDown() override {
        if (editor && IsWindow(editor->GetHWND())) DestroyWindow(editor->GetHWND());
        Pump(50);
    }
    CControlUI* Find(const LayoutName& entry) { return editor->GetPaintManager()->FindControl(entry.name); }
    template <class T>
    T* Get(const LayoutName& entry) {
        return FindNamed<T>(*editor->GetPaintManager(), entry);
    }
    void Click(const LayoutName& entry) { ClickAt(editor->GetHWND(), CentreOf(Find(entry))); }
    // Clicks a field (1 to 3) of a date or time control.
    void ClickField(const LayoutName& entry, int field) {
        const RECT rc = Find(entry)->GetPos();
        const int third = (rc.right - rc.left) / 3;
        ClickAt(editor->GetHWND(), {rc.left + third * (field - 1) + third / 2 + 5, (rc.top + rc.bottom) / 2});
    }
    void Keys(const char* keys) {
        for (const char* k = keys; *k; ++k) PressKey(editor->GetHWND(), static_cast<UINT>(*k));
    }
    // Types hours, minutes and seconds into a time control.
    void TypeTime(const LayoutName& entry, const char* hh, const char* mm, const char* ss) {
        ClickField(entry, 1);
        Keys(hh);
        PressKey(editor->GetHWND(), VK_RIGHT);
        Keys(mm);
        PressKey(editor->GetHWND(), VK_RIGHT);
        Keys(ss);
    }
    bool ClosedWithOk() {
        Click(plan_add_task_names::kBtnOk);
        Pump(50);
        return !IsWindow(editor->GetHWND());
    }

    testing_support::TempDir dir;
    FakeElapsed elapsed;
    FakeTimerClock steady{elapsed};
    FakeWallClock wall{elapsed, kNow};
    PlanTaskManager manager{dir.File(L"PlanTasks.xml"), &wall, &steady};
    std::unique_ptr<PlanAddTaskDlg> editor;
    std::vector<std::wstring> tips;
    int pickerStarts = 0;
};

TEST_F(EditorTest, ANewTaskIsProposedItsNameAndSavedEnabled) {
    Open(TaskInfo(kNow), true);
    EXPECT_EQ(Find(plan_add_task_names::kTaskName)->GetText(), L"Task 1");
    EXPECT_EQ(Find(plan_add_task_names::kTimeCtrl)->GetText(), L"10:05:00");
    EXPECT_EQ(Find(plan_add_task_names::kYearCtrl)->GetText(), L"2031-05-06");
    EXPECT_EQ(Find(plan_add_task_names::kDurationCtrl)->GetText(), L"00:10:00");
    EXPECT_FALSE(Find(plan_add_task_names::kStopShow)->IsEnabled());
    EXPECT_FALSE(Find(plan_add_task_names::kStopTimeCtrl)->IsEnabled()) << "inside the disabled stop group";
    TypeTime(plan_add_task_names::kDurationCtrl, "00", "00", "30");
    ASSERT_TRUE(ClosedWithOk()) << (tips.empty() ? std::string() : Narrow(tips.back().c_str()));
    const TaskInfo& t = editor->GetTask();
    EXPECT_EQ(t.Name, L"Task 1");
    EXPECT_TRUE(t.Status);
    EXPECT_EQ(t.Duration, 30u);
    EXPECT_EQ(t.StartDate, L"2031-05-06");
    EXPECT_EQ(t.StartTime, L"10:05:00");
    EXPECT_EQ(t.RegionMode, 1);
    EXPECT_EQ(t.AudioInput, 1);
    EXPECT_EQ(t.Webcam, L"无");
    EXPECT_EQ(t.CompletedAction, L"不做任何操作");
}

TEST_F(EditorTest, ANameTakenByAnotherTaskIsProposedWithR) {
    for (const wchar_t* name : {L"Task 1", L"Task 4", L"Task 3"}) {
        TaskInfo t(kNow);
        t.Name = name;
        t.StartDate = L"2031-06-01";
        manager.AddTask(t);
    }
    Open(TaskInfo(kNow), true);
    EXPECT_EQ(Find(plan_add_task_names::kTaskName)->GetText(), L"Task R4");
}

// Each check in its order, with the message it shows; a refused OK leaves the
// editor open.
TEST_F(EditorTest, RefusedFieldsShowTheirMessages) {
    TaskInfo other(kNow);
    other.Name = L"Other";
    other.StartDate = L"2031-05-06";
    other.StartTime = L"11:00:00";
    other.Duration = 600;
    manager.AddTask(other);
    Open(TaskInfo(kNow), true);
    struct Case {
        const char* hh;
        const char* mm;
        const char* ss;
        const char* durMm;
        const wchar_t* tip;
    } cases[] = {
        {"10", "01", "00", "10", L"开始时间必须设定在将来"},     // one minute ahead: too near
        {"10", "01", "01", "00", L"执行间隔至少为1秒"},          // one minute and a second, no length
        {"10", "55", "00", "10", L"该任务与Other录制时间重叠"},  // ends after Other starts
        {"11", "05", "00", "01", L"该任务与Other录制时间重叠"},  // inside Other
    };
    for (const Case& c : cases) {
        tips.clear();
        TypeTime(plan_add_task_names::kTimeCtrl, c.hh, c.mm, c.ss);
        TypeTime(plan_add_task_names::kDurationCtrl, "00", c.durMm, "00");
        EXPECT_FALSE(ClosedWithOk()) << Narrow(c.tip);
        ASSERT_EQ(tips.size(), 1u) << Narrow(c.tip);
        EXPECT_EQ(tips[0], c.tip);
    }
    tips.clear();
    TypeTime(plan_add_task_names::kTimeCtrl, "10", "50", "00");
    TypeTime(plan_add_task_names::kDurationCtrl, "00", "10", "00");  // ends when Other starts
    EXPECT_TRUE(ClosedWithOk());
    EXPECT_TRUE(tips.empty());
}

TEST_F(EditorTest, AStopTimeNotAfterTheStartIsRefused) {
    Open(TaskInfo(kNow), true);
    Click(plan_add_task_names::kStopTime);
    EXPECT_TRUE(Find(plan_add_task_names::kStopShow)->IsEnabled());
    EXPECT_FALSE(Find(plan_add_task_names::kDurationCtrl)->IsEnabled());
    TypeTime(plan_add_task_names::kStopTimeCtrl, "10", "05", "00");
    EXPECT_FALSE(ClosedWithOk());
    EXPECT_EQ(tips.at(0), L"结束时间必须晚于开始时间");
    TypeTime(plan_add_task_names::kStopTimeCtrl, "10", "06", "40");
    ASSERT_TRUE(ClosedWithOk());
    EXPECT_EQ(editor->GetTask().Duration, 100u);
    EXPECT_EQ(editor->GetTask().StopTime, L"10:06:40");
}

TEST_F(EditorTest, NoAreaAndNoSoundIsRefused) {
    TaskInfo t(kNow);
    t.RegionMode = 0;
    t.AudioInput = 0;
    Open(t, true);
    EXPECT_FALSE(ClosedWithOk());
    EXPECT_EQ(tips.at(0), L"请设置录制区域或者音频");
}

// Cancel hands back the task as it was given, whatever was changed before.
TEST_F(EditorTest, CancelKeepsTheTaskAsItWas) {
    TaskInfo t(kNow);
    t.Name = L"Mine";
    t.Duration = 77;
    t.Status = false;
    Open(t, false);
    EXPECT_EQ(Find(plan_add_task_names::kTaskName)->GetText(), L"Mine");
    TypeTime(plan_add_task_names::kTimeCtrl, "10", "00", "30");
    EXPECT_FALSE(ClosedWithOk());  // refused: the start is too near
    editor->SetRepeat(L"1");
    Click(plan_add_task_names::kBtnCancel);
    Pump(50);
    EXPECT_FALSE(IsWindow(editor->GetHWND()));
    const TaskInfo& back = editor->GetTask();
    EXPECT_EQ(back.Duration, 77u);
    EXPECT_FALSE(back.Status);
    EXPECT_TRUE(back.Repeat.empty());
    EXPECT_EQ(back.StartTime, t.StartTime);
}

// "自定义" without a picked area is refused at OK with the editor's own message,
// not when the task fires; once an area is picked it is saved.
TEST_F(EditorTest, ThePickedAreaMakesARegionTask) {
    TaskInfo t(kNow);
    t.RegionMode = 2;  // "自定义", nothing picked yet
    Open(t, true);
    EXPECT_FALSE(ClosedWithOk());
    EXPECT_EQ(tips.at(0), L"请设置录制区域或者音频");
    PostMessageW(editor->GetHWND(), WM_PLAN_AREA_PICKED, MAKELONG(10, 20), MAKELONG(650, 500));
    Pump(50);
    EXPECT_EQ(editor->WorkingTask().RegionMode, 2);
    EXPECT_EQ(editor->WorkingTask().RegionRight, 650);
    EXPECT_EQ(editor->WorkingTask().RegionBottom, 500);
    ASSERT_TRUE(ClosedWithOk());
    EXPECT_EQ(editor->GetTask().RegionLeft, 10);
    EXPECT_EQ(editor->GetTask().RegionTop, 20);
}

// A repeating task is saved on any day: its hidden date may lie days back and
// its time of day may have passed today (the next start is then tomorrow). A
// one-shot task of the same fields is refused.
TEST_F(EditorTest, ARepeatingTaskIsSavedAfterItsFirstDay) {
    const struct {
        const wchar_t* date;
        const wchar_t* time;
        const wchar_t* repeat;
        bool saved;
    } cases[] = {
        {L"2031-05-05", L"11:00:00", L"1,3", true},  // made yesterday
        {L"2031-05-06", L"09:00:00", L"2", true},    // today's time has passed
        {L"2020-01-01", L"10:00:30", L"0,1,2,3,4,5,6", true},
        {L"2031-05-05", L"11:00:00", L"", false},  // once, yesterday
        {L"2031-05-06", L"09:00:00", L"", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Narrow(c.date) + " " + Narrow(c.time) + " [" + Narrow(c.repeat) + "]");
        TaskInfo t(kNow);
        t.Name = L"Weekly";
        t.StartDate = c.date;
        t.StartTime = c.time;
        t.Repeat = c.repeat;
        tips.clear();
        Open(t, false);
        EXPECT_EQ(ClosedWithOk(), c.saved);
        if (c.saved) {
            EXPECT_TRUE(tips.empty());
            EXPECT_EQ(editor->GetTask().StartTime, c.time);
            EXPECT_EQ(editor->GetTask().Repeat, c.repeat);
        } else {
            EXPECT_EQ(tips.at(0), L"开始时间必须设定在将来");
        }
        TearDown();
    }
}

TEST_F(EditorTest, TheRepeatPopupTicksEveryDayAndHidesTheDates) {
    Open(TaskInfo(kNow), true);
    Click(plan_add_task_names::kRepeat);
    Pump(100);
    TaskRepeatDlg* popup = editor->RepeatPopup();
    ASSERT_NE(popup, nullptr);
    ASSERT_TRUE(IsWindowVisible(popup->GetHWND()));
    CPaintManagerUI& pm = *popup->GetPaintManager();
    auto* repeat = FindNamed<CCheckBoxUI>(pm, task_repeat_dlg_names::kChkRepeat);
    auto* monday = FindNamed<CCheckBoxUI>(pm, task_repeat_dlg_names::kWeekdays[1]);
    EXPECT_FALSE(monday->IsEnabled()) << "the week group starts disabled";
    ClickAt(popup->GetHWND(), CentreOf(repeat));
    EXPECT_TRUE(monday->GetCheck());
    EXPECT_FALSE(Find(plan_add_task_names::kYearCtrl)->IsVisible()) << "a repeating task has no date";
    EXPECT_EQ(popup->BuildRepeatText(), L"0,1,2,3,4,5,6");
    SetFocus(editor->GetHWND());  // the pop-up loses the focus: it hands over and closes
    Pump(100);
    EXPECT_EQ(editor->WorkingTask().Repeat, L"0,1,2,3,4,5,6");
    EXPECT_FALSE(IsWindow(popup->GetHWND()));
}

// A click into the count keeps the cycle pop-up open; leaving it hands the values over.
TEST_F(EditorTest, TheCyclePopupHandsOverItsCount) {
    Open(TaskInfo(kNow), true);
    Click(plan_add_task_names::kCycle);
    Pump(100);
    TaskCycleDlg* popup = editor->CyclePopup();
    ASSERT_NE(popup, nullptr);
    CPaintManagerUI& pm = *popup->GetPaintManager();
    CControlUI* count = pm.FindControl(task_cycle_dlg_names::kCycleTimeEdit.name);
    EXPECT_FALSE(count->IsEnabled()) << "the cycle group starts disabled";
    ClickAt(popup->GetHWND(), CentreOf(pm.FindControl(task_cycle_dlg_names::kChkCycle.name)));
    EXPECT_TRUE(count->IsEnabled());
    count->SetText(L"5");
    SetFocus(editor->GetHWND());
    Pump(100);
    EXPECT_TRUE(editor->WorkingTask().Cycle);
    EXPECT_EQ(editor->WorkingTask().CycleStopCount, 5);
    EXPECT_FALSE(editor->WorkingTask().CycleStopManually);
    EXPECT_FALSE(IsWindow(popup->GetHWND()));
}

TEST(PopupAnchorTest, APopupNearTheEdgesMovesInside) {
    const RECT work = {0, 0, 1280, 770};
    const POINT inside = ClampPopupAnchor({100, 100}, kRepeatPopupSize, work);
    EXPECT_EQ(inside.x, 100);
    const POINT right = ClampPopupAnchor({1250, 600}, kRepeatPopupSize, work);
    EXPECT_EQ(right.x, 1280 - 136);
    EXPECT_EQ(right.y, 770 - 344);
    const POINT left = ClampPopupAnchor({-20, -5}, kCyclePopupSize, work);
    EXPECT_EQ(left.x, 0);
    EXPECT_EQ(left.y, 0);
}

// The list window shown without its modal loop; the editor it opens runs modally
// and is driven from a timer of this thread, step by step.
class ListWindowTest : public EditorTest {
protected:
    void OpenList() {
        EnsureTestSkin();
        list = std::make_unique<PlanTaskDlg>(manager, std::vector<std::string>{});
        list->SetEditorHook([this](PlanAddTaskDlg& e) {
            e.SetTipShower([this](const std::wstring& text) { tips.push_back(text); });
            current = &e;
        });
        ASSERT_NE(list->Create(nullptr, L"PlanTaskDialog", kPlanDialogStyle, kPlanDialogExStyle, 0, 0, 0, 0), nullptr);
        SetWindowPos(list->GetHWND(), nullptr, 40, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        Pump(100);
    }
    void TearDown() override {
        if (list && IsWindow(list->GetHWND())) DestroyWindow(list->GetHWND());
        EditorTest::TearDown();
    }
    CListUI* List() { return FindNamed<CListUI>(*list->GetPaintManager(), plan_task_names::kListTask); }
    CListTextElementUI* Row(int i) {
        return static_cast<CListTextElementUI*>(List()->GetItemAt(i)->GetInterface(kListTextElementInterface));
    }
    void ClickList(const LayoutName& entry) {
        ClickAt(list->GetHWND(), CentreOf(list->GetPaintManager()->FindControl(entry.name)));
    }
    // Clicks a list button; while the editor it opens runs, answers it with the
    // click of its button `answer` (after `before` ran on it).
    void ClickAndAnswer(const LayoutName& entry, const LayoutName& answer,
                        std::function<void(PlanAddTaskDlg&)> before = {}) {
        current = nullptr;
        pendingAnswer = &answer;
        pendingBefore = std::move(before);
        self = this;
        const UINT_PTR timer = SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR, DWORD) { self->Answer(); });
        ClickList(entry);
        Pump(200);
        KillTimer(nullptr, timer);
    }
    void Answer() {
        if (!current || !pendingAnswer || !IsWindowVisible(current->GetHWND())) return;
        const LayoutName* answer = pendingAnswer;
        pendingAnswer = nullptr;
        if (pendingBefore) pendingBefore(*current);
        CControlUI* button = current->GetPaintManager()->FindControl(answer->name);
        ClickAt(current->GetHWND(), CentreOf(button));
    }

    static ListWindowTest* self;
    std::unique_ptr<PlanTaskDlg> list;
    PlanAddTaskDlg* current = nullptr;
    const LayoutName* pendingAnswer = nullptr;
    std::function<void(PlanAddTaskDlg&)> pendingBefore;
};
ListWindowTest* ListWindowTest::self = nullptr;

TEST_F(ListWindowTest, ANewTaskIsListedEnabledArmedAndWritten) {
    OpenList();
    EXPECT_FALSE(list->GetPaintManager()->FindControl(L"edit")->IsEnabled()) << "nothing selected yet";
    ClickAndAnswer(plan_task_names::kAddTask, plan_add_task_names::kBtnOk);
    ASSERT_EQ(List()->GetCount(), 1);
    EXPECT_EQ(Row(0)->GetText(0), std::wstring(L"Task 1"));
    EXPECT_EQ(Row(0)->GetText(1), std::wstring(L"2031-05-06 10:05:00"));
    EXPECT_EQ(Row(0)->GetText(2), std::wstring(L"00:10:00"));
    EXPECT_EQ(Row(0)->GetText(4), std::wstring(L"启用"));
    EXPECT_TRUE(manager.IsArmed(L"Task 1"));
    EXPECT_EQ(manager.Tasks().size(), 1u);
    const std::vector<TaskInfo> inFile = ReadTasksFromFile(dir.File(L"PlanTasks.xml"), kNow);
    ASSERT_EQ(inFile.size(), 1u);
    EXPECT_TRUE(inFile[0].Status);

    ClickList(plan_task_names::kStop);
    EXPECT_EQ(Row(0)->GetText(4), std::wstring(L"停止"));
    EXPECT_FALSE(manager.IsArmed(L"Task 1"));
    EXPECT_FALSE(ReadTasksFromFile(dir.File(L"PlanTasks.xml"), kNow).at(0).Status);
    ClickList(plan_task_names::kStart);
    EXPECT_EQ(Row(0)->GetText(4), std::wstring(L"启用"));
    EXPECT_TRUE(manager.IsArmed(L"Task 1"));

    ClickList(plan_task_names::kDelete);
    EXPECT_EQ(List()->GetCount(), 0);
    EXPECT_TRUE(manager.Tasks().empty());
    EXPECT_FALSE(manager.IsArmed(L"Task 1"));
    EXPECT_TRUE(ReadTasksFromFile(dir.File(L"PlanTasks.xml"), kNow).empty());
}

// A renamed task leaves nothing under its old name; a task whose start passed
// while it was edited is shown and kept stopped.
TEST_F(ListWindowTest, EditingRenamesInTheFileAndAPassedStartEndsStopped) {
    OpenList();
    ClickAndAnswer(plan_task_names::kAddTask, plan_add_task_names::kBtnOk);
    ASSERT_EQ(List()->GetCount(), 1);
    List()->SelectItem(0);
    ClickAndAnswer(plan_task_names::kEdit, plan_add_task_names::kBtnOk, [](PlanAddTaskDlg& e) {
        e.GetPaintManager()->FindControl(plan_add_task_names::kTaskName.name)->SetText(L"Morning");
    });
    EXPECT_EQ(Row(0)->GetText(0), std::wstring(L"Morning"));
    std::vector<TaskInfo> inFile = ReadTasksFromFile(dir.File(L"PlanTasks.xml"), kNow);
    ASSERT_EQ(inFile.size(), 1u);
    EXPECT_EQ(inFile[0].Name, L"Morning");

    List()->SelectItem(0);
    ClickAndAnswer(plan_task_names::kEdit, plan_add_task_names::kBtnCancel,
                   [this](PlanAddTaskDlg&) { elapsed.ms += 10 * 60 * 1000; });  // the start passes meanwhile
    EXPECT_EQ(Row(0)->GetText(4), std::wstring(L"停止"));
    EXPECT_FALSE(manager.IsArmed(L"Morning"));
    EXPECT_FALSE(ReadTasksFromFile(dir.File(L"PlanTasks.xml"), kNow).at(0).Status);
}

TEST_F(ListWindowTest, AFiredOneShotTaskTurnsItsRowToStopped) {
    TaskInfo t(kNow);
    t.Name = L"Task 1";
    t.Status = true;
    manager.AddTask(t);
    OpenList();
    EXPECT_EQ(Row(0)->GetText(4), std::wstring(L"启用"));
    ASSERT_TRUE(PostRecordCopy(list->GetHWND(), WM_PLAN_TASK_DONE, std::wstring(L"Task 1")));
    Pump(100);
    EXPECT_EQ(Row(0)->GetText(4), std::wstring(L"停止"));
    EXPECT_EQ(LivePostedRecordCount(), 0u) << "the name was freed";
}

}  // namespace
