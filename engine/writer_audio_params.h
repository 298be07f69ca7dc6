// The sound format of one capture input, as the capture thread hands it to the writer.
#pragma once

#include <cstdint>

struct AudioInputParams {
    int32_t channels = 0;
    int32_t frame_size = 0;  // samples per frame of the input's decoder
    int32_t in_sample_rate = 0;
    int32_t out_sample_rate = 0;  // 44100 when both sound sources are recorded, else the input rate
    int32_t time_base_num = 0;
    int32_t time_base_den = 0;
    uint64_t channel_layout = 0;  // channel mask, the default layout for the channel count
    int32_t sample_fmt = 0;       // AVSampleFormat
    int32_t reserved = 0;
};
