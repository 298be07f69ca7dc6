// What the capture threads and the file writer report to the recorder controller.
#pragma once

#include <cstdint>
#include <string>

struct AVStream;
struct AVFrame;

class osRecord {
public:
    virtual ~osRecord() = default;
    // A camera frame just decoded from stream; camera capture thread.
    virtual void OnFrame(AVStream* stream, AVFrame* frame) = 0;
    // Pixel size of the camera input, while it is being opened (UI thread).
    virtual void OnVideoSize(int32_t width, int32_t height) = 0;
    // The camera input is open; right after OnVideoSize.
    virtual void OnVideoOpened() = 0;
    // Size of one encoded packet, just before it is written; on the thread that encoded it.
    virtual void OnBytesWritten(int64_t bytes) = 0;
    // Full path of an output file that has just been closed.
    virtual void OnFileFinished(std::wstring path) = 0;
};
