// The names of delvideofile_tip.xml, the question before files leave a list
// (DelVideoFileTipDlg).
#pragma once

#include "ui/core/layout_names.h"

namespace delvideofile_tip_names {

using DuiLib::LayoutName;

// The layout file.
constexpr wchar_t kLayout[] = L"delvideofile_tip.xml";

constexpr LayoutName kTitle{L"title", DuiLib::kLabelInterface};
constexpr LayoutName kClosebtn{L"closebtn", DuiLib::kButtonInterface};
constexpr LayoutName kTipText{L"tip_text", DuiLib::kLabelInterface};
// "从磁盘删除".
constexpr LayoutName kShowDel{L"show_del", DuiLib::kCheckBoxInterface};
constexpr LayoutName kBtnOk{L"btn_ok", DuiLib::kButtonInterface};
constexpr LayoutName kBtnCancel{L"btn_cancel", DuiLib::kButtonInterface};

constexpr LayoutName kAll[] = {kTitle, kClosebtn, kTipText, kShowDel, kBtnOk, kBtnCancel};

}  // namespace delvideofile_tip_names
