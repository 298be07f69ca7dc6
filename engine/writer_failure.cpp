#include "engine/writer_failure.h"

#include <cerrno>

#include "engine/ffmpeg_api.h"

WriteFailure WriteFailureOfWinError(DWORD error) {
    switch (error) {
        case ERROR_SUCCESS: return WriteFailure::kNone;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL: return WriteFailure::kDiskFull;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
        case ERROR_WRITE_PROTECT:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME:
        case ERROR_DIRECTORY: return WriteFailure::kNotWritable;
        default: return WriteFailure::kOther;
    }
}

WriteFailure WriteFailureOfAvError(int error) {
    if (error >= 0) return WriteFailure::kNone;
    if (error == AVERROR(ENOSPC)) return WriteFailure::kDiskFull;
    if (error == AVERROR(EACCES) || error == AVERROR(EPERM) || error == AVERROR(ENOENT) || error == AVERROR(EROFS))
        return WriteFailure::kNotWritable;
    return WriteFailure::kOther;
}

const char* WriteFailureText(WriteFailure failure) {
    switch (failure) {
        case WriteFailure::kNone: return "none";
        case WriteFailure::kDiskFull: return "the disk is full";
        case WriteFailure::kNotWritable: return "the folder or file cannot be written";
        case WriteFailure::kSoundFormat: return "the sound cannot be converted for the encoder";
        case WriteFailure::kOther: break;
    }
    return "the file could not be written";
}
