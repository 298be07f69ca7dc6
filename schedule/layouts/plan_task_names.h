// Names of "plan_task.xml", the task list window.
#pragma once

#include "ui/core/layout_names.h"

namespace plan_task_names {
constexpr const wchar_t* kLayout = L"plan_task.xml";
constexpr DuiLib::LayoutName kCloseBtn{L"closebtn", DuiLib::kButtonInterface};
constexpr DuiLib::LayoutName kAddTask{L"add_task", DuiLib::kButtonInterface};
constexpr DuiLib::LayoutName kStart{L"start", DuiLib::kButtonInterface};
constexpr DuiLib::LayoutName kStop{L"stop", DuiLib::kButtonInterface};
constexpr DuiLib::LayoutName kEdit{L"edit", DuiLib::kButtonInterface};
constexpr DuiLib::LayoutName kDelete{L"delete", DuiLib::kButtonInterface};
constexpr DuiLib::LayoutName kListTask{L"list_task", DuiLib::kListInterface};
constexpr DuiLib::LayoutName kAll[] = {kCloseBtn, kAddTask, kStart, kStop, kEdit, kDelete, kListTask};
}  // namespace plan_task_names
