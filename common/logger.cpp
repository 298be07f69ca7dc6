#include "common/logger.h"

#include <windows.h>
#include <share.h>

#include <cstdarg>

#include "common/program_path.h"
#include "common/text_convert.h"

CLogger g_logger;

namespace {
constexpr size_t kLineSize = 1024;  // one formatted line, longer text is cut
constexpr size_t kMaxPath = 511;
}  // namespace

CLogger::~CLogger() { Close(); }

bool CLogger::Open(const char* path) {
    std::lock_guard<std::mutex> guard(lock_);
    if (file_) return false;
    std::string copy(path ? path : "");
    if (copy.size() > kMaxPath) copy.resize(kMaxPath);
    file_ = _fsopen(copy.c_str(), "a", _SH_DENYNO);
    if (!file_) {
        path_.clear();
        return false;
    }
    path_ = copy;
    return true;
}

void CLogger::Close() {
    std::lock_guard<std::mutex> guard(lock_);
    if (file_) fclose(file_);
    file_ = nullptr;
    path_.clear();
}

bool CLogger::IsOpen() const {
    std::lock_guard<std::mutex> guard(lock_);
    return file_ != nullptr;
}

std::string CLogger::Path() const {
    std::lock_guard<std::mutex> guard(lock_);
    return path_;
}

int CLogger::Write(const char* text) {
    char prefix[kLineSize];
    FormatLogTime(prefix, sizeof prefix);
    std::lock_guard<std::mutex> guard(lock_);
    if (!file_) return 1;
    fputs(prefix, file_);
    fputs(text ? text : "", file_);
    fputs("\n", file_);
    fflush(file_);
    return 1;
}

void FormatLogTime(char* buf, size_t size) {
    SYSTEMTIME t;
    GetLocalTime(&t);
    snprintf(buf, size, "%4d-%02d-%02d %02d:%02d:%02d.%03d ", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond,
             t.wMilliseconds);
}

namespace {

void EmitConsole(const char* where, const char* fmt, va_list args) {
    char time[64];
    FormatLogTime(time, sizeof time);
    char message[kLineSize];
    vsnprintf(message, sizeof message, fmt, args);
    printf("%s[%s] %s\n", time, where, message);
    fflush(stdout);
}

void EmitFile(const char* where, const char* fmt, va_list args) {
    char message[kLineSize];
    vsnprintf(message, sizeof message, fmt, args);
    char line[kLineSize];
    snprintf(line, sizeof line, "[%s] %s\n", where, message);
    g_logger.Write(line);
}

}  // namespace

void LogBoth(const char* where, const char* fmt, ...) {
    va_list args, copy;
    va_start(args, fmt);
    va_copy(copy, args);
    EmitConsole(where, fmt, args);
    EmitFile(where, fmt, copy);
    va_end(copy);
    va_end(args);
}

void LogConsole(const char* where, const char* fmt, ...) {
    va_list args;
    va_start(args, fmt);
    EmitConsole(where, fmt, args);
    va_end(args);
}

void LogFile(const char* where, const char* fmt, ...) {
    va_list args;
    va_start(args, fmt);
    EmitFile(where, fmt, args);
    va_end(args);
}

std::string MakeLogFilePath() {
    std::string folder = GetProgramFolderA() + "logger";
    CreateDirectoryA(folder.c_str(), nullptr);  // an existing folder is fine
    SYSTEMTIME t;
    GetLocalTime(&t);
    char name[64];
    snprintf(name, sizeof name, "\\log%4d%02d%02d%02d%02d%02d.txt", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute,
             t.wSecond);
    return folder + name;
}

bool OpenProgramLog() {
    if (!g_logger.Open(MakeLogFilePath().c_str())) return false;
    g_logger.Write(WideToChs(L"初始化日志").c_str());
    return true;
}
