// Names of "draw_toolbar.xml", the drawing toolbar.
#pragma once

#include "ui/core/layout_names.h"

namespace draw_toolbar_names {
constexpr const wchar_t* kLayout = L"draw_toolbar.xml";
constexpr DuiLib::LayoutName kBtnClose{L"btn_close", DuiLib::kButtonInterface};
constexpr DuiLib::LayoutName kBtnZhizhen{L"btn_zhizhen", DuiLib::kOptionInterface};  // pointer
constexpr DuiLib::LayoutName kBtnHuabi{L"btn_huabi", DuiLib::kOptionInterface};      // pen
constexpr DuiLib::LayoutName kBtnLine{L"btn_line", DuiLib::kOptionInterface};
constexpr DuiLib::LayoutName kBtnArrow{L"btn_arrow", DuiLib::kOptionInterface};
constexpr DuiLib::LayoutName kBtnRectangle{L"btn_rectangle", DuiLib::kOptionInterface};
constexpr DuiLib::LayoutName kBtnEllipse{L"btn_ellipse", DuiLib::kOptionInterface};
constexpr DuiLib::LayoutName kBtnFont{L"btn_font", DuiLib::kOptionInterface};      // text
constexpr DuiLib::LayoutName kBtnBaiban{L"btn_baiban", DuiLib::kOptionInterface};  // white board
constexpr DuiLib::LayoutName kBtnThickness{L"btn_thickness", DuiLib::kButtonInterface};
constexpr DuiLib::LayoutName kBtnFontsize{L"btn_fontsize", DuiLib::kButtonInterface};
constexpr DuiLib::LayoutName kBtnColor{L"btn_color", DuiLib::kButtonInterface};
constexpr DuiLib::LayoutName kBtnUndo{L"btn_undo", DuiLib::kButtonInterface};
constexpr DuiLib::LayoutName kAll[] = {kBtnClose,     kBtnZhizhen, kBtnHuabi, kBtnLine,   kBtnArrow,
                                       kBtnRectangle, kBtnEllipse, kBtnFont,  kBtnBaiban, kBtnThickness,
                                       kBtnFontsize,  kBtnColor,   kBtnUndo};
}  // namespace draw_toolbar_names
