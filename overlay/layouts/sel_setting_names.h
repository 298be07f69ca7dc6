// Names of "sel_setting.xml", the region size dialog.
#pragma once

#include "ui/core/layout_names.h"

namespace sel_setting_names {
constexpr const wchar_t* kLayout = L"sel_setting.xml";
constexpr DuiLib::LayoutName kCloseBtn{L"closebtn", DuiLib::kButtonInterface};
constexpr DuiLib::LayoutName kWidthEdit{L"width_edit", DuiLib::kEditInterface};
constexpr DuiLib::LayoutName kHeightEdit{L"height_edit", DuiLib::kEditInterface};
constexpr DuiLib::LayoutName kNoScale{L"no_scale", DuiLib::kOptionInterface};
constexpr DuiLib::LayoutName kFourThree{L"ft_scale", DuiLib::kOptionInterface};
constexpr DuiLib::LayoutName kSixteenNine{L"sn_scale", DuiLib::kOptionInterface};
constexpr DuiLib::LayoutName kBtnOk{L"btn_ok", DuiLib::kButtonInterface};
constexpr DuiLib::LayoutName kBtnCancel{L"btn_cancel", DuiLib::kButtonInterface};
constexpr DuiLib::LayoutName kAll[] = {kCloseBtn,  kWidthEdit,   kHeightEdit, kNoScale,
                                       kFourThree, kSixteenNine, kBtnOk,      kBtnCancel};
}  // namespace sel_setting_names
