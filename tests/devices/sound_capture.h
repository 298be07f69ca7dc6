// Reading a sound device for a span of its own time, and the checks the sound
// tests share.
#pragma once

#include "tests/devices/dshow_test_input.h"

#include <gtest/gtest.h>

namespace device_testing {

struct SoundCapture {
    int rate = 0;
    int channels = 0;
    std::vector<int16_t> samples;    // interleaved
    std::vector<SoundBlock> blocks;  // times and sizes (samples moved out)
};

// Opens `url`, drops what comes in the first `skip_seconds` of stream time and
// keeps the next `seconds`. Returns false when the device cannot be opened or read.
bool CaptureSound(const std::string& url, double skip_seconds, double seconds, SoundCapture& capture);

// Every block starts where the one before ended, within `tolerance` (100 ns units).
::testing::AssertionResult BlocksAreContiguous(const SoundCapture& capture, int64_t tolerance);

// Frames per second of stream time across the capture.
double MeasuredRate(const SoundCapture& capture);

}  // namespace device_testing
