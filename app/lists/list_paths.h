// Paths of the listed files.
#pragma once

#include <string>

// The name after the last '\' or '/'; the whole path when it has neither.
std::wstring FileNameOf(const std::wstring& path);
// folder + '\' + name; an absolute name is used unchanged.
std::wstring JoinPath(const std::wstring& folder, const std::wstring& name);
// A name that renames a file in its own folder: not empty, no path separators or
// characters Windows refuses in file names.
bool IsPlainFileName(const std::wstring& name);
// The list files hold names in code page 936: a name with characters it lacks
// would come back as another name and drop out of the list.
bool FitsListFile(const std::wstring& name);
