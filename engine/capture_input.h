// Capture devices opened by name through FFmpeg's DirectShow input ("dshow").
#pragma once

#include <cstdint>
#include <string>

#include "engine/ffmpeg_api.h"

enum class DeviceKind { kVideo, kAudio };

// Opens "video=<name>" or "audio=<name>" (the name in the system's ANSI code page, as
// the device lists spell it; FFmpeg gets UTF-8) asking for no format, so the device
// delivers its own default, and reads the stream information. queueBytes, when
// positive, is how much FFmpeg may hold of what the device delivered and was not
// read yet; reads from it do not block (AVERROR(EAGAIN) while nothing is queued).
// Returns 0 with *ic set, or FFmpeg's error with *ic null; a device that
// fails to open leaves its error in g_lastDeviceOpenError.
int OpenCaptureDevice(DeviceKind kind, const std::string& ansiName, AVFormatContext** ic, const char* where,
                      int64_t queueBytes = 0);

// FFmpeg's own queue (3 MB) is smaller than one picture of a large screen: a picture
// that arrives while the one before is still being encoded would be thrown away.
// The screen's queue holds this many pictures of the captured area.
constexpr int kScreenQueuePictures = 16;
int64_t ScreenQueueBytes(int width, int height);

// The index of the first stream of `type`, -1 when there is none.
int FirstStreamOf(const AVFormatContext* ic, AVMediaType type);

// A decoder opened with no options for the stream; null (logged) on failure.
AVCodecContext* OpenStreamDecoder(const AVStream* stream, const char* where);
