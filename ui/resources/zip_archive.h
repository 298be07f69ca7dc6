// Read-only view of a ZIP archive held in memory (the skin resource).
#pragma once

#include <string>
#include <vector>

namespace DuiLib {

// The bytes minizip reads through memory callbacks, and the read position.
struct ZipMemory {
    std::vector<unsigned char> bytes;
    size_t pos = 0;
};

class CZipArchive {
public:
    CZipArchive() = default;
    ~CZipArchive();
    CZipArchive(const CZipArchive&) = delete;
    CZipArchive& operator=(const CZipArchive&) = delete;

    // Opens the archive over data (copied). false when it is not a readable ZIP.
    bool Open(const void* data, size_t size, const char* password = nullptr);
    void Close();
    bool IsOpen() const { return m_unz != nullptr; }

    // Reads one entry by its name inside the archive. Matching ignores case,
    // treats '\' as '/' and skips a leading "./". false when absent or corrupt.
    bool Read(const std::wstring& name, std::vector<unsigned char>& out);

private:
    void* m_unz = nullptr;
    ZipMemory m_memory;
    std::string m_password;
};

// The archive-relative form of a file name: forward slashes, no leading "./" or "/".
std::wstring NormalizeArchiveName(const std::wstring& name);

}  // namespace DuiLib
