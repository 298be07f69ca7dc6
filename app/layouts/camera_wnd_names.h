// The names of camera_wnd.xml, the webcam preview window (CCameraWnd).
#pragma once

#include "ui/core/layout_names.h"

namespace camera_wnd_names {

using DuiLib::LayoutName;

constexpr wchar_t kLayout[] = L"camera_wnd.xml";

constexpr LayoutName kClosebtn{L"closebtn", DuiLib::kButtonInterface};

constexpr LayoutName kAll[] = {kClosebtn};

}  // namespace camera_wnd_names
