// The names of msg_tip.xml, the notice and confirm tip (MsgTipDlg).
#pragma once

#include "ui/core/layout_names.h"

namespace msg_tip_names {

using DuiLib::LayoutName;

// The layout file.
constexpr wchar_t kLayout[] = L"msg_tip.xml";

constexpr LayoutName kTitle{L"title", DuiLib::kLabelInterface};
constexpr LayoutName kClosebtn{L"closebtn", DuiLib::kButtonInterface};
// The row of the sign and the text.
constexpr LayoutName kConfirmTip{L"confirm_tip", DuiLib::kContainerInterface};
constexpr LayoutName kTipLogo{L"tip_logo", DuiLib::kControlInterface};
constexpr LayoutName kTipText{L"tip_text", DuiLib::kLabelInterface};
// The exit question: hide to the tray or quit.
constexpr LayoutName kExitConfirm{L"exit_confirm", DuiLib::kContainerInterface};
constexpr LayoutName kMiniTray{L"mini_tray", DuiLib::kOptionInterface};
constexpr LayoutName kExitExe{L"exit_exe", DuiLib::kOptionInterface};
constexpr LayoutName kShowDelete{L"show_delete", DuiLib::kCheckBoxInterface};
// The buttons: confirm and cancel, or one "好的".
constexpr LayoutName kOkCancel{L"ok_cancel", DuiLib::kContainerInterface};
constexpr LayoutName kBtnOk{L"btn_ok", DuiLib::kButtonInterface};
constexpr LayoutName kBtnCancel{L"btn_cancel", DuiLib::kButtonInterface};
constexpr LayoutName kGood{L"good", DuiLib::kContainerInterface};
constexpr LayoutName kBtnGood{L"btn_good", DuiLib::kButtonInterface};

constexpr LayoutName kAll[] = {kTitle,   kClosebtn,   kConfirmTip, kTipLogo, kTipText,   kExitConfirm, kMiniTray,
                               kExitExe, kShowDelete, kOkCancel,   kBtnOk,   kBtnCancel, kGood,        kBtnGood};

}  // namespace msg_tip_names
