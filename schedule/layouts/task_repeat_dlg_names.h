// Names of "task_repeat_dlg.xml", the editor's repeat pop-up.
#pragma once

#include "ui/core/layout_names.h"

namespace task_repeat_dlg_names {
constexpr const wchar_t* kLayout = L"task_repeat_dlg.xml";
constexpr DuiLib::LayoutName kChkRepeat{L"chk_repeat", DuiLib::kCheckBoxInterface};
constexpr DuiLib::LayoutName kVerWeek{L"ver_week", DuiLib::kContainerInterface};
// Sunday first: the index is the weekday's number in a task's Repeat text.
constexpr DuiLib::LayoutName kWeekdays[] = {
    {L"chk_sunday", DuiLib::kCheckBoxInterface},   {L"chk_monday", DuiLib::kCheckBoxInterface},
    {L"chk_tuesday", DuiLib::kCheckBoxInterface},  {L"chk_wednesday", DuiLib::kCheckBoxInterface},
    {L"chk_thursday", DuiLib::kCheckBoxInterface}, {L"chk_friday", DuiLib::kCheckBoxInterface},
    {L"chk_saturday", DuiLib::kCheckBoxInterface}};
constexpr DuiLib::LayoutName kAll[] = {kChkRepeat,   kVerWeek,     kWeekdays[0], kWeekdays[1], kWeekdays[2],
                                       kWeekdays[3], kWeekdays[4], kWeekdays[5], kWeekdays[6]};
}  // namespace task_repeat_dlg_names
