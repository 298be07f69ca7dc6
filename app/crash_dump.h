// What happens when the program crashes on any thread: the desktop is given back
// (forced system cursors, a hidden taskbar), a minidump is written beside the
// program, named by the local time ("yyyymmddhhmmss.dmp"), and the process ends.
#pragma once

#include <windows.h>

#include <string>

// The unhandled-exception filter; returns EXCEPTION_EXECUTE_HANDLER.
LONG WINAPI write_crash_dump(EXCEPTION_POINTERS* exception);
void InstallCrashFilter();

// MiniDumpNormal of this process into path; false when it could not be written.
bool WriteMiniDumpFile(const std::wstring& path, EXCEPTION_POINTERS* exception);
// The local time as "yyyymmddhhmmss".
std::wstring LocalTimeStamp();
// Program folder + LocalTimeStamp() + ".dmp".
std::wstring CrashDumpPath();
