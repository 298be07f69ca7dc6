// Names of "Snapwick.xml", the area picker's one window.
#pragma once

#include "ui/core/layout_names.h"

namespace snapwick_names {
constexpr const wchar_t* kCanvasInterface = L"Canvas";
constexpr const wchar_t* kCanvasContainerInterface = L"CanvasContainer";
constexpr const wchar_t* kMagnifierInterface = L"Magnifier";

constexpr DuiLib::LayoutName kDesktopImage{L"desktopimage", DuiLib::kControlInterface};
constexpr DuiLib::LayoutName kDesktopMask{L"desktopmask", DuiLib::kControlInterface};
constexpr DuiLib::LayoutName kMaskBorder{L"desktopmaskborder", DuiLib::kControlInterface};
constexpr DuiLib::LayoutName kCanvasContainer{L"desktopcanvascontainer", kCanvasContainerInterface};
constexpr DuiLib::LayoutName kCanvas{L"desktopcanvas", kCanvasInterface};
constexpr DuiLib::LayoutName kSizeLabel{L"selAreaSize", DuiLib::kLabelInterface};
constexpr DuiLib::LayoutName kMagnifier{L"desktopmagnifier", kMagnifierInterface};
constexpr DuiLib::LayoutName kLensLabel{L"selAreaSize2", DuiLib::kLabelInterface};
constexpr DuiLib::LayoutName kCrossLine{L"crossline", DuiLib::kControlInterface};
constexpr DuiLib::LayoutName kAll[] = {kDesktopImage, kDesktopMask, kMaskBorder, kCanvasContainer, kCanvas,
                                       kSizeLabel,    kMagnifier,   kLensLabel,  kCrossLine};
}  // namespace snapwick_names
