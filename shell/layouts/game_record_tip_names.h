// The names of game_record_tip.xml, the game-mode question (GameRecordTipDlg).
#pragma once

#include "ui/core/layout_names.h"

namespace game_record_tip_names {

using DuiLib::LayoutName;

// The layout file.
constexpr wchar_t kLayout[] = L"game_record_tip.xml";

constexpr LayoutName kTitle{L"title", DuiLib::kLabelInterface};
constexpr LayoutName kClosebtn{L"closebtn", DuiLib::kButtonInterface};
constexpr LayoutName kShowDel{L"show_del", DuiLib::kCheckBoxInterface};
constexpr LayoutName kBtnOk{L"btn_ok", DuiLib::kButtonInterface};
constexpr LayoutName kBtnCancel{L"btn_cancel", DuiLib::kButtonInterface};

constexpr LayoutName kAll[] = {kTitle, kClosebtn, kShowDel, kBtnOk, kBtnCancel};

}  // namespace game_record_tip_names
