// Names and folders of output files, and the list of finished recordings.
#pragma once

#include <string>

#include "common/file_paths.h"  // FolderOf, FileExists

// Splits at the last '.' that comes after the last '\\' or '/': stem and extension
// (with its dot; empty when the file name has none).
void SplitExtension(const std::wstring& path, std::wstring* stem, std::wstring* ext);
// stem + number + extension.
std::wstring PartFileName(const std::wstring& base, int number);
// path itself when no such file exists, else the first free "stem - n.ext" (n = 1, 2,
// ...). A stem that already ends in " - n" counts on from the part before it.
std::wstring UniqueFileName(const std::wstring& path);
// Creates every missing folder of the path, outermost first. true when it exists after.
bool CrD_MuLe(const std::wstring& folder);
// Appends the file name of path (without its folder) as one line in the "chs" code page
// to "videolist.txt" in the current folder. false (with a log line) when the list
// cannot be written (locked, a folder of that name, no room).
bool AppendVideoList(const std::wstring& path);
