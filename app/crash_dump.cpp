#include "app/crash_dump.h"

#include <dbghelp.h>

#include <csignal>
#include <cwchar>
#include <exception>

#include "app/desktop_shell.h"
#include "common/program_path.h"

LONG WINAPI write_crash_dump(EXCEPTION_POINTERS* exception) {
    // The desktop first: it must be given back even when the dump fails. Nothing
    // here logs: the crash may have happened inside the logger, holding its lock.
    RestoreDesktopState();
    WriteMiniDumpFile(CrashDumpPath(), exception);
    return EXCEPTION_EXECUTE_HANDLER;
}

namespace {

// The same for a C++ termination (an exception nobody caught, out of memory,
// abort): there is no exception record, so one is made for the dump from the
// place the termination was called from.
[[noreturn]] void DumpAndEnd() {
    static volatile LONG once = 0;
    if (InterlockedExchange(&once, 1) == 0) {
        CONTEXT context = {};
        RtlCaptureContext(&context);
        EXCEPTION_RECORD record = {};
        record.ExceptionCode = kTerminationCode;
        record.ExceptionFlags = EXCEPTION_NONCONTINUABLE;
        record.ExceptionAddress = reinterpret_cast<void*>(context.Rip);
        EXCEPTION_POINTERS pointers = {&record, &context};
        write_crash_dump(&pointers);
    }
    TerminateProcess(GetCurrentProcess(), kTerminationExitCode);
    for (;;) Sleep(INFINITE);
}

void OnAbortSignal(int) { DumpAndEnd(); }

}  // namespace

void InstallCrashFilter() {
    SetUnhandledExceptionFilter(write_crash_dump);
    std::set_terminate(DumpAndEnd);
    signal(SIGABRT, OnAbortSignal);
}

bool WriteMiniDumpFile(const std::wstring& path, EXCEPTION_POINTERS* exception) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    // A dump holds no symbols. Without deferred loads Wine's dbghelp first reads the
    // debug information of every loaded module, which keeps a crashed program on the
    // screen for 10 to 25 s.
    SymSetOptions(SymGetOptions() | SYMOPT_DEFERRED_LOADS);
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
