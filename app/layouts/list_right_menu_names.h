// The names of list_right_menu.xml (the file lists' right-click menu) and of
// menu.xml (the tray menu); their items come back as WM_MENUCLICK.
#pragma once

#include "ui/core/layout_names.h"

namespace list_right_menu_names {

using DuiLib::LayoutName;

constexpr wchar_t kLayout[] = L"list_right_menu.xml";

constexpr LayoutName kPreview{L"preview", DuiLib::kMenuElementInterface};
constexpr LayoutName kAllSel{L"all_sel", DuiLib::kMenuElementInterface};
constexpr LayoutName kDelete{L"delete", DuiLib::kMenuElementInterface};
constexpr LayoutName kRename{L"rename", DuiLib::kMenuElementInterface};
constexpr LayoutName kOpenDir{L"open_dir", DuiLib::kMenuElementInterface};
// Left out of the layout; enabled with "preview" when present.
constexpr LayoutName kCompress{L"compress", DuiLib::kMenuElementInterface};
constexpr LayoutName kEdit{L"edit", DuiLib::kMenuElementInterface};

constexpr LayoutName kAll[] = {kPreview, kAllSel, kDelete, kRename, kOpenDir};
constexpr LayoutName kAbsent[] = {kCompress, kEdit};

}  // namespace list_right_menu_names

namespace tray_menu_names {

using DuiLib::LayoutName;

constexpr wchar_t kLayout[] = L"menu.xml";

constexpr LayoutName kMenuMain{L"menu_main", DuiLib::kMenuElementInterface};
constexpr LayoutName kMenuSet{L"menu_set", DuiLib::kMenuElementInterface};
constexpr LayoutName kMenuExit{L"menu_exit", DuiLib::kMenuElementInterface};

constexpr LayoutName kAll[] = {kMenuMain, kMenuSet, kMenuExit};

}  // namespace tray_menu_names
