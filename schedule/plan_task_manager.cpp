// Loading, arming and firing the scheduled tasks.
#include "schedule/plan_task_manager.h"

#include <algorithm>
#include <cstdio>
#include <cwchar>

#include "common/logger.h"
#include "common/posted_records.h"
#include "common/text_convert.h"
#include "schedule/date_time_text.h"
#include "schedule/task_file.h"
#include "shell/custom_messages.h"

namespace {

constexpr char kManager[] = "PlanTaskManager";
constexpr wchar_t kMainWindowClass[] = L"roverudedudovo";
constexpr wchar_t kTaskListClass[] = L"PlanTaskWnd_TS";
constexpr int64_t kDayMs = 86400000;
constexpr int32_t kDailyRepeats = 99999999;

void WriteOut(const char* line) {
    fputs(line, stdout);
    fflush(stdout);
}

}  // namespace

PlanTaskManager& PlanTaskManager::GetInstance() {
    static PlanTaskManager* instance = new PlanTaskManager(DefaultTaskFilePath(), nullptr, nullptr);
    return *instance;
}

PlanTaskManager::PlanTaskManager(std::wstring taskFilePath, const WallClock* wall, const TimerClock* steady)
    : wall_(wall ? *wall : systemWall_), taskFilePath_(std::move(taskFilePath)), timers_(steady) {
    timers_.Start();
}

void PlanTaskManager::LoadTasks() {
    const time_t now = wall_.Now();
    const std::tm local = LocalTimeOf(now);
    std::vector<TaskInfo> loaded;
    {
        std::lock_guard<std::mutex> lock(lock_);
        if (!MakeTaskNamesUnique(taskFilePath_))
            LogBoth(kManager, "the tasks of one name could not be renamed in the file error");
        loaded = ReadTasksFromFile(taskFilePath_, now);
    }
    for (const TaskInfo& task : loaded) {
        if (!task.Repeats() && IsStartTooNear(task, local)) continue;
        if (task.Status) ScheduleTask(task);
        AddTask(task);
    }
    LogBoth(kManager, "LoadTasks [tasks]%d", static_cast<int>(Tasks().size()));
}

int PlanTaskManager::TaskNumber(const std::wstring& name) {
    if (name.find(L"Task ") == std::wstring::npos || name.size() < 4) return 0;
    return static_cast<int>(wcstol(name.c_str() + 4, nullptr, 10));
}

void PlanTaskManager::SortTasks() {
    std::lock_guard<std::mutex> lock(lock_);
    std::stable_sort(tasks_.begin(), tasks_.end(),
                     [](const TaskInfo& a, const TaskInfo& b) { return TaskNumber(a.Name) < TaskNumber(b.Name); });
}

bool PlanTaskManager::IsStartTooNear(const TaskInfo& task, const std::tm& now) {
    const ClockFields date = ParseClockText(task.StartDate, L'-', {1970, 1, 1});
    const int today[] = {now.tm_year + 1900, now.tm_mon + 1, now.tm_mday};
    const int start[] = {date.first, date.second, date.third};
    for (int i = 0; i < 3; ++i) {
        if (start[i] > today[i]) return false;
        if (start[i] < today[i]) return true;
    }
    const int64_t limit = now.tm_hour * 3600 + (now.tm_min + 3) * 60 + now.tm_sec;
    return TimeTextToSeconds(task.StartTime) <= limit;
}

void PlanTaskManager::AddTask(const TaskInfo& task) {
    std::lock_guard<std::mutex> lock(lock_);
    tasks_.push_back(task);
}

void PlanTaskManager::UpdateTask(const TaskInfo& task) {
    std::lock_guard<std::mutex> lock(lock_);
    for (TaskInfo& t : tasks_)
        if (t.Name == task.Name) {
            t = task;
            return;
        }
}

void PlanTaskManager::RemoveTask(const TaskInfo& task) {
    std::lock_guard<std::mutex> lock(lock_);
    const auto it = std::find_if(tasks_.begin(), tasks_.end(), [&](const TaskInfo& t) { return t.Name == task.Name; });
    if (it != tasks_.end()) tasks_.erase(it);
}

std::vector<TaskInfo> PlanTaskManager::Tasks() const {
    std::lock_guard<std::mutex> lock(lock_);
    return tasks_;
}

bool PlanTaskManager::FindTask(const std::wstring& name, TaskInfo& found) const {
    std::lock_guard<std::mutex> lock(lock_);
    for (const TaskInfo& t : tasks_)
        if (t.Name == name) {
            found = t;
            return true;
        }
    return false;
}

bool PlanTaskManager::ScheduleTask(const TaskInfo& task) {
    const std::tm local = LocalTimeOf(wall_.Now());
    const std::wstring timeNow = TimeTextOf(local);
    const bool repeats = task.Repeats();
    const int64_t now =
        repeats ? DateTimeTextToSeconds(L"", timeNow) : DateTimeTextToSeconds(DateTextOf(local), timeNow);
    const int64_t start =
        repeats ? DateTimeTextToSeconds(L"", task.StartTime) : DateTimeTextToSeconds(task.StartDate, task.StartTime);
    int64_t wait = start - now;
    if (start < now) {
        if (!repeats) return false;
        wait += 86400;
    }
    Arm(task, wait * 1000);
    return true;
}

void PlanTaskManager::Arm(const TaskInfo& task, int64_t waitMs) {
    std::lock_guard<std::mutex> lock(lock_);
    const uint64_t ticket = ++nextTicket_;
    const int32_t id = timers_.AddOnce(waitMs, false, [this, task, ticket] { OnTaskDue(task, ticket); });
    timerTable_[id] = {task.Name, ticket};
}

void PlanTaskManager::UnscheduleTask(const TaskInfo& task) { Disarm(task.Name); }

void PlanTaskManager::Disarm(const std::wstring& name) {
    std::lock_guard<std::mutex> lock(lock_);
    for (auto it = timerTable_.begin(); it != timerTable_.end(); ++it)
        if (it->second.name == name) {
            timers_.Cancel(it->first);
            timerTable_.erase(it);
            return;
        }
}

bool PlanTaskManager::TakeTicket(uint64_t ticket) {
    for (auto it = timerTable_.begin(); it != timerTable_.end(); ++it)
        if (it->second.ticket == ticket) {
            timers_.Cancel(it->first);
            timerTable_.erase(it);
            return true;
        }
    return false;
}

bool PlanTaskManager::HoldsTicket(uint64_t ticket) const {
    for (const auto& entry : timerTable_)
        if (entry.second.ticket == ticket) return true;
    return false;
}

bool PlanTaskManager::IsArmed(const std::wstring& name) const {
    std::lock_guard<std::mutex> lock(lock_);
    for (const auto& entry : timerTable_)
        if (entry.second.name == name) return true;
    return false;
}

bool PlanTaskManager::AddTaskToFile(const TaskInfo& task) {
    std::lock_guard<std::mutex> lock(lock_);
    return ::AddTaskToFile(taskFilePath_, task);
}

bool PlanTaskManager::UpdateTaskInFile(const TaskInfo& task) {
    std::lock_guard<std::mutex> lock(lock_);
    return ::UpdateTaskInFile(taskFilePath_, task);
}

bool PlanTaskManager::DeleteTaskFromFile(const TaskInfo& task) {
    std::lock_guard<std::mutex> lock(lock_);
    return ::DeleteTaskFromFile(taskFilePath_, task);
}

bool PlanTaskManager::IsDueToday(const TaskInfo& task) const {
    const int weekday = LocalTimeOf(wall_.Now()).tm_wday;
    for (const std::wstring& item : SplitRepeat(task.Repeat))
        if (wcstol(item.c_str(), nullptr, 10) == weekday) return true;
    return false;
}

// The request goes to the main window; without one, or when the post fails,
// the request is freed here and the start is logged as lost.
void PlanTaskManager::PostStart(const TaskInfo& task) {
    HWND window = FindWindowW(kMainWindowClass, nullptr);
    {
        std::lock_guard<std::mutex> lock(lock_);
        mainWindow_ = window;
    }
    if (!window || !PostRecordCopy(window, WM_PLAN_START_RECORD, task.ToRequest()))
        LogBoth(kManager, "the scheduled start of a task could not reach the main window error");
}

// The fired timer leaves the table and a repeating task's daily timer takes its
// place in one hold of the lock: a stop or an edit comes wholly before (nothing
// is recorded) or wholly after (it finds the daily timer to cancel).
void PlanTaskManager::OnTaskDue(const TaskInfo& task, uint64_t ticket) {
    {
        std::lock_guard<std::mutex> lock(lock_);
        if (!TakeTicket(ticket)) {
            LogBoth(kManager, "[task]%s was stopped or changed before its start: nothing is recorded",
                    WideToUtf8(task.Name).c_str());
            return;
        }
        if (task.Repeats()) {
            const uint64_t daily = ++nextTicket_;
            const int32_t id = timers_.AddRepeating(static_cast<int32_t>(kDayMs), kDailyRepeats,
                                                    [this, task, daily] { OnRepeatDay(task, daily); });
            timerTable_[id] = {task.Name, daily};
        }
    }
    if (!task.Repeats()) {
        PostStart(task);
        FinishOneShot(task);
        return;
    }
    if (IsDueToday(task)) PostStart(task);
    WriteOut("************task:repeat:once complete---------------\n");
}

// A one-shot task ends stopped, in the list and in the file; the list window,
// when it shows, hears of it.
void PlanTaskManager::FinishOneShot(TaskInfo task) {
    task.Status = false;
    UpdateTask(task);
    UpdateTaskInFile(task);
    HWND list = FindWindowW(kTaskListClass, nullptr);
    if (list && IsWindowVisible(list)) PostRecordCopy(list, WM_PLAN_TASK_DONE, task.Name);
    WriteOut("************task:once complete---------------\n");
}

void PlanTaskManager::OnRepeatDay(const TaskInfo& task, uint64_t ticket) {
    {
        std::lock_guard<std::mutex> lock(lock_);
        if (!HoldsTicket(ticket)) return;  // stopped after this check was handed out
    }
    if (!IsDueToday(task)) return;
    WriteOut("************task:repeat  complete---------------\n");
    PostStart(task);
}
