#include "tests/devices/clock_probe.h"

#include "tests/devices/dshow_test_input.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace device_testing {

namespace {

int64_t CounterNow100ns() {
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return int64_t(double(now.QuadPart) * 1e7 / double(frequency.QuadPart));
}

}  // namespace

ClockProbe::ClockProbe(const std::string& url, DWORD open_delay_ms, double seconds)
    : thread_(&ClockProbe::Main, this, url, open_delay_ms, seconds) {}

ClockProbe::~ClockProbe() { Wait(); }

void ClockProbe::Wait() {
    if (thread_.joinable()) thread_.join();
}

void ClockProbe::Main(std::string url, DWORD open_delay_ms, double seconds) {
    Sleep(open_delay_ms);
    DshowInput input;
    opened_ = input.Open(url) == 0;
    if (!opened_) return;
    AVPacket* packet = av_packet_alloc();
    const int64_t until = CounterNow100ns() + int64_t(seconds * 1e7);
    while (CounterNow100ns() < until && input.ReadPacket(packet)) {
        lags_.push_back(CounterNow100ns() - packet->pts);
        av_packet_unref(packet);
    }
    av_packet_free(&packet);
}

int64_t ClockProbe::MedianLag() {
    if (lags_.empty()) return 0;
    std::vector<int64_t> sorted = lags_;
    std::nth_element(sorted.begin(), sorted.begin() + std::ptrdiff_t(sorted.size() / 2), sorted.end());
    return sorted[sorted.size() / 2];
}

void ExpectOneTimeLine(const std::string& first_url, const std::string& second_url) {
    // Lags differ by what each device buffers; a device on a time line of its
    // own would be off by about the 1.5 s between the openings.
    const double kSameLineTolerance = 2500000;  // 250 ms
    ClockProbe first(first_url, 0, 3.0);
    ClockProbe second(second_url, 1500, 1.5);
    first.Wait();
    second.Wait();
    ASSERT_TRUE(first.Opened()) << first_url;
    ASSERT_TRUE(second.Opened()) << second_url;
    ASSERT_GT(first.Packets(), 10u);
    ASSERT_GT(second.Packets(), 10u);
    EXPECT_NEAR(double(first.MedianLag()), double(second.MedianLag()), kSameLineTolerance);
}

}  // namespace device_testing
