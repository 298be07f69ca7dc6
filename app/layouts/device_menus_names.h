// The names of the device menus (camera_menu.xml, mic_menu.xml, volume_menu.xml):
// one menu element whose empty list the main window fills with an option per device.
#pragma once

#include "ui/core/layout_names.h"

namespace device_menus_names {

using DuiLib::LayoutName;

constexpr wchar_t kCameraLayout[] = L"camera_menu.xml";
constexpr wchar_t kMicLayout[] = L"mic_menu.xml";
constexpr wchar_t kVolumeLayout[] = L"volume_menu.xml";

// The element of every device menu, and its list in each of them.
constexpr LayoutName kMenuMain{L"menu_main", DuiLib::kContainerInterface};
constexpr LayoutName kMenuMainVideo{L"menu_main_video", DuiLib::kContainerInterface};
constexpr LayoutName kMenuMainMic{L"menu_main_mic", DuiLib::kContainerInterface};
constexpr LayoutName kMenuMainVolume{L"menu_main_volume", DuiLib::kContainerInterface};

constexpr LayoutName kCameraAll[] = {kMenuMain, kMenuMainVideo};
constexpr LayoutName kMicAll[] = {kMenuMain, kMenuMainMic};
constexpr LayoutName kVolumeAll[] = {kMenuMain, kMenuMainVolume};

}  // namespace device_menus_names
