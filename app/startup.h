// The start of Vistrel.exe: elevation when asked, one instance per log-on, the
// crash filter, COM, the skin from the program's own resources, the main window
// and its message loop. WinMain (main.cpp) only calls VistrelMain.
#pragma once

#include <windows.h>

#include <string>

class CVistrelFrame;

constexpr UINT kSkinResourceId = 143;  // the skin, a ZIP resource of the program

// Exit codes: 0 normal end (also after an elevated restart was started), 1 another
// instance runs, 2 the program could not start (COM, main window).
constexpr int kExitNormal = 0;
constexpr int kExitOtherInstance = 1;
constexpr int kExitStartFailed = 2;

int VistrelMain(HINSTANCE instance, const char* commandLine);

// "setting_record.ini" beside the program.
std::wstring GetSettingIniPath();
// Points the UI library at the skin ZIP (resource 143 of the resource module) and
// its layout ids ("res.xml"). false when the resource is missing or unusable.
bool SetupSkin();
// Creates the main window of frame as the program does (title, style, 858 x 300
// at (0, 0)) and shows it. false when the window could not be created.
bool CreateMainWindow(CVistrelFrame& frame);
