// Helpers shared by the test programs.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace testing_support {

// A fresh empty folder under the system's temporary folder, removed on destruction.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::wstring& path() const { return path_; }  // with a trailing backslash
    std::wstring File(const std::wstring& name) const { return path_ + name; }

private:
    std::wstring path_;
};

// Whole file as bytes; empty when it cannot be read.
std::string ReadFileBytes(const std::wstring& path);
bool WriteFileBytes(const std::wstring& path, const std::string& bytes);
bool FileExists(const std::wstring& path);
bool DeleteFileIfExists(const std::wstring& path);
// Removes a folder and all it holds.
void RemoveTree(const std::wstring& path);
// Splits on '\n', dropping one trailing '\r' of each line.
std::vector<std::string> SplitLines(const std::string& text);

}  // namespace testing_support
