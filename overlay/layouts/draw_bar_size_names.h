// Names of "draw_bar_size.xml", the pen width pop-up.
#pragma once

#include "ui/core/layout_names.h"

namespace draw_bar_size_names {
constexpr const wchar_t* kLayout = L"draw_bar_size.xml";
constexpr DuiLib::LayoutName kSizeSmall{L"size_small", DuiLib::kButtonInterface};
constexpr DuiLib::LayoutName kSizeMid{L"size_mid", DuiLib::kButtonInterface};
constexpr DuiLib::LayoutName kSizeLarge{L"size_large", DuiLib::kButtonInterface};
constexpr DuiLib::LayoutName kAll[] = {kSizeSmall, kSizeMid, kSizeLarge};
}  // namespace draw_bar_size_names
