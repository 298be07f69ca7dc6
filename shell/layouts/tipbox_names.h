// The names of tipbox.xml, the notice that sound playback failed (CTipBoxDlg).
#pragma once

#include "ui/core/layout_names.h"

namespace tipbox_names {

using DuiLib::LayoutName;

// The layout file.
constexpr wchar_t kLayout[] = L"tipbox.xml";

constexpr LayoutName kClosebtn{L"closebtn", DuiLib::kButtonInterface};
constexpr LayoutName kBtnOk{L"btn_ok", DuiLib::kButtonInterface};

constexpr LayoutName kAll[] = {kClosebtn, kBtnOk};

// A cancel button that the click table answers but this skin's tipbox.xml does not
// have; the table test checks that it is still absent.
constexpr LayoutName kBtnCancel{L"btn_cancel", DuiLib::kButtonInterface};
constexpr LayoutName kAbsent[] = {kBtnCancel};

}  // namespace tipbox_names
