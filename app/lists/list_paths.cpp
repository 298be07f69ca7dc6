#include "app/lists/list_paths.h"

#include "common/text_convert.h"

namespace {

bool IsAbsolute(const std::wstring& path) {
    if (path.size() >= 2 && path[1] == L':') return true;
    return !path.empty() && (path[0] == L'\\' || path[0] == L'/');
}

}  // namespace

std::wstring FileNameOf(const std::wstring& path) {
    size_t sep = path.find_last_of(L"\\/");
    return sep == std::wstring::npos ? path : path.substr(sep + 1);
}

std::wstring JoinPath(const std::wstring& folder, const std::wstring& name) {
    if (IsAbsolute(name) || folder.empty()) return name;
    const wchar_t last = folder.back();
    return folder + (last == L'\\' || last == L'/' ? L"" : L"\\") + name;
}

bool IsPlainFileName(const std::wstring& name) {
    if (name.empty() || name == L"." || name == L"..") return false;
    for (wchar_t ch : name)
        if (ch < 32 || wcschr(L"\\/:*?\"<>|", ch)) return false;
    return true;
}

bool FitsListFile(const std::wstring& name) { return ChsToWide(WideToChs(name)) == name; }
