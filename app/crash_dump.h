// What happens when the program crashes on any thread: the desktop is given back
// (forced system cursors, a hidden taskbar), a minidump is written beside the
// program, named by the local time ("yyyymmddhhmmss.dmp"), and the process ends.
#pragma once

#include <windows.h>

#include <string>

// The exception code in the dump of a C++ termination, and its exit code.
constexpr DWORD kTerminationCode = 0xE0000003;
constexpr UINT kTerminationExitCode = 3;

// The unhandled-exception filter; returns EXCEPTION_EXECUTE_HANDLER.
LONG WINAPI write_crash_dump(EXCEPTION_POINTERS* exception);
// The filter, and the same for C++ terminations (std::terminate: an exception
// nobody caught such as std::bad_alloc, and abort), which end with exit code 3.
void InstallCrashFilter();

// MiniDumpNormal of this process into path; false when it could not be written.
bool WriteMiniDumpFile(const std::wstring& path, EXCEPTION_POINTERS* exception);
// The local time as "yyyymmddhhmmss".
std::wstring LocalTimeStamp();
// Program folder + LocalTimeStamp() + ".dmp".
std::wstring CrashDumpPath();
