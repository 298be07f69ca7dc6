// Reads a device on a thread of its own and notes, for every packet, how far
// its time lies behind the performance counter when it arrives. Devices whose
// times share one time line show the same lag whenever they were opened.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <thread>
#include <vector>

namespace device_testing {

class ClockProbe {
public:
    ClockProbe(const std::string& url, DWORD open_delay_ms, double seconds);
    ~ClockProbe();
    ClockProbe(const ClockProbe&) = delete;
    ClockProbe& operator=(const ClockProbe&) = delete;

    void Wait();  // until the span is read
    bool Opened() const { return opened_; }
    size_t Packets() const { return lags_.size(); }
    int64_t MedianLag();  // 100 ns units

private:
    void Main(std::string url, DWORD open_delay_ms, double seconds);
    std::thread thread_;
    bool opened_ = false;
    std::vector<int64_t> lags_;
};

// Opens `first_url`, then `second_url` 1.5 s later, reads both at once and
// expects their packet times on one time line.
void ExpectOneTimeLine(const std::string& first_url, const std::string& second_url);

}  // namespace device_testing
