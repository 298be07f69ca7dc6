// The size and duration texts of the list rows.
#pragma once

#include <cstdint>
#include <string>

// "0KB" below 1024 bytes, then KiB below 1 MiB, else MiB, each with that many
// decimals ("3.7KB", "45.6MB"; no GB step).
std::wstring FormatFileSize(uint64_t bytes, int decimals);

// The size of an existing file; false when it cannot be opened.
bool GetFileSize64(const std::wstring& path, uint64_t* size);

// "hh:mm:ss", the hours not wrapped at 24 or 100.
std::wstring FormatDuration(int64_t seconds);
