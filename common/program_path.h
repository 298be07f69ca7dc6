// The folder of the running program, where its ini, list and log files live.
#pragma once

#include <string>

// Module file name cut after its last backslash (the backslash is kept).
std::wstring GetProgramFolderW();
// The same folder in the "chs" code page, for narrow file APIs.
std::string GetProgramFolderA();
// Program folder + file name.
std::wstring GetAppFilePath(const std::wstring& fileName);
