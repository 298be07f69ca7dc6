// Why the writer could not open an output file or could not go on writing it, in
// the terms the user is told.
#pragma once

#include <windows.h>

enum class WriteFailure {
    kNone,
    kDiskFull,     // the drive has no room left
    kNotWritable,  // the folder or the file cannot be written (rights, locked, read-only)
    kSoundFormat,  // the sound devices' format cannot be converted for the sound encoder
    kOther,        // anything else the file layer reported
};

WriteFailure WriteFailureOfWinError(DWORD error);
// From an FFmpeg error code (AVERROR(errno) and the like).
WriteFailure WriteFailureOfAvError(int error);
const char* WriteFailureText(WriteFailure failure);
