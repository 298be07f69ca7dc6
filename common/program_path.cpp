#include "common/program_path.h"

#include <windows.h>

#include "common/text_convert.h"

std::wstring GetProgramFolderW() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, &path[0], static_cast<DWORD>(path.size()));
        if (n == 0) return L"";
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);
    }
    size_t slash = path.find_last_of(L'\\');
    return slash == std::wstring::npos ? L"" : path.substr(0, slash + 1);
}

std::string GetProgramFolderA() { return WideToChs(GetProgramFolderW()); }

std::wstring GetAppFilePath(const std::wstring& fileName) { return GetProgramFolderW() + fileName; }
