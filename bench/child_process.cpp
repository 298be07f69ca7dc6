#include "bench/child_process.h"

#include <windows.h>
#include <psapi.h>

#include <thread>

namespace {

void ReadAll(HANDLE pipe, std::string* out) {
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(pipe, buffer, sizeof buffer, &got, nullptr) && got > 0) out->append(buffer, got);
}

}  // namespace

bool StartWithOutputPipe(std::wstring commandLine, const wchar_t* folder, PROCESS_INFORMATION* process,
                         HANDLE* readEnd) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(readEnd, &writeEnd, &inherit, 0)) return false;
    SetHandleInformation(*readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    si.hStdOutput = si.hStdError = writeEnd;
    const bool started =
        CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, folder, &si, process) != 0;
    CloseHandle(writeEnd);
    if (!started) CloseHandle(*readEnd);
    return started;
}

ChildResult RunChild(const std::wstring& commandLine) {
    ChildResult result;
    PROCESS_INFORMATION pi{};
    HANDLE readEnd = nullptr;
    result.started = StartWithOutputPipe(commandLine, nullptr, &pi, &readEnd);
    if (!result.started) return result;
    std::thread reader(ReadAll, readEnd, &result.output);
    while (WaitForSingleObject(pi.hProcess, 50) == WAIT_TIMEOUT) {
        PROCESS_MEMORY_COUNTERS counters{};
        counters.cb = sizeof counters;
        if (GetProcessMemoryInfo(pi.hProcess, &counters, sizeof counters) &&
            counters.PeakWorkingSetSize > result.peakWorkingSet)
            result.peakWorkingSet = counters.PeakWorkingSetSize;
    }
    DWORD code = 0;
    GetExitCodeProcess(pi.hProcess, &code);
    result.exitCode = code;
    reader.join();
    CloseHandle(readEnd);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return result;
}
