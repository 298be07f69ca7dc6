#include "ui/resources/skin_source.h"

#include "common/logger.h"
#include "common/text_convert.h"

namespace DuiLib {

CSkinSource& CSkinSource::Get() {
    static CSkinSource source;
    return source;
}

void CSkinSource::SetResourcePath(const std::wstring& path) {
    m_path = path;
    if (!m_path.empty() && m_path.back() != L'\\' && m_path.back() != L'/') m_path += L'\\';
}

bool CSkinSource::SetZip(const void* data, size_t size, const char* password) {
    auto zip = std::make_unique<CZipArchive>();
    if (!zip->Open(data, size, password)) return false;
    m_zip = std::move(zip);
    return true;
}

bool CSkinSource::SetZipFile(const std::wstring& fileName, const char* password) {
    std::vector<unsigned char> bytes;
    std::wstring path = fileName.find(L':') != std::wstring::npos ? fileName : m_path + fileName;
    if (!ReadWholeFile(path, bytes)) {
        LogBoth("CSkinSource::SetZipFile", "cannot read %s error", WideToUtf8(path).c_str());
        return false;
    }
    return SetZip(bytes.data(), bytes.size(), password);
}

void CSkinSource::Release() { m_zip.reset(); }

bool CSkinSource::ReadFile(const std::wstring& name, std::vector<unsigned char>& out) {
    if (name.empty()) return false;
    if (m_zip) {
        std::lock_guard<std::mutex> guard(m_zipReadLock);
        if (m_zip->Read(name, out)) return true;
    }
    bool absolute = name.size() > 1 && (name[1] == L':' || (name[0] == L'\\' && name[1] == L'\\'));
    if (!absolute && !m_path.empty() && ReadWholeFile(m_path + name, out)) return true;
    return ReadWholeFile(name, out);
}

std::wstring ModuleFolder(HINSTANCE module) {
    wchar_t path[MAX_PATH] = {};
    DWORD n = GetModuleFileNameW(module, path, MAX_PATH);
    std::wstring folder(path, n);
    size_t slash = folder.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : folder.substr(0, slash + 1);
}

bool ReadWholeFile(const std::wstring& path, std::vector<unsigned char>& out) {
    out.clear();
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size = {};
    bool ok = GetFileSizeEx(file, &size) && size.QuadPart < (256LL << 20);
    if (ok) {
        out.resize(static_cast<size_t>(size.QuadPart));
        DWORD got = 0;
        ok = out.empty() ||
             (::ReadFile(file, out.data(), static_cast<DWORD>(out.size()), &got, nullptr) && got == out.size());
    }
    CloseHandle(file);
    if (!ok) out.clear();
    return ok;
}

}  // namespace DuiLib
