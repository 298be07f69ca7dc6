#include "tests/devices/sound_capture.h"

#include <cstdlib>

namespace device_testing {

bool CaptureSound(const std::string& url, double skip_seconds, double seconds, SoundCapture& capture) {
    DshowInput input;
    if (input.Open(url) != 0) return false;
    capture.rate = input.Params()->sample_rate;
    capture.channels = input.Params()->ch_layout.nb_channels;
    int64_t first = AV_NOPTS_VALUE, kept = 0;
    const int64_t wanted = int64_t(seconds * capture.rate);
    SoundBlock block;
    while (kept < wanted) {
        if (!input.ReadSound(block)) return false;
        if (first == AV_NOPTS_VALUE) first = block.pts;
        if (block.pts - first < int64_t(skip_seconds * 1e7)) continue;
        capture.samples.insert(capture.samples.end(), block.samples.begin(), block.samples.end());
        kept += block.frames;
        block.samples.clear();
        capture.blocks.push_back(block);
    }
    return true;
}

::testing::AssertionResult BlocksAreContiguous(const SoundCapture& capture, int64_t tolerance) {
    for (size_t i = 1; i < capture.blocks.size(); ++i) {
        const SoundBlock& before = capture.blocks[i - 1];
        int64_t expected = before.pts + int64_t(before.frames) * 10000000 / capture.rate;
        if (std::llabs(capture.blocks[i].pts - expected) > tolerance)
            return ::testing::AssertionFailure() << "block " << i << " starts at " << capture.blocks[i].pts
                                                 << ", the one before ends at " << expected;
        if (capture.blocks[i].pts <= before.pts || capture.blocks[i].pts == 0)
            return ::testing::AssertionFailure() << "block " << i << " does not come later";
    }
    return ::testing::AssertionSuccess();
}

double MeasuredRate(const SoundCapture& capture) {
    if (capture.blocks.size() < 2) return 0;
    int64_t frames = 0;
    for (size_t i = 0; i + 1 < capture.blocks.size(); ++i) frames += capture.blocks[i].frames;
    return double(frames) * 1e7 / double(capture.blocks.back().pts - capture.blocks.front().pts);
}

}  // namespace device_testing
