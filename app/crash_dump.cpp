#include "app/crash_dump.h"

#include <dbghelp.h>

#include <cwchar>

#include "app/desktop_shell.h"
#include "common/program_path.h"

LONG WINAPI write_crash_dump(EXCEPTION_POINTERS* exception) {
    // The desktop first: it must be given back even when the dump fails. Nothing
    // here logs: the crash may have happened inside the logger, holding its lock.
    RestoreDesktopState();
    WriteMiniDumpFile(CrashDumpPath(), exception);
    return EXCEPTION_EXECUTE_HANDLER;
}

void InstallCrashFilter() { SetUnhandledExceptionFilter(write_crash_dump); }

bool WriteMiniDumpFile(const std::wstring& path, EXCEPTION_POINTERS* exception) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    MINIDUMP_EXCEPTION_INFORMATION info = {};
    info.ThreadId = GetCurrentThreadId();
    info.ExceptionPointers = exception;
    info.ClientPointers = TRUE;
    BOOL written = MiniDumpWriteDump(GetCurrentProcess(), GetCurrentProcessId(), file, MiniDumpNormal,
                                     exception ? &info : nullptr, nullptr, nullptr);
    CloseHandle(file);
    return written != FALSE;
}

std::wstring LocalTimeStamp() {
    SYSTEMTIME t;
    GetLocalTime(&t);
    wchar_t stamp[32];
    swprintf(stamp, 32, L"%4d%02d%02d%02d%02d%02d", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond);
    return stamp;
}

std::wstring CrashDumpPath() { return GetProgramFolderW() + LocalTimeStamp() + L".dmp"; }
