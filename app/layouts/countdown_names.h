// The names of Countdown.xml, the countdown window.
#pragma once

#include "ui/core/layout_names.h"

#include "app/recording_ui/countdown_ui.h"

namespace countdown_names {

using DuiLib::LayoutName;

// The layout file.
constexpr wchar_t kLayout[] = L"Countdown.xml";

// The animation (layout tag "CountdownUI").
constexpr LayoutName kShowGif{L"show_gif", kCountdownInterface};

constexpr LayoutName kAll[] = {kShowGif};

}  // namespace countdown_names
