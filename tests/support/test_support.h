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

// A program of the host (Linux) as CreateProcessW starts it under Wine, e.g.
// HostProgram(L"paplay"): the test prefixes map no drive to the host's root, so
// host programs are reached by their \\?\unix\ path.
std::wstring HostProgram(const wchar_t* name);

// True when the tests run in CI (the environment variable CI is "true"), whose
// machine meets every precondition of the suite.
bool InCi();

}  // namespace testing_support

// Skips the current test, saying why in its output ("[  SKIPPED ]", which
// tools/test.sh lists after the run); in CI, where the precondition is met by the
// machine, a skip is a fault and the test fails instead.
#define SKIP_OR_FAIL_IN_CI(reason)                                          \
    do {                                                                    \
        if (::testing_support::InCi()) {                                    \
            GTEST_FAIL() << "would be skipped, but runs in CI: " << reason; \
        } else {                                                            \
            GTEST_SKIP() << reason;                                         \
        }                                                                   \
    } while (0)
