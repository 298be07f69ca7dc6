// The names of main_audio_menu.xml, the sound-source menu; its clicks reach the
// main window's click table.
#pragma once

#include "ui/core/layout_names.h"

namespace main_audio_menu_names {

using DuiLib::LayoutName;

// The menu file.
constexpr wchar_t kLayout[] = L"main_audio_menu.xml";

// System sound, microphone, both, none.
constexpr LayoutName kMenuMainSys{L"menu_main_sys", DuiLib::kOptionInterface};
constexpr LayoutName kMenuMainMic{L"menu_main_mic", DuiLib::kOptionInterface};
constexpr LayoutName kMenuMainSysMic{L"menu_main_sys_mic", DuiLib::kOptionInterface};
constexpr LayoutName kMenuMainNo{L"menu_main_no", DuiLib::kOptionInterface};

constexpr LayoutName kAll[] = {kMenuMainSys, kMenuMainMic, kMenuMainSysMic, kMenuMainNo};

}  // namespace main_audio_menu_names
