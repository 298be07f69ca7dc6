// Names of "setting_opt.xml", the settings page inside the settings dialog.
#pragma once

#include "settings/hotkeys/hotkey_label.h"
#include "ui/core/layout_names.h"

namespace setting_opt_names {
constexpr const wchar_t* kLayout = L"setting_opt.xml";
constexpr DuiLib::LayoutName kSettingOpt{L"setting_opt", DuiLib::kContainerInterface};
constexpr DuiLib::LayoutName kOutPath{L"out_path", DuiLib::kContainerInterface};
constexpr DuiLib::LayoutName kVideo{L"video", DuiLib::kContainerInterface};
constexpr DuiLib::LayoutName kAudio{L"audio", DuiLib::kContainerInterface};
constexpr DuiLib::LayoutName kScreenshots{L"screenshots", DuiLib::kContainerInterface};
constexpr DuiLib::LayoutName kMouse{L"mouse", DuiLib::kContainerInterface};
constexpr DuiLib::LayoutName kRecord{L"record", DuiLib::kContainerInterface};
constexpr DuiLib::LayoutName kShortcutKeys{L"shortcutkeys", DuiLib::kContainerInterface};
constexpr DuiLib::LayoutName kSuspended{L"suspended", DuiLib::kContainerInterface};
constexpr DuiLib::LayoutName kStart{L"start", DuiLib::kContainerInterface};
constexpr DuiLib::LayoutName kMainPanel{L"main_panel", DuiLib::kContainerInterface};
constexpr DuiLib::LayoutName kShowPath{L"show_path", DuiLib::kLabelInterface};
constexpr DuiLib::LayoutName kChangePath{L"change_path", DuiLib::kButtonInterface};
constexpr DuiLib::LayoutName kOpenFolder{L"open_folder", DuiLib::kButtonInterface};
constexpr DuiLib::LayoutName kVOutType{L"v_out_type", DuiLib::kComboInterface};
constexpr DuiLib::LayoutName kFrameRate{L"frame_rate", DuiLib::kComboInterface};
constexpr DuiLib::LayoutName kVBitRate{L"v_bit_rate", DuiLib::kComboInterface};
constexpr DuiLib::LayoutName kDefinition{L"definition", DuiLib::kComboInterface};
constexpr DuiLib::LayoutName kAOutType{L"a_out_type", DuiLib::kComboInterface};
constexpr DuiLib::LayoutName kABitRate{L"a_bit_rate", DuiLib::kComboInterface};
constexpr DuiLib::LayoutName kSOutType{L"s_out_type", DuiLib::kComboInterface};
constexpr DuiLib::LayoutName kMousePoint{L"mouse_point", DuiLib::kCheckBoxInterface};
constexpr DuiLib::LayoutName kAutoDivision{L"auto_division", DuiLib::kCheckBoxInterface};
constexpr DuiLib::LayoutName kDiviTime{L"divi_time", DuiLib::kOptionInterface};
constexpr DuiLib::LayoutName kDiviTimeEdit{L"divi_time_edit", DuiLib::kEditInterface};
constexpr DuiLib::LayoutName kDiviSize{L"divi_size", DuiLib::kOptionInterface};
constexpr DuiLib::LayoutName kDiviSizeEdit{L"divi_size_edit", DuiLib::kEditInterface};
constexpr DuiLib::LayoutName kShowCountdown{L"show_countdown", DuiLib::kCheckBoxInterface};
constexpr DuiLib::LayoutName kShowBorder{L"show_border", DuiLib::kCheckBoxInterface};
constexpr DuiLib::LayoutName kStartRecord{L"start_record", DuiLib::kCheckBoxInterface};
constexpr DuiLib::LayoutName kHideTask{L"hide_task", DuiLib::kCheckBoxInterface};
constexpr DuiLib::LayoutName kSuspendedRecordHide{L"suspended_record_hide", DuiLib::kCheckBoxInterface};
constexpr DuiLib::LayoutName kStartOpen{L"start_open", DuiLib::kCheckBoxInterface};
constexpr DuiLib::LayoutName kAdminOpen{L"admin_open", DuiLib::kCheckBoxInterface};
constexpr DuiLib::LayoutName kCloseSmall{L"close_small", DuiLib::kOptionInterface};
constexpr DuiLib::LayoutName kCloseQuit{L"close_quit", DuiLib::kOptionInterface};
constexpr DuiLib::LayoutName kHotkeyCustomArea{L"hotkey_custom_record_aera", DuiLib::kHotkeyLabelInterface};
constexpr DuiLib::LayoutName kHotkeyStartRecord{L"hotkey_start_record", DuiLib::kHotkeyLabelInterface};
constexpr DuiLib::LayoutName kHotkeyRestartRecord{L"hotkey_restart_record", DuiLib::kHotkeyLabelInterface};
constexpr DuiLib::LayoutName kHotkeyShowDrawBoard{L"hotkey_show_drawboard", DuiLib::kHotkeyLabelInterface};
constexpr DuiLib::LayoutName kHotkeyScreenshot{L"hotkey_screenshot", DuiLib::kHotkeyLabelInterface};
constexpr DuiLib::LayoutName kHotkeyOpenSpotlight{L"hotkey_open_spotlight", DuiLib::kHotkeyLabelInterface};
constexpr DuiLib::LayoutName kChkCtrl{L"chk_ctrl", DuiLib::kCheckBoxInterface};
constexpr DuiLib::LayoutName kChkShift{L"chk_shift", DuiLib::kCheckBoxInterface};
constexpr DuiLib::LayoutName kChkAlt{L"chk_alt", DuiLib::kCheckBoxInterface};
constexpr DuiLib::LayoutName kComKey{L"com_key", DuiLib::kComboInterface};
constexpr DuiLib::LayoutName kBtnHotkeyDefault{L"btnhotkeyDefault", DuiLib::kButtonInterface};
constexpr DuiLib::LayoutName kAll[] = {kSettingOpt,
                                       kOutPath,
                                       kVideo,
                                       kAudio,
                                       kScreenshots,
                                       kMouse,
                                       kRecord,
                                       kShortcutKeys,
                                       kSuspended,
                                       kStart,
                                       kMainPanel,
                                       kShowPath,
                                       kChangePath,
                                       kOpenFolder,
                                       kVOutType,
                                       kFrameRate,
                                       kVBitRate,
                                       kDefinition,
                                       kAOutType,
                                       kABitRate,
                                       kSOutType,
                                       kMousePoint,
                                       kAutoDivision,
                                       kDiviTime,
                                       kDiviTimeEdit,
                                       kDiviSize,
                                       kDiviSizeEdit,
                                       kShowCountdown,
                                       kShowBorder,
                                       kStartRecord,
                                       kHideTask,
                                       kSuspendedRecordHide,
                                       kStartOpen,
                                       kAdminOpen,
                                       kCloseSmall,
                                       kCloseQuit,
                                       kHotkeyCustomArea,
                                       kHotkeyStartRecord,
                                       kHotkeyRestartRecord,
                                       kHotkeyShowDrawBoard,
                                       kHotkeyScreenshot,
                                       kHotkeyOpenSpotlight,
                                       kChkCtrl,
                                       kChkShift,
                                       kChkAlt,
                                       kComKey,
                                       kBtnHotkeyDefault};
}  // namespace setting_opt_names
