// Plays a sine into the test environment's PulseAudio null sink "nullout"
// with paplay (a Linux program, started from Wine), from a WAV file the test
// writes beside itself: sound that "virtual-audio-capturer" must find.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace device_testing {

class SinkTone {
public:
    // Stereo 16-bit at 44.1 kHz, both channels alike.
    SinkTone(double frequency, int peak, double seconds);
    // Waits for the end of the tone (paplay cannot be waited for from Wine),
    // so that the sink is quiet again for whoever comes next.
    ~SinkTone();
    SinkTone(const SinkTone&) = delete;
    SinkTone& operator=(const SinkTone&) = delete;
    // false outside Wine or when paplay could not be started.
    bool Playing() const { return playing_; }

private:
    std::wstring wav_path_;
    ULONGLONG ends_at_ = 0;  // GetTickCount64
    bool playing_ = false;
};

}  // namespace device_testing
