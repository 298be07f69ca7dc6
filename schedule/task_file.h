// "PlanTasks.xml": one "Task" element per task under the root "Tasks", its text in
// UTF-8 (files of older versions, in the thread's ANSI code page, still read).
// Each call loads, changes and saves the whole file; a save goes to a temporary
// file first and replaces the file by a rename. A file that cannot be read is
// never overwritten: the next add keeps it beside the new one.
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
// Every element after the first of its name gets a name of its own ("Task 1 (2)"),
// in the file, so that each task finds its own element; false when that save failed.
bool MakeTaskNamesUnique(const std::wstring& path);
// Every element under the root, in file order (read with defaults at now), its
// values held in the ranges the editor can make.
std::vector<TaskInfo> ReadTasksFromFile(const std::wstring& path, time_t now);
TaskInfo ReadTaskElement(const tinyxml2::XMLElement& element, time_t now);
