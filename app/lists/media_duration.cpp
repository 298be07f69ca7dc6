#include "app/lists/media_duration.h"

extern "C" {
#include <libavformat/avformat.h>
}

#include <cstdio>

#include "common/text_convert.h"
#include "common/time_size_text.h"

std::wstring FormatDuration(uint64_t seconds) {
    const HoursMinutesSeconds t = SplitHms(seconds);
    wchar_t text[40];
    swprintf(text, 40, L"%02llu:%02llu:%02llu", static_cast<unsigned long long>(t.hours),
             static_cast<unsigned long long>(t.minutes), static_cast<unsigned long long>(t.seconds));
    return text;
}

std::wstring ReadMediaDuration(const std::wstring& path) {
    AVFormatContext* input = nullptr;
    // FFmpeg's file layer reads UTF-8 names, so Chinese names open whatever the code page.
    if (avformat_open_input(&input, WideToUtf8(path).c_str(), nullptr, nullptr) < 0) return L"";
    if (input->duration == AV_NOPTS_VALUE) avformat_find_stream_info(input, nullptr);
    const int64_t duration = input->duration == AV_NOPTS_VALUE || input->duration < 0 ? 0 : input->duration;
    avformat_close_input(&input);
    return FormatDuration(static_cast<uint64_t>(duration / AV_TIME_BASE));
}
