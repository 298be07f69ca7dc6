// Names of "spotlight_wnd.xml", the spotlight.
#pragma once

#include "ui/core/layout_names.h"

namespace spotlight_wnd_names {
constexpr const wchar_t* kLayout = L"spotlight_wnd.xml";
constexpr DuiLib::LayoutName kSpotlight{L"spotlight", L"SpotlightUI"};
constexpr DuiLib::LayoutName kAll[] = {kSpotlight};
}  // namespace spotlight_wnd_names
