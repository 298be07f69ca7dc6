// Names of "setting.xml", the settings dialog.
#pragma once

#include "ui/core/layout_names.h"

namespace setting_names {
constexpr const wchar_t* kLayout = L"setting.xml";
constexpr DuiLib::LayoutName kRoot{L"Root", DuiLib::kContainerInterface};
constexpr DuiLib::LayoutName kOptionContainer{L"option_container", DuiLib::kContainerInterface};
constexpr DuiLib::LayoutName kPageContainer{L"PageContainer", DuiLib::kContainerInterface};
constexpr DuiLib::LayoutName kClose{L"close", DuiLib::kButtonInterface};
constexpr DuiLib::LayoutName kBtnOk{L"btnOK", DuiLib::kButtonInterface};
constexpr DuiLib::LayoutName kBtnRestoreDefault{L"btnRescoverDefault", DuiLib::kButtonInterface};
constexpr DuiLib::LayoutName kOptOutput{L"optOutput", DuiLib::kOptionInterface};
constexpr DuiLib::LayoutName kOptVideo{L"optVideo", DuiLib::kOptionInterface};
constexpr DuiLib::LayoutName kOptAudio{L"optAudio", DuiLib::kOptionInterface};
constexpr DuiLib::LayoutName kOptScreenShot{L"optScreenShot", DuiLib::kOptionInterface};
constexpr DuiLib::LayoutName kOptMouse{L"optMouse", DuiLib::kOptionInterface};
constexpr DuiLib::LayoutName kOptRecord{L"optRecord", DuiLib::kOptionInterface};
constexpr DuiLib::LayoutName kOptShortcut{L"optShortcut", DuiLib::kOptionInterface};
constexpr DuiLib::LayoutName kOptSuspended{L"optSuspended", DuiLib::kOptionInterface};
constexpr DuiLib::LayoutName kOptStartUp{L"optStartUp", DuiLib::kOptionInterface};
constexpr DuiLib::LayoutName kOptMainPanel{L"optMainPanel", DuiLib::kOptionInterface};
constexpr DuiLib::LayoutName kAll[] = {kRoot,        kOptionContainer,   kPageContainer, kClose,
                                       kBtnOk,       kBtnRestoreDefault, kOptOutput,     kOptVideo,
                                       kOptAudio,    kOptScreenShot,     kOptMouse,      kOptRecord,
                                       kOptShortcut, kOptSuspended,      kOptStartUp,    kOptMainPanel};
}  // namespace setting_names
