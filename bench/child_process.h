// A program run by the benchmark with its output kept, and the peak of its working
// set sampled while it runs (Wine does not report another process's CPU time, so
// each program reports its own).
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

struct ChildResult {
    bool started = false;
    uint32_t exitCode = 0;
    uint64_t peakWorkingSet = 0;  // bytes
    std::string output;           // standard output and error together
};

ChildResult RunChild(const std::wstring& commandLine);

// Starts a program whose standard output and error go to a pipe, in folder (null:
// this one). On success *readEnd is the pipe's reading end, which the caller reads
// and closes, and *process the program's handles, which the caller closes.
bool StartWithOutputPipe(std::wstring commandLine, const wchar_t* folder, PROCESS_INFORMATION* process,
                         HANDLE* readEnd);
