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

#include "ui/animation/ui_animation.h"
#include "ui/base/delegate.h"
#include "ui/base/dui_string.h"
#include "ui/base/ui_defs.h"
#include "ui/base/ui_parse.h"
#include "ui/controls/button.h"
#include "ui/controls/combo.h"
#include "ui/controls/container.h"
#include "ui/controls/control.h"
#include "ui/controls/edit.h"
#include "ui/controls/label.h"
#include "ui/controls/layouts.h"
#include "ui/controls/list.h"
#include "ui/controls/scrollbar.h"
#include "ui/controls/slider.h"
#include "ui/core/dialog_builder.h"
#include "ui/core/layout_names.h"
#include "ui/core/paint_manager.h"
#include "ui/core/window_impl_base.h"
#include "ui/core/window_wnd.h"
#include "ui/menu/menu.h"
#include "ui/render/render_engine.h"
#include "ui/resources/resource_manager.h"
#include "ui/tray/tray_icon.h"
