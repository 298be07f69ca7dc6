// Vistrel.exe: the screen recorder.
#include <windows.h>

#include "app/startup.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) { return VistrelMain(instance, commandLine); }
