// How long a finished recording plays, read with FFmpeg.
#pragma once

#include <string>

// "hh:mm:ss" of the media's duration in whole seconds; empty when the file is
// missing or is not media FFmpeg can open.
std::wstring ReadMediaDuration(const std::wstring& path);
