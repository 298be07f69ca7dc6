// Names of "draw_text_size.xml", the text size pop-up.
#pragma once

#include "ui/core/layout_names.h"

namespace draw_text_size_names {
constexpr const wchar_t* kLayout = L"draw_text_size.xml";
constexpr DuiLib::LayoutName kSize16{L"size_16", DuiLib::kButtonInterface};
constexpr DuiLib::LayoutName kSize18{L"size_18", DuiLib::kButtonInterface};
constexpr DuiLib::LayoutName kSize20{L"size_20", DuiLib::kButtonInterface};
constexpr DuiLib::LayoutName kSize28{L"size_28", DuiLib::kButtonInterface};
constexpr DuiLib::LayoutName kSize36{L"size_36", DuiLib::kButtonInterface};
constexpr DuiLib::LayoutName kSize48{L"size_48", DuiLib::kButtonInterface};
constexpr DuiLib::LayoutName kSize72{L"size_72", DuiLib::kButtonInterface};
constexpr DuiLib::LayoutName kAll[] = {kSize16, kSize18, kSize20, kSize28, kSize36, kSize48, kSize72};
}  // namespace draw_text_size_names
