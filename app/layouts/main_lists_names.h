// The names of the list area of main.xml (the lower half of the main window) that
// the lists of recordings and screenshots and the main window use.
#pragma once

#include "app/layouts/main_names.h"
#include "ui/core/layout_names.h"

namespace main_lists_names {

using DuiLib::LayoutName;

// The layout they are part of.
constexpr const wchar_t* kLayout = main_names::kLayout;

// The tab options: recordings, screenshots.
constexpr LayoutName kOptVideoInfo{L"opt_video_info", DuiLib::kOptionInterface};
constexpr LayoutName kOptPicInfo{L"opt_pic_info", DuiLib::kOptionInterface};
// The lists: recordings, screenshots.
constexpr LayoutName kListview{L"listview", DuiLib::kListInterface};
constexpr LayoutName kListviewS{L"listview_s", DuiLib::kListInterface};
// The box laid over a row while it is renamed.
constexpr LayoutName kRenameEdit{L"rename_edit", DuiLib::kRichEditInterface};

constexpr LayoutName kAll[] = {kOptVideoInfo, kOptPicInfo, kListview, kListviewS, kRenameEdit};

}  // namespace main_lists_names
