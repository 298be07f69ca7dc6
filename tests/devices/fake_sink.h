// A SampleSink on a simulated clock: waits return at once with the clock moved
// on, deliveries are recorded. Lets a source's timing be checked exactly.
#pragma once

#include "devices/dshow/capture_source.h"

#include <vector>

namespace device_testing {

class FakeSink final : public SampleSink {
public:
    struct Block {
        REFERENCE_TIME start, stop;
        REFERENCE_TIME delivered_at;
        std::vector<BYTE> data;
    };

    FakeSink(REFERENCE_TIME run_for, long max_block) : end_(run_for), max_block_(max_block) {}

    REFERENCE_TIME Now() override { return now_; }
    bool WaitUntil(REFERENCE_TIME time) override {
        if (time > now_) now_ = time;
        return now_ < end_ && ++waits_ < 10000000;
    }
    bool Deliver(const BYTE* data, long size, REFERENCE_TIME start, REFERENCE_TIME stop) override {
        if (size > max_block_) return false;
        blocks_.push_back({start, stop, now_, std::vector<BYTE>(data, data + size)});
        return true;
    }
    long MaxBlockSize() const override { return max_block_; }

    void Advance(REFERENCE_TIME span) { now_ += span; }
    const std::vector<Block>& Blocks() const { return blocks_; }

private:
    REFERENCE_TIME now_ = 0;
    REFERENCE_TIME end_;
    long max_block_;
    long waits_ = 0;
    std::vector<Block> blocks_;
};

}  // namespace device_testing
