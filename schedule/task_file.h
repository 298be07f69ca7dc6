// "PlanTasks.xml": one "Task" element per task under the root "Tasks", written in
// the thread's ANSI code page. Each call loads, changes and saves the whole file;
// a save goes to a temporary file first and replaces the file by a rename.
#pragma once

#include <string>
#include <vector>

#include "schedule/task_info.h"

namespace tinyxml2 {
class XMLElement;
}

// "PlanTasks.xml" beside the running program.
std::wstring DefaultTaskFilePath();

// Appends the task; a missing, empty or rootless file is started afresh.
bool AddTaskToFile(const std::wstring& path, const TaskInfo& task);
// Rewrites the first element of the task's name; false when there is none.
bool UpdateTaskInFile(const std::wstring& path, const TaskInfo& task);
// Removes the first element of the task's name; false when there is none.
bool DeleteTaskFromFile(const std::wstring& path, const TaskInfo& task);
// Every element under the root, in file order (read with defaults at now).
std::vector<TaskInfo> ReadTasksFromFile(const std::wstring& path, time_t now);
TaskInfo ReadTaskElement(const tinyxml2::XMLElement& element, time_t now);
