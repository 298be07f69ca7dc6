// Names of "hotkey_tip.xml", the notice of hotkeys another program holds.
#pragma once

#include "ui/core/layout_names.h"

namespace hotkey_tip_names {
constexpr const wchar_t* kLayout = L"hotkey_tip.xml";
constexpr DuiLib::LayoutName kCloseBtn{L"closebtn", DuiLib::kButtonInterface};
constexpr DuiLib::LayoutName kShowDel{L"show_del", DuiLib::kCheckBoxInterface};
constexpr DuiLib::LayoutName kTitle{L"title", DuiLib::kLabelInterface};
constexpr DuiLib::LayoutName kTipText1{L"tip_text1", DuiLib::kLabelInterface};
constexpr DuiLib::LayoutName kTipText2{L"tip_text2", DuiLib::kLabelInterface};
constexpr DuiLib::LayoutName kTipText3{L"tip_text3", DuiLib::kLabelInterface};
constexpr DuiLib::LayoutName kTipText4{L"tip_text4", DuiLib::kLabelInterface};
constexpr DuiLib::LayoutName kTipText5{L"tip_text5", DuiLib::kLabelInterface};
constexpr DuiLib::LayoutName kTipText6{L"tip_text6", DuiLib::kLabelInterface};
constexpr DuiLib::LayoutName kBtnOk{L"btn_ok", DuiLib::kButtonInterface};
constexpr DuiLib::LayoutName kBtnCancel{L"btn_cancel", DuiLib::kButtonInterface};
constexpr DuiLib::LayoutName kAll[] = {kCloseBtn, kShowDel,  kTitle,    kTipText1, kTipText2, kTipText3,
                                       kTipText4, kTipText5, kTipText6, kBtnOk,    kBtnCancel};
}  // namespace hotkey_tip_names
