// Where the skin's files come from: the program instance, the resource module,
// the resource folder and the in-memory ZIP. CPaintManagerUI's static resource
// calls (SetInstance, SetResourcePath, SetResourceZip, ...) keep their values here.
#pragma once

#include <windows.h>

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "ui/resources/zip_archive.h"

namespace DuiLib {

class CSkinSource {
public:
    static CSkinSource& Get();

    void SetInstance(HINSTANCE instance) { m_instance = instance; }
    HINSTANCE Instance() const { return m_instance; }
    void SetResourceDll(HINSTANCE module) { m_resourceDll = module; }
    HINSTANCE ResourceDll() const { return m_resourceDll ? m_resourceDll : m_instance; }
    void SetResourceType(int type) { m_type = type; }
    int ResourceType() const { return m_type; }
    // Always ends in a backslash (unless empty).
    void SetResourcePath(const std::wstring& path);
    const std::wstring& ResourcePath() const { return m_path; }
    // A ZIP that cannot be opened leaves the current skin in place.
    bool SetZip(const void* data, size_t size, const char* password);
    // A ZIP file of the resource folder (resource type UILIB_ZIP).
    bool SetZipFile(const std::wstring& fileName, const char* password);
    bool HasZip() const { return m_zip != nullptr; }
    void Release();

    // Reads a skin file: the ZIP first (when one is set), then the resource
    // folder, then the name as a path of its own. false when found nowhere.
    // Any thread (a worker may decode images while the UI thread reads others);
    // the skin is not replaced or released meanwhile.
    bool ReadFile(const std::wstring& name, std::vector<unsigned char>& out);

private:
    HINSTANCE m_instance = nullptr;
    HINSTANCE m_resourceDll = nullptr;
    int m_type = 1;
    std::wstring m_path;
    std::unique_ptr<CZipArchive> m_zip;
    std::mutex m_zipReadLock;  // the archive keeps one read position
};

// The folder of the module with a trailing backslash.
std::wstring ModuleFolder(HINSTANCE module);
bool ReadWholeFile(const std::wstring& path, std::vector<unsigned char>& out);

}  // namespace DuiLib
