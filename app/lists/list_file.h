// The list files "videolist.txt" and "capture_pic_list.txt": one file name a line,
// no folder, in the "chs" code page, lines ending in CR LF.
#pragma once

#include <string>
#include <vector>

// Every non-empty line, read whole (a line is never cut at some length); lines
// the code page cannot decode are skipped. Empty when the file cannot be read.
std::vector<std::wstring> ReadListFile(const std::wstring& path);

// Replaces the file with these names, one a line. The new content is written
// beside it first, so a failed write leaves the old list as it was.
bool RewriteListFile(const std::wstring& path, const std::vector<std::wstring>& names);

// Adds one line at the end.
bool AppendListFile(const std::wstring& path, const std::wstring& name);
