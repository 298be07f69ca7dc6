// The UI library: skinned windows built from XML layouts held in a ZIP skin.
// Everything is in namespace DuiLib.
//
// Start-up of a program:
//   CPaintManagerUI::SetInstance(hInstance);
//   CPaintManagerUI::SetResourceType(UILIB_ZIPRESOURCE);
//   CPaintManagerUI::SetResourcePath(CPaintManagerUI::GetInstancePath() + L"skin\\");
//   HRSRC res = FindResourceW(CPaintManagerUI::GetResourceDll(), MAKEINTRESOURCEW(143), L"ZIP");
//   ... LoadResource / LockResource / SizeofResource ...
//   CPaintManagerUI::SetResourceZip(data, size);
//   CResourceManager::GetInstance()->LoadResource(L"res.xml");
//   (create the main window) ... CPaintManagerUI::MessageLoop();
//   CResourceManager::GetInstance()->Release();
//
// The build packs a skin folder into such a resource with
// vistrel_add_zip_resource (cmake/ZipResource.cmake).
#pragma once

#include "animation/ui_animation.h"
#include "base/delegate.h"
#include "base/dui_string.h"
#include "base/ui_defs.h"
#include "base/ui_parse.h"
#include "controls/button.h"
#include "controls/combo.h"
#include "controls/container.h"
#include "controls/control.h"
#include "controls/edit.h"
#include "controls/label.h"
#include "controls/layouts.h"
#include "controls/list.h"
#include "controls/scrollbar.h"
#include "controls/slider.h"
#include "core/dialog_builder.h"
#include "core/paint_manager.h"
#include "core/window_impl_base.h"
#include "core/window_wnd.h"
#include "menu/menu.h"
#include "render/render_engine.h"
#include "resources/resource_manager.h"
#include "tray/tray_icon.h"
