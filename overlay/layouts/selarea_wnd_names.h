// The names of selarea_wnd.xml, the region frame (CSelAreaWnd).
#pragma once

#include "ui/core/layout_names.h"

#include "overlay/region/drag_btn_ui.h"
#include "overlay/region/sel_area_ui.h"

namespace selarea_wnd_names {

using DuiLib::LayoutName;

// The layout file.
constexpr wchar_t kLayout[] = L"selarea_wnd.xml";

// The frame itself (layout tag "SelArea").
constexpr LayoutName kDesktopselarea{L"desktopselarea", kSelAreaInterface};
// The move button in the middle (layout tag "DragBtn").
constexpr LayoutName kBtnDrag{L"btn_drag", kDragBtnInterface};
// The size label.
constexpr LayoutName kSelSize{L"sel_size", DuiLib::kLabelInterface};

constexpr LayoutName kAll[] = {kDesktopselarea, kBtnDrag, kSelSize};

}  // namespace selarea_wnd_names
