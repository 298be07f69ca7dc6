// The task manager on injected clocks: what loading keeps and arms, the waits
// of today's and tomorrow's starts, weekday repeats, and what a firing does: the
// request posted to a window of the main window's class, the task stopped in the
// list and the file, and the list window told.
#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "common/posted_records.h"
#include "schedule/plan_task_manager.h"
#include "schedule/task_file.h"
#include "shell/custom_messages.h"
#include "tests/schedule/fake_clocks.h"
#include "tests/support/test_support.h"

namespace {

using testing_support::TempDir;

// A hidden top-level window of a given class that keeps what it is posted.
class Receiver {
public:
    explicit Receiver(const wchar_t* className) {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = className;
        RegisterClassW(&wc);
        hwnd_ = CreateWindowExW(0, className, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr);
    }
    ~Receiver() { DestroyWindow(hwnd_); }
    HWND hwnd() const { return hwnd_; }

    // Pumps this thread's messages until one of the kind comes or a while passed.
    bool WaitFor(UINT kind, MSG& got) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (std::chrono::steady_clock::now() < deadline) {
            if (PeekMessageW(&got, hwnd_, kind, kind, PM_REMOVE)) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return false;
    }
    bool Nothing(UINT kind) {
        MSG got;
        return !PeekMessageW(&got, hwnd_, kind, kind, PM_REMOVE);
    }

private:
    HWND hwnd_ = nullptr;
};

// 2031-05-06 (a Tuesday) 10:00:00 local time.
const time_t kStart = LocalTimeAt(2031, 5, 6, 10, 0, 0);

// Polls a condition; the patience is a safety net, not a measure.
template <typename Condition>
bool WaitUntil(Condition done) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

class PlanTaskManagerTest : public ::testing::Test {
protected:
    TaskInfo OneShot(const std::wstring& name, const wchar_t* date, const wchar_t* time) {
        TaskInfo t(wall_.Now());
        t.Name = name;
        t.StartDate = date;
        t.StartTime = time;
        t.Duration = 42;
        t.Status = true;
        return t;
    }
    // The clocks move, and whatever came due has run before this returns.
    void Advance(int64_t ms) {
        elapsed_.ms += ms;
        manager_.WakeTimers();
        ASSERT_TRUE(WaitUntil([this] { return manager_.TimersSettled(); }));
    }
    std::wstring Path() const { return dir_.File(L"PlanTasks.xml"); }
    RecordRequest TakeRequest() {
        MSG msg;
        EXPECT_TRUE(main_.WaitFor(WM_PLAN_START_RECORD, msg));
        RecordRequest* r = ClaimPostedRecord<RecordRequest>(msg.wParam);
        EXPECT_NE(r, nullptr);
        RecordRequest copy = r ? *r : RecordRequest{};
        delete r;
        return copy;
    }

    TempDir dir_;
    Receiver main_{L"roverudedudovo"};
    FakeElapsed elapsed_;
    FakeTimerClock steady_{elapsed_};
    FakeWallClock wall_{elapsed_, kStart};
    PlanTaskManager manager_{dir_.File(L"PlanTasks.xml"), &wall_, &steady_};
};

TEST_F(PlanTaskManagerTest, LoadingDropsTooNearOneShotTasksAndArmsTheEnabledOnes) {
    TaskInfo soon = OneShot(L"Task 1", L"2031-05-06", L"10:02:00");
    TaskInfo later = OneShot(L"Task 2", L"2031-05-06", L"10:10:00");
    TaskInfo stopped = OneShot(L"Task 3", L"2031-05-07", L"09:00:00");
    stopped.Status = false;
    TaskInfo daily = OneShot(L"Task 4", L"2020-01-01", L"09:00:00");
    daily.Repeat = L"0,1,2,3,4,5,6";
    TaskInfo past = OneShot(L"Task 5", L"2031-05-05", L"23:00:00");
    for (const TaskInfo& t : {soon, later, stopped, daily, past}) ASSERT_TRUE(AddTaskToFile(Path(), t));
    manager_.LoadTasks();
    const std::vector<TaskInfo> tasks = manager_.Tasks();
    ASSERT_EQ(tasks.size(), 3u);
    EXPECT_EQ(tasks[0].Name, L"Task 2");
    EXPECT_EQ(tasks[1].Name, L"Task 3");
    EXPECT_EQ(tasks[2].Name, L"Task 4");
    EXPECT_TRUE(manager_.IsArmed(L"Task 2"));
    EXPECT_FALSE(manager_.IsArmed(L"Task 3"));
    EXPECT_TRUE(manager_.IsArmed(L"Task 4"));
    EXPECT_EQ(ReadTasksFromFile(Path(), kStart).size(), 5u);  // dropped ones stay in the file
}

// The largest integers, an empty area, names given twice, elements of another
// kind and garbage: every element is listed with values the editor could have
// made, each under a name of its own that the file holds as well.
TEST_F(PlanTaskManagerTest, AHostileFileLoadsEveryTaskInRange) {
    ASSERT_TRUE(testing_support::WriteFileBytes(
        Path(),
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Tasks>\n"
        "<Task Name=\"Task 1\" StartTime=\"2147483647-2147483647-2147483647 2147483647:2147483647:2147483647\" "
        "StopTime=\"0000-00-00 -1:-1:-1\" Duration=\"1e300\" RegionMode=\"2147483647\" "
        "Region=\"-2147483648,-2147483648,2147483647,2147483647\" AudioInput=\"-2147483648\" Status=\"1\">"
        "<Cycle CycleStopCount=\"2147483647\"/></Task>\n"
        "<Task Name=\"Task 1\" StartTime=\"2033-02-31 10:30:00\" Duration=\"-5\" RegionMode=\"2\" "
        "Region=\"0,0,0,0\" Status=\"1\"/>\n"
        "<Task Name=\"Task 1\" StartTime=\"garbage here\" Duration=\"abc\" Status=\"2147483647\">"
        "<Repeat>x,,9,-1</Repeat></Task>\n"
        "<Junk Name=\"Task 1 (2)\" StartTime=\"9999-12-31 23:59:59\"/>\n"
        "</Tasks>\n"));
    manager_.LoadTasks();
    const std::vector<TaskInfo> tasks = manager_.Tasks();
    ASSERT_EQ(tasks.size(), 4u) << "nothing lost";
    const wchar_t* names[] = {L"Task 1", L"Task 1 (2)", L"Task 1 (3)", L"Task 1 (2) (2)"};
    for (size_t i = 0; i < 4; ++i) EXPECT_EQ(tasks[i].Name, names[i]);
    EXPECT_EQ(tasks[0].StartDate, L"9999-12-31");
    EXPECT_EQ(tasks[0].StartTime, L"23:59:59");
    EXPECT_EQ(tasks[0].StopDate, L"1970-01-01");
    EXPECT_EQ(tasks[0].StopTime, L"00:00:00");
    EXPECT_EQ(tasks[0].Duration, 2147483647u);
    EXPECT_EQ(tasks[0].RegionMode, 2);
    EXPECT_EQ(tasks[0].AudioInput, 0);
    EXPECT_EQ(tasks[0].CycleStopCount, 99);
    EXPECT_EQ(tasks[1].StartDate, L"2033-02-28") << "the day follows the month";
    EXPECT_EQ(tasks[1].Duration, 1u);
    EXPECT_TRUE(manager_.IsArmed(L"Task 1"));
    EXPECT_TRUE(manager_.IsArmed(L"Task 1 (2)"));
    EXPECT_TRUE(manager_.IsArmed(L"Task 1 (3)")) << "a repeating task, whatever its days";
    const std::vector<TaskInfo> inFile = ReadTasksFromFile(Path(), kStart);
    ASSERT_EQ(inFile.size(), 4u);
    for (size_t i = 0; i < 4; ++i) EXPECT_EQ(inFile[i].Name, names[i]) << "the file holds the new names";
    TaskInfo third = tasks[2];
    third.Duration = 77;
    ASSERT_TRUE(manager_.UpdateTaskInFile(third));
    EXPECT_EQ(ReadTasksFromFile(Path(), kStart).at(2).Duration, 77u) << "each task finds its own element";
    EXPECT_EQ(ReadTasksFromFile(Path(), kStart).at(0).Duration, 2147483647u);
}

TEST_F(PlanTaskManagerTest, SortingFollowsTheTaskNumbers) {
    for (const wchar_t* name : {L"Task 3", L"Task 10", L"Task 2", L"Task R1"})
        manager_.AddTask(OneShot(name, L"2031-05-07", L"10:00:00"));
    manager_.SortTasks();
    const std::vector<TaskInfo> tasks = manager_.Tasks();
    EXPECT_EQ(tasks[0].Name, L"Task R1");
    EXPECT_EQ(tasks[1].Name, L"Task 2");
    EXPECT_EQ(tasks[2].Name, L"Task 3");
    EXPECT_EQ(tasks[3].Name, L"Task 10");
    EXPECT_EQ(PlanTaskManager::TaskNumber(L"Task 12"), 12);
    EXPECT_EQ(PlanTaskManager::TaskNumber(L"night"), 0);
}

TEST_F(PlanTaskManagerTest, AOneShotTaskFiresWithItsFieldsAndEndsStopped) {
    TaskInfo t = OneShot(L"Task 1", L"2031-05-06", L"10:05:00");
    t.RegionMode = 2;
    t.RegionLeft = 1;
    t.RegionTop = 2;
    t.RegionRight = 301;
    t.RegionBottom = 202;
    t.AudioInput = 2;
    t.Webcam = L"cam";
    t.CompletedAction = L"睡眠";
    ASSERT_TRUE(manager_.AddTaskToFile(t));
    manager_.AddTask(t);
    Receiver list(L"PlanTaskWnd_TS");
    ShowWindow(list.hwnd(), SW_SHOWNA);
    ASSERT_TRUE(manager_.ScheduleTask(t));
    Advance(5 * 60 * 1000 - 1000);
    EXPECT_TRUE(main_.Nothing(WM_PLAN_START_RECORD));
    Advance(1000);
    const RecordRequest r = TakeRequest();
    EXPECT_EQ(r.record_area, 2);
    EXPECT_EQ(r.left, 1);
    EXPECT_EQ(r.bottom, 202);
    EXPECT_EQ(r.audio_input, 2);
    EXPECT_EQ(r.camera_input, L"cam");
    EXPECT_EQ(r.complete_option, L"睡眠");
    EXPECT_EQ(r.duration, 42);
    EXPECT_TRUE(r.task_begin);
    MSG done;
    ASSERT_TRUE(list.WaitFor(WM_PLAN_TASK_DONE, done));
    std::wstring* name = ClaimPostedRecord<std::wstring>(done.wParam);
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(*name, L"Task 1");
    delete name;
    TaskInfo listed;
    ASSERT_TRUE(manager_.FindTask(L"Task 1", listed));
    EXPECT_FALSE(listed.Status);
    EXPECT_FALSE(ReadTasksFromFile(Path(), kStart).at(0).Status);
    EXPECT_FALSE(manager_.IsArmed(L"Task 1"));
}

TEST_F(PlanTaskManagerTest, AOneShotTaskWhoseStartPassedIsNotArmed) {
    EXPECT_FALSE(manager_.ScheduleTask(OneShot(L"Task 1", L"2031-05-06", L"09:59:59")));
    EXPECT_FALSE(manager_.IsArmed(L"Task 1"));
    EXPECT_TRUE(manager_.ScheduleTask(OneShot(L"Task 2", L"2031-05-06", L"10:00:00")));  // due at once
    EXPECT_EQ(TakeRequest().duration, 42);
}

TEST_F(PlanTaskManagerTest, AOneShotTaskThirtyDaysAheadFiresThen) {
    ASSERT_TRUE(manager_.ScheduleTask(OneShot(L"Task 1", L"2031-06-05", L"10:00:00")));
    Advance(30LL * 86400000 - 1000);
    EXPECT_TRUE(main_.Nothing(WM_PLAN_START_RECORD));
    Advance(1000);
    TakeRequest();
}

TEST_F(PlanTaskManagerTest, ARepeatingTaskPastTodaysTimeWaitsForTomorrow) {
    TaskInfo t = OneShot(L"Task 1", L"2031-05-06", L"09:00:00");
    t.Repeat = L"0,1,2,3,4,5,6";
    ASSERT_TRUE(manager_.ScheduleTask(t));
    Advance(23LL * 3600000 - 1000);
    EXPECT_TRUE(main_.Nothing(WM_PLAN_START_RECORD));
    Advance(1000);
    TakeRequest();
    EXPECT_TRUE(manager_.IsArmed(L"Task 1"));  // now its daily timer
    Advance(86400000);
    TakeRequest();
    manager_.UnscheduleTask(t);
    EXPECT_FALSE(manager_.IsArmed(L"Task 1"));
    Advance(86400000);
    EXPECT_TRUE(main_.Nothing(WM_PLAN_START_RECORD));
}

// Tuesday's first firing of a Wednesday task records nothing; Wednesday's does.
TEST_F(PlanTaskManagerTest, AWeekdayTaskRecordsOnlyOnItsDaysFromTheFirstFiring) {
    TaskInfo t = OneShot(L"Task 1", L"2031-05-06", L"10:30:00");
    t.Repeat = L"3";
    ASSERT_TRUE(manager_.ScheduleTask(t));
    Advance(30 * 60 * 1000);
    EXPECT_TRUE(main_.Nothing(WM_PLAN_START_RECORD));
    EXPECT_TRUE(manager_.IsArmed(L"Task 1"));
    Advance(86400000);
    TakeRequest();
    Advance(86400000);
    EXPECT_TRUE(main_.Nothing(WM_PLAN_START_RECORD));
}

TEST_F(PlanTaskManagerTest, WithoutAMainWindowTheRequestIsFreed) {
    DestroyWindow(main_.hwnd());
    const size_t before = LivePostedRecordCount();
    const TaskInfo task = OneShot(L"Task 1", L"2031-05-06", L"10:00:01");
    manager_.AddTask(task);
    ASSERT_TRUE(manager_.ScheduleTask(task));
    Advance(1000);
    TaskInfo listed;
    ASSERT_TRUE(manager_.FindTask(L"Task 1", listed));
    ASSERT_FALSE(listed.Status) << "the task fired";
    EXPECT_EQ(LivePostedRecordCount(), before);
}

// A wall clock that, while held, stops the manager's worker at its next look at
// the date (inside a firing) until the test lets it go; the test's own thread
// passes through.
class HeldWallClock : public WallClock {
public:
    explicit HeldWallClock(const WallClock& inner) : inner_(inner) {}
    time_t Now() const override {
        std::unique_lock<std::mutex> lock(m_);
        if (holding_ && std::this_thread::get_id() != owner_) {
            ++held_;
            changed_.notify_all();
            changed_.wait(lock, [this] { return !holding_; });
        }
        return inner_.Now();
    }
    void Hold() {
        std::lock_guard<std::mutex> lock(m_);
        holding_ = true;
    }
    bool WaitUntilHeld() {
        std::unique_lock<std::mutex> lock(m_);
        return changed_.wait_for(lock, std::chrono::seconds(10), [this] { return held_ > 0; });
    }
    void Release() {
        std::lock_guard<std::mutex> lock(m_);
        holding_ = false;
        changed_.notify_all();
    }

private:
    const WallClock& inner_;
    const std::thread::id owner_ = std::this_thread::get_id();
    mutable std::mutex m_;
    mutable std::condition_variable changed_;
    mutable int held_ = 0;
    bool holding_ = false;
};

// A stop or an edit from the task list that lands while a daily task is firing:
// the stop leaves nothing armed, the edit leaves exactly the edited timer.
TEST(PlanTaskRaceTest, AStopOrAnEditDuringAFiringWins) {
    for (const bool edit : {false, true}) {
        SCOPED_TRACE(edit ? "an edit" : "a stop");
        TempDir dir;
        Receiver main(L"roverudedudovo");
        FakeElapsed elapsed;
        FakeTimerClock steady(elapsed);
        FakeWallClock wall(elapsed, kStart);
        HeldWallClock held(wall);
        PlanTaskManager manager(dir.File(L"PlanTasks.xml"), &held, &steady);
        auto advance = [&](int64_t ms) {
            elapsed.ms += ms;
            manager.WakeTimers();
            return WaitUntil([&] { return manager.TimersSettled(); });
        };
        auto requests = [&] {
            int count = 0;
            MSG msg;
            while (PeekMessageW(&msg, main.hwnd(), WM_PLAN_START_RECORD, WM_PLAN_START_RECORD, PM_REMOVE)) {
                delete ClaimPostedRecord<RecordRequest>(msg.wParam);
                ++count;
            }
            return count;
        };
        TaskInfo task(kStart);
        task.Name = L"Task 1";
        task.StartTime = L"10:00:30";
        task.Repeat = L"0,1,2,3,4,5,6";
        task.Status = true;
        ASSERT_TRUE(manager.ScheduleTask(task));

        held.Hold();
        elapsed.ms += 30000;
        manager.WakeTimers();
        ASSERT_TRUE(held.WaitUntilHeld()) << "the firing is under way";
        manager.UnscheduleTask(task);
        TaskInfo edited = task;
        edited.StartTime = L"11:00:00";
        if (edit) ASSERT_TRUE(manager.ScheduleTask(edited));
        held.Release();
        ASSERT_TRUE(WaitUntil([&] { return manager.TimersSettled(); }));
        EXPECT_EQ(requests(), 1) << "the firing under way records";

        EXPECT_EQ(manager.IsArmed(L"Task 1"), edit);
        ASSERT_TRUE(advance(3600000 - 30000));  // 11:00 today
        EXPECT_EQ(requests(), edit ? 1 : 0);
        ASSERT_TRUE(advance(86400000 - 1000));  // 10:59:59 tomorrow
        EXPECT_EQ(requests(), 0) << "no daily timer of the task as it was";
        ASSERT_TRUE(advance(1000));
        EXPECT_EQ(requests(), edit ? 1 : 0);
        manager.UnscheduleTask(edited);
    }
}

TEST(StartTooNearTest, ThreeMinutesAheadIsTooNear) {
    std::tm now = {};
    now.tm_year = 2031 - 1900;
    now.tm_mon = 4;
    now.tm_mday = 6;
    now.tm_hour = 10;
    const struct {
        const wchar_t* date;
        const wchar_t* time;
        bool tooNear;
    } cases[] = {
        {L"2031-05-06", L"10:03:00", true}, {L"2031-05-06", L"10:03:01", false}, {L"2031-05-07", L"00:00:00", false},
        {L"2031-05-05", L"23:59:59", true}, {L"2030-12-31", L"12:00:00", true},  {L"2032-01-01", L"00:00:00", false},
    };
    for (const auto& c : cases) {
        TaskInfo t(0);
        t.StartDate = c.date;
        t.StartTime = c.time;
        EXPECT_EQ(PlanTaskManager::IsStartTooNear(t, now), c.tooNear) << c.date << L" " << c.time;
    }
}

}  // namespace
