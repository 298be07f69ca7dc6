// The names of toolbar.xml, the recording toolbar.
#pragma once

#include "ui/core/layout_names.h"

namespace toolbar_names {

using DuiLib::LayoutName;

// The layout file.
constexpr wchar_t kLayout[] = L"toolbar.xml";

constexpr LayoutName kBtnPause{L"btn_pause", DuiLib::kOptionInterface};
constexpr LayoutName kBtnStop{L"btn_stop", DuiLib::kButtonInterface};
// Elapsed time as six digit images: hours, minutes, seconds, tens then units.
constexpr LayoutName kBarTimeHt{L"bar_time_ht", DuiLib::kLabelInterface};
constexpr LayoutName kBarTimeHu{L"bar_time_hu", DuiLib::kLabelInterface};
constexpr LayoutName kBarTimeMt{L"bar_time_mt", DuiLib::kLabelInterface};
constexpr LayoutName kBarTimeMu{L"bar_time_mu", DuiLib::kLabelInterface};
constexpr LayoutName kBarTimeSt{L"bar_time_st", DuiLib::kLabelInterface};
constexpr LayoutName kBarTimeSu{L"bar_time_su", DuiLib::kLabelInterface};
constexpr LayoutName kBtnSpotlight{L"btn_spotlight", DuiLib::kButtonInterface};
constexpr LayoutName kBtnJietu{L"btn_jietu", DuiLib::kButtonInterface};
constexpr LayoutName kBtnDraw{L"btn_draw", DuiLib::kButtonInterface};
constexpr LayoutName kBtnReturn{L"btn_return", DuiLib::kButtonInterface};

constexpr LayoutName kAll[] = {kBtnPause,  kBtnStop,   kBarTimeHt,    kBarTimeHu, kBarTimeMt, kBarTimeMu,
                               kBarTimeSt, kBarTimeSu, kBtnSpotlight, kBtnJietu,  kBtnDraw,   kBtnReturn};

}  // namespace toolbar_names
