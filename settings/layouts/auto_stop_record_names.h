// The names of auto_stop_record.xml, the auto-stop dialog (AutoStopRecordDlg).
#pragma once

#include "ui/core/layout_names.h"

namespace auto_stop_record_names {

using DuiLib::LayoutName;

constexpr wchar_t kLayout[] = L"auto_stop_record.xml";

constexpr LayoutName kClosebtn{L"closebtn", DuiLib::kButtonInterface};
constexpr LayoutName kAutoStopRecord{L"auto_stop_record", DuiLib::kCheckBoxInterface};
constexpr LayoutName kAutotime{L"autotime", DuiLib::kContainerInterface};
constexpr LayoutName kDiviTime{L"divi_time", DuiLib::kOptionInterface};
constexpr LayoutName kTimeCtrl{L"time_ctrl", L"TimeControlUI"};  // "hh:mm:ss"
constexpr LayoutName kAutosize{L"autosize", DuiLib::kContainerInterface};
constexpr LayoutName kDiviSize{L"divi_size", DuiLib::kOptionInterface};
constexpr LayoutName kDiviSizeEdit{L"divi_size_edit", DuiLib::kEditInterface};
constexpr LayoutName kAutocomplete{L"autocomplete", DuiLib::kContainerInterface};
constexpr LayoutName kCompleteOption{L"complete_option", DuiLib::kComboInterface};
constexpr LayoutName kBtnOk{L"btn_ok", DuiLib::kButtonInterface};
constexpr LayoutName kBtnCancel{L"btn_cancel", DuiLib::kButtonInterface};

constexpr LayoutName kAll[] = {kClosebtn, kAutoStopRecord, kAutotime,     kDiviTime,       kTimeCtrl, kAutosize,
                               kDiviSize, kDiviSizeEdit,   kAutocomplete, kCompleteOption, kBtnOk,    kBtnCancel};

}  // namespace auto_stop_record_names
