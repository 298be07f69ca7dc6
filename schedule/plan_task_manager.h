// The scheduled tasks while the program runs: their list (as the task windows
// show it), the timers that start them, and "PlanTasks.xml". One lock guards
// the list, the timer table, the main window's handle and the file; it is never
// held while a message is sent.
#pragma once

#include <windows.h>

#include <ctime>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "schedule/task_info.h"
#include "schedule/timer_queue.h"

// Local wall-clock seconds since 1970; tests replace it.
class WallClock {
public:
    virtual ~WallClock() = default;
    // Any thread.
    virtual time_t Now() const = 0;
};

class SystemWallClock : public WallClock {
public:
    time_t Now() const override { return time(nullptr); }
};

class PlanTaskManager {
public:
    // The program's manager, for "PlanTasks.xml" beside the program (UI thread,
    // first call at the main window's start).
    static PlanTaskManager& GetInstance();

    // Any thread. The clocks must outlive the manager; null means the system's.
    PlanTaskManager(std::wstring taskFilePath, const WallClock* wall, const TimerClock* steady);
    PlanTaskManager(const PlanTaskManager&) = delete;
    PlanTaskManager& operator=(const PlanTaskManager&) = delete;

    // UI thread: reads the file into the list and arms the enabled tasks; a
    // one-shot task due within three minutes is left out.
    void LoadTasks();
    // UI thread: by the number in "Task N" names.
    void SortTasks();

    // UI thread, like all below unless said otherwise.
    void AddTask(const TaskInfo& task);
    void UpdateTask(const TaskInfo& task);
    void RemoveTask(const TaskInfo& task);
    std::vector<TaskInfo> Tasks() const;
    bool FindTask(const std::wstring& name, TaskInfo& found) const;

    // Arms the task's next start; false (nothing armed) when a one-shot task's
    // start has passed.
    bool ScheduleTask(const TaskInfo& task);
    void UnscheduleTask(const TaskInfo& task);
    bool IsArmed(const std::wstring& name) const;

    bool AddTaskToFile(const TaskInfo& task);
    bool UpdateTaskInFile(const TaskInfo& task);
    bool DeleteTaskFromFile(const TaskInfo& task);
    const std::wstring& TaskFilePath() const { return taskFilePath_; }

    // Any thread: a test that moved its clocks lets the timers look again, and
    // waits until what came due has run.
    void WakeTimers() { timers_.Wake(); }
    bool TimersSettled() { return timers_.IsSettled(); }
    time_t Now() const { return wall_.Now(); }

    // The number of a "Task N" name, 0 for any other name.
    static int TaskNumber(const std::wstring& name);
    // A one-shot task that starts no more than three minutes after now.
    static bool IsStartTooNear(const TaskInfo& task, const std::tm& now);

private:
    // One armed timer: the task it starts and the ticket its action carries. A
    // stop or an edit takes the entry away, so a firing already on its way finds
    // its ticket gone and records nothing.
    struct ArmedTimer {
        std::wstring name;
        uint64_t ticket = 0;
    };

    void Arm(const TaskInfo& task, int64_t waitMs);
    void Disarm(const std::wstring& name);
    // Under lock_: the entry of the ticket leaves the table; false when a stop or
    // an edit took it first.
    bool TakeTicket(uint64_t ticket);
    bool HoldsTicket(uint64_t ticket) const;
    // Worker threads: a start comes due, and the daily check of a repeating task.
    void OnTaskDue(const TaskInfo& task, uint64_t ticket);
    void OnRepeatDay(const TaskInfo& task, uint64_t ticket);
    bool IsDueToday(const TaskInfo& task) const;
    void PostStart(const TaskInfo& task);
    void FinishOneShot(TaskInfo task);

    const SystemWallClock systemWall_;
    const WallClock& wall_;
    const std::wstring taskFilePath_;
    mutable std::mutex lock_;  // guards tasks_, timerTable_, mainWindow_ and the file
    std::vector<TaskInfo> tasks_;
    std::map<int32_t, ArmedTimer> timerTable_;
    uint64_t nextTicket_ = 0;
    HWND mainWindow_ = nullptr;
    TimerQueue timers_;
};
