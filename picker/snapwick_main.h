// Snapwick.exe's start: COM, the skin from ZIP resource 102, the picker window
// and the message loop. The command line is ignored.
#pragma once

#include <windows.h>

constexpr UINT kSnapwickSkinResourceId = 102;

// Points the UI library at the skin in the program's resource; false when the
// resource is missing (the window then stays empty).
bool SnapwickSetupSkin();

// The program: 0 in every case, also when COM cannot start.
int SnapwickWinMain(HINSTANCE instance);
