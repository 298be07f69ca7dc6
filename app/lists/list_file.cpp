#include "app/lists/list_file.h"

#include <windows.h>

#include <cstdio>

#include "common/logger.h"
#include "common/text_convert.h"

namespace {

bool ReadAll(const std::wstring& path, std::string* bytes) {
    FILE* file = _wfopen(path.c_str(), L"rb");
    if (!file) return false;
    char buffer[16384];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, file)) > 0) bytes->append(buffer, n);
    bool ok = !ferror(file);
    fclose(file);
    return ok;
}

std::string EncodeLine(const std::wstring& name) { return WideToChs(name) + "\r\n"; }

bool WriteAll(const std::wstring& path, const wchar_t* mode, const std::string& bytes) {
    FILE* file = _wfopen(path.c_str(), mode);
    if (!file) return false;
    bool ok = fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return fclose(file) == 0 && ok;
}

// At most this much of a line reaches the log: the file may hold anything.
constexpr size_t kLoggedLineBytes = 99;

// One line for all the lines that were skipped, quoting the first of them cut short.
void LogSkippedLines(size_t count, const std::string& first) {
    if (count == 0) return;
    std::string quoted = first.substr(0, kLoggedLineBytes);
    for (char& c : quoted)
        if (static_cast<unsigned char>(c) < 0x20) c = '?';
    LogFile("ReadListFile", "[lines]%zu not in code page 936, skipped; the first begins [line]%s", count,
            quoted.c_str());
}

}  // namespace

std::vector<std::wstring> ReadListFile(const std::wstring& path) {
    std::vector<std::wstring> names;
    std::string bytes;
    if (!ReadAll(path, &bytes)) return names;
    size_t skipped = 0;
    std::string firstSkipped;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        if (end == std::string::npos) end = bytes.size();
        std::string line = bytes.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        std::wstring name = ChsToWide(line);
        if (name.empty()) {
            if (skipped++ == 0) firstSkipped = line.substr(0, kLoggedLineBytes);
            continue;
        }
        names.push_back(name);
    }
    LogSkippedLines(skipped, firstSkipped);
    return names;
}

bool RewriteListFile(const std::wstring& path, const std::vector<std::wstring>& names) {
    std::string bytes;
    for (const std::wstring& name : names) bytes += EncodeLine(name);
    const std::wstring fresh = path + L".new";
    if (!WriteAll(fresh, L"wb", bytes) || !MoveFileExW(fresh.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        LogBoth("RewriteListFile", "[path]%s [error]%lu error", WideToUtf8(path).c_str(), GetLastError());
        DeleteFileW(fresh.c_str());
        return false;
    }
    return true;
}

bool AppendListFile(const std::wstring& path, const std::wstring& name) {
    if (WriteAll(path, L"ab", EncodeLine(name))) return true;
    LogBoth("AppendListFile", "[path]%s error", WideToUtf8(path).c_str());
    return false;
}
