// Snapwick.exe: the area picker that Vistrel starts.
#include <windows.h>

#include "picker/snapwick_main.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) { return SnapwickWinMain(instance); }
