// The names of exit.xml, the close prompt (CExitMiniWnd).
#pragma once

#include "ui/core/layout_names.h"

namespace exit_names {

using DuiLib::LayoutName;

// The layout file.
constexpr wchar_t kLayout[] = L"exit.xml";

constexpr LayoutName kBtnClose{L"btn_close", DuiLib::kButtonInterface};
constexpr LayoutName kBtnMini{L"btn_mini", DuiLib::kOptionInterface};  // hide to the tray
constexpr LayoutName kBtnExit{L"btn_exit", DuiLib::kOptionInterface};  // quit
constexpr LayoutName kBtnNoRemind{L"btn_no_remind", DuiLib::kOptionInterface};
constexpr LayoutName kBtnConfirm{L"btn_confirm", DuiLib::kButtonInterface};
constexpr LayoutName kBtnCancel{L"btn_cancel", DuiLib::kButtonInterface};

constexpr LayoutName kAll[] = {kBtnClose, kBtnMini, kBtnExit, kBtnNoRemind, kBtnConfirm, kBtnCancel};

}  // namespace exit_names
