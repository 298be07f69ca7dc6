// The custom controls of the main window's layout, made by the window's
// CreateControl for their layout tags.
#pragma once

#include "ui/duilib.h"

// A new control for the tag ("SetSlider"), owned by the caller's layout; null for
// a tag that is not one of these controls.
DuiLib::CControlUI* CreateAppControl(LPCTSTR tag);
