// Process-wide text log and the two-line logging convention.
//
// Every log site reports the operation as "Class::method" and writes the message
// to standard output (prefixed with the local time) and to the log file (the
// logger adds its own time stamp). Some sites write only one of the two lines.
#pragma once

#include <cstdio>
#include <mutex>
#include <string>

class CLogger {
public:
    CLogger() = default;
    ~CLogger();
    CLogger(const CLogger&) = delete;
    CLogger& operator=(const CLogger&) = delete;

    // false when a file is already open or the file cannot be opened.
    bool Open(const char* path);
    void Close();
    bool IsOpen() const;
    // Writes "<time> <text>\n" and flushes; nothing while closed. Always 1.
    int Write(const char* text);
    std::string Path() const;

private:
    mutable std::mutex lock_;  // each line reaches the file whole
    FILE* file_ = nullptr;
    std::string path_;
};

extern CLogger g_logger;

// "yyyy-mm-dd hh:mm:ss.mmm " in local time, into buf (at least 32 bytes).
void FormatLogTime(char* buf, size_t size);

// Console line "<time>[where] message\n" and logger line "[where] message\n".
void LogBoth(const char* where, const char* fmt, ...) __attribute__((format(printf, 2, 3)));
void LogConsole(const char* where, const char* fmt, ...) __attribute__((format(printf, 2, 3)));
void LogFile(const char* where, const char* fmt, ...) __attribute__((format(printf, 2, 3)));

// The log file's path for a start at the current local time:
// <program folder>logger\log<yyyymmddhhmmss>.txt; creates the folder "logger".
std::string MakeLogFilePath();
// Opens g_logger at MakeLogFilePath() and writes its first line "初始化日志".
bool OpenProgramLog();
