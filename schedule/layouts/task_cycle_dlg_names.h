// Names of "task_cycle_dlg.xml", the editor's cycle pop-up.
#pragma once

#include "ui/core/layout_names.h"

namespace task_cycle_dlg_names {
constexpr const wchar_t* kLayout = L"task_cycle_dlg.xml";
constexpr DuiLib::LayoutName kChkCycle{L"chk_cycle", DuiLib::kCheckBoxInterface};
constexpr DuiLib::LayoutName kVerCycle{L"ver_cycle", DuiLib::kContainerInterface};
constexpr DuiLib::LayoutName kCycleTime{L"cycle_time", DuiLib::kOptionInterface};
constexpr DuiLib::LayoutName kCycleTimeEdit{L"cycle_time_edit", DuiLib::kEditInterface};
constexpr DuiLib::LayoutName kCycleHandle{L"cycle_handle", DuiLib::kOptionInterface};
constexpr DuiLib::LayoutName kAll[] = {kChkCycle, kVerCycle, kCycleTime, kCycleTimeEdit, kCycleHandle};
}  // namespace task_cycle_dlg_names
