// Small questions about paths that several parts ask.
#pragma once

#include <string>

// The folder part without its separator ('\' or '/'); empty when the path has none.
std::wstring FolderOf(const std::wstring& path);
// Whether a file or folder of that path exists.
bool FileExists(const std::wstring& path);
