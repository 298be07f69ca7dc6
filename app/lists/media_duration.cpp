#include "media_duration.h"

extern "C" {
#include <libavformat/avformat.h>
}

#include "file_size_text.h"
#include "text_convert.h"

std::wstring ReadMediaDuration(const std::wstring& path)
{
    AVFormatContext* input = nullptr;
    // FFmpeg's file layer reads UTF-8 names, so Chinese names open whatever the code page.
    if (avformat_open_input(&input, WideToUtf8(path).c_str(), nullptr, nullptr) < 0) return L"";
    if (input->duration == AV_NOPTS_VALUE) avformat_find_stream_info(input, nullptr);
    const int64_t duration = input->duration == AV_NOPTS_VALUE ? 0 : input->duration;
    avformat_close_input(&input);
    return FormatDuration(duration / AV_TIME_BASE);
}
