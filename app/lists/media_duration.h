// How long a finished recording plays, read with FFmpeg.
#pragma once

#include <cstdint>
#include <string>

// "hh:mm:ss" of the media's duration in whole seconds; empty when the file is
// missing or is not media FFmpeg can open.
std::wstring ReadMediaDuration(const std::wstring& path);

// "hh:mm:ss", the hours not wrapped at 24 or 100.
std::wstring FormatDuration(uint64_t seconds);
