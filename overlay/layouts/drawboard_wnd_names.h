// Names of "drawboard_wnd.xml", the drawing board.
#pragma once

#include "ui/core/layout_names.h"

namespace drawboard_wnd_names {
constexpr const wchar_t* kLayout = L"drawboard_wnd.xml";
// A hidden rich edit the board never uses.
constexpr DuiLib::LayoutName kTextEdit{L"textedit", DuiLib::kRichEditInterface};
constexpr DuiLib::LayoutName kAll[] = {kTextEdit};
}  // namespace drawboard_wnd_names
