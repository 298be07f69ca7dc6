#include "engine/writer_output_names.h"

#include <windows.h>
#include <share.h>

#include <cstdio>
#include <cwctype>
#include <vector>

#include "common/logger.h"
#include "common/text_convert.h"

namespace {

size_t LastSeparator(const std::wstring& path) { return path.find_last_of(L"\\/"); }

bool IsFolder(const std::wstring& path) {
    DWORD attr = GetFileAttributesW(path.c_str());
    return attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY);
}

// "name - 12" -> "name"; anything else unchanged.
std::wstring WithoutCounter(const std::wstring& stem) {
    size_t dash = stem.rfind(L" - ");
    if (dash == std::wstring::npos || dash + 3 == stem.size()) return stem;
    for (size_t i = dash + 3; i < stem.size(); ++i)
        if (!iswdigit(stem[i])) return stem;
    return stem.substr(0, dash);
}

}  // namespace

void SplitExtension(const std::wstring& path, std::wstring* stem, std::wstring* ext) {
    size_t dot = path.rfind(L'.');
    size_t sep = LastSeparator(path);
    if (dot == std::wstring::npos || (sep != std::wstring::npos && dot < sep)) {
        *stem = path;
        ext->clear();
        return;
    }
    *stem = path.substr(0, dot);
    *ext = path.substr(dot);
}

std::wstring PartFileName(const std::wstring& base, int number) {
    std::wstring stem, ext;
    SplitExtension(base, &stem, &ext);
    return stem + std::to_wstring(number) + ext;
}

std::wstring UniqueFileName(const std::wstring& path) {
    if (!FileExists(path)) return path;
    std::wstring stem, ext;
    SplitExtension(path, &stem, &ext);
    stem = WithoutCounter(stem);
    for (int n = 1;; ++n) {
        std::wstring candidate = stem + L" - " + std::to_wstring(n) + ext;
        if (!FileExists(candidate)) return candidate;
    }
}

bool CrD_MuLe(const std::wstring& folder) {
    if (folder.empty() || IsFolder(folder)) return true;
    std::vector<std::wstring> missing;
    std::wstring walk = folder;
    while (!walk.empty() && !IsFolder(walk)) {
        missing.push_back(walk);
        size_t sep = LastSeparator(walk);
        if (sep == std::wstring::npos) break;
        walk.resize(sep);
        if (walk.size() == 2 && walk[1] == L':') break;  // a drive root always exists
    }
    for (auto it = missing.rbegin(); it != missing.rend(); ++it)
        if (!CreateDirectoryW(it->c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) return false;
    return true;
}

bool AppendVideoList(const std::wstring& path) {
    size_t sep = LastSeparator(path);
    std::wstring name = sep == std::wstring::npos ? path : path.substr(sep + 1);
    FILE* list = _wfsopen(L"videolist.txt", L"a", _SH_DENYNO);  // text mode: CR LF
    bool written = list && fputs((WideToChs(name) + "\n").c_str(), list) >= 0;
    if (list && fclose(list) != 0) written = false;
    if (!written)
        LogBoth("AppendVideoList", "[file]%s could not be added to videolist.txt error", WideToUtf8(name).c_str());
    return written;
}
