// The timing rules of the sources, on a simulated clock: video frames on their
// slots with late ones skipped, never sent in a burst; silence at the nominal
// rate when there is nothing to capture.
#include "devices/dshow/paced_video_source.h"
#include "devices/sound/system_sound_source.h"
#include "tests/devices/fake_sink.h"

#include <gtest/gtest.h>

using device_testing::FakeSink;

namespace {

// A video source whose every third frame takes `slow_cost` to make.
class SlowFrames final : public CPacedVideoSource {
public:
    SlowFrames(FakeSink& sink, REFERENCE_TIME interval, REFERENCE_TIME slow_cost)
        : CPacedVideoSource({8, 4, interval}), sink_(sink), slow_cost_(slow_cost), frame_(8 * 4 * 4, 0) {}
    std::vector<REFERENCE_TIME> render_times;

protected:
    const BYTE* RenderFrame(REFERENCE_TIME) override {
        render_times.push_back(sink_.Now());
        if (render_times.size() % 3 == 0) sink_.Advance(slow_cost_);
        return frame_.data();
    }

private:
    FakeSink& sink_;
    REFERENCE_TIME slow_cost_;
    std::vector<BYTE> frame_;
};

TEST(SourceTiming, LateFramesAreSkippedNotSentInABurst) {
    const REFERENCE_TIME interval = 400000;  // 25 frames a second
    for (REFERENCE_TIME cost : {REFERENCE_TIME(0), interval / 2, interval * 5 / 2}) {
        FakeSink sink(20000000, 1 << 20);
        SlowFrames source(sink, interval, cost);
        source.Stream(sink);
        const auto& blocks = sink.Blocks();
        ASSERT_GT(blocks.size(), 10u) << "cost " << cost;
        for (size_t i = 0; i < blocks.size(); ++i) {
            const auto& block = blocks[i];
            EXPECT_EQ(block.stop - block.start, interval);
            EXPECT_EQ((block.start - blocks[0].start) % interval, 0) << "on its slot";
            // Made within its own slot, never after the next one began.
            EXPECT_GE(source.render_times[i], block.start);
            EXPECT_LT(source.render_times[i], block.start + interval) << "cost " << cost << " frame " << i;
            if (i > 0) {
                EXPECT_GT(block.start, blocks[i - 1].start);
            }
        }
        // 2 s of 25 frames a second; slow frames leave the slots they overran empty.
        if (cost < interval) {
            EXPECT_NEAR(double(blocks.size()), 50, 1) << "cost " << cost;
        } else {
            EXPECT_LT(blocks.size(), 45u) << "cost " << cost;
        }
    }
}

TEST(SourceTiming, NothingToCaptureGivesSilenceAtTheNominalRate) {
    const int rate = CSystemSoundSource::kSilentRate;
    const long max_block = rate / 10 * 4;
    FakeSink sink(30000000, max_block);  // 3 s
    // No endpoint now or later.
    CSystemSoundSource source([]() { return std::unique_ptr<CPlayedSound>(); }, nullptr, rate);
    source.Stream(sink);
    const auto& blocks = sink.Blocks();
    ASSERT_FALSE(blocks.empty());
    int64_t frames = 0;
    for (size_t i = 0; i < blocks.size(); ++i) {
        for (BYTE b : blocks[i].data) ASSERT_EQ(b, 0);
        if (i > 0) {
            EXPECT_EQ(blocks[i].start, blocks[i - 1].stop) << "contiguous";
        }
        // Sent no later than the quiet lag, and never ahead of the clock.
        EXPECT_LE(blocks[i].stop, blocks[i].delivered_at);
        EXPECT_LE(blocks[i].delivered_at - blocks[i].stop, CSystemSoundSource::kQuietLag + 200000);
        frames += int64_t(blocks[i].data.size() / 4);
    }
    EXPECT_NEAR(double(frames) / (double(blocks.back().stop - blocks.front().start) / 1e7), rate, 1.0);
    EXPECT_GE(blocks.front().start, 1);
}

}  // namespace
