// Names of "plan_add_task.xml", the task editor.
#pragma once

#include "ui/core/layout_names.h"

namespace plan_add_task_names {
constexpr const wchar_t* kLayout = L"plan_add_task.xml";
constexpr const wchar_t* kTimeControlInterface = L"TimeControlUI";
constexpr const wchar_t* kYearControlInterface = L"YearControlUI";
constexpr DuiLib::LayoutName kCloseBtn{L"closebtn", DuiLib::kButtonInterface};
constexpr DuiLib::LayoutName kYearCtrl{L"year_ctrl", kYearControlInterface};
constexpr DuiLib::LayoutName kTimeCtrl{L"time_ctrl", kTimeControlInterface};
constexpr DuiLib::LayoutName kRepeat{L"repeat", DuiLib::kButtonInterface};
constexpr DuiLib::LayoutName kRecordTime{L"record_time", DuiLib::kOptionInterface};
constexpr DuiLib::LayoutName kDurationShow{L"duration_show", DuiLib::kContainerInterface};
constexpr DuiLib::LayoutName kDurationCtrl{L"duration_ctrl", kTimeControlInterface};
constexpr DuiLib::LayoutName kCycle{L"cycle", DuiLib::kButtonInterface};
constexpr DuiLib::LayoutName kStopTime{L"stop_time", DuiLib::kOptionInterface};
constexpr DuiLib::LayoutName kStopShow{L"stop_show", DuiLib::kContainerInterface};
constexpr DuiLib::LayoutName kStopYearCtrl{L"s_year_ctrl", kYearControlInterface};
constexpr DuiLib::LayoutName kStopTimeCtrl{L"s_time_ctrl", kTimeControlInterface};
constexpr DuiLib::LayoutName kComboArea{L"combo_area", DuiLib::kComboInterface};
constexpr DuiLib::LayoutName kComboAudio{L"combo_audio", DuiLib::kComboInterface};
constexpr DuiLib::LayoutName kComboCamera{L"combo_camera", DuiLib::kComboInterface};
constexpr DuiLib::LayoutName kComboComplete{L"combo_complete", DuiLib::kComboInterface};
constexpr DuiLib::LayoutName kTaskName{L"task_name", DuiLib::kEditInterface};
constexpr DuiLib::LayoutName kBtnOk{L"btn_ok", DuiLib::kButtonInterface};
constexpr DuiLib::LayoutName kBtnCancel{L"btn_cancel", DuiLib::kButtonInterface};
constexpr DuiLib::LayoutName kAll[] = {kCloseBtn,      kYearCtrl,     kTimeCtrl,  kRepeat,     kRecordTime,
                                       kDurationShow,  kDurationCtrl, kCycle,     kStopTime,   kStopShow,
                                       kStopYearCtrl,  kStopTimeCtrl, kComboArea, kComboAudio, kComboCamera,
                                       kComboComplete, kTaskName,     kBtnOk,     kBtnCancel};
}  // namespace plan_add_task_names
