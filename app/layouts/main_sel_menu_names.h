// The names of main_sel_menu.xml, the area menu; its clicks reach the main
// window's click table.
#pragma once

#include "ui/core/layout_names.h"

namespace main_sel_menu_names {

using DuiLib::LayoutName;

// The menu file.
constexpr wchar_t kLayout[] = L"main_sel_menu.xml";

// The area presets.
constexpr LayoutName kMenuSelFull{L"menu_sel_full", DuiLib::kOptionInterface};
constexpr LayoutName kMenuSelHd{L"menu_sel_hd", DuiLib::kOptionInterface};
constexpr LayoutName kMenuSelSd{L"menu_sel_sd", DuiLib::kOptionInterface};
constexpr LayoutName kMenuSelT1{L"menu_sel_t1", DuiLib::kOptionInterface};
constexpr LayoutName kMenuSelT2{L"menu_sel_t2", DuiLib::kOptionInterface};
constexpr LayoutName kMenuSelT3{L"menu_sel_t3", DuiLib::kOptionInterface};
// The exact-size dialog.
constexpr LayoutName kMenuSelSet{L"menu_sel_set", DuiLib::kMenuElementInterface};
constexpr LayoutName kMenuSelCustom{L"menu_sel_custom", DuiLib::kButtonInterface};

constexpr LayoutName kAll[] = {kMenuSelFull, kMenuSelHd, kMenuSelSd,  kMenuSelT1,
                               kMenuSelT2,   kMenuSelT3, kMenuSelSet, kMenuSelCustom};

}  // namespace main_sel_menu_names
