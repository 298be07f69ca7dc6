// One entry of the menus the main window fills at run time (the monitors, the
// cameras, the microphones, the playback devices), looking like the skin's own
// menu entries: a tick when chosen, the menu it belongs to as its tag. UI thread.
#pragma once

#include <string>

#include "ui/duilib.h"

DuiLib::COptionUI* MakeDeviceMenuEntry(const std::wstring& text, LPCTSTR group, DuiLib::CMenuWnd* menu);
