// Plays a sine through Windows' default playback device: in the test environment
// that is PulseAudio's null sink, whose monitor the system-sound device captures.
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include <cstdint>
#include <vector>

class TonePlayer {
public:
    static constexpr int kRate = 44100;

    // Starts at once; plays `seconds` of the tone (stereo, amplitude of full scale 1).
    TonePlayer(double hz, double seconds, double amplitude = 0.5);
    ~TonePlayer();  // stops playing
    TonePlayer(const TonePlayer&) = delete;
    TonePlayer& operator=(const TonePlayer&) = delete;
    bool IsPlaying() const { return out_ != nullptr; }

private:
    HWAVEOUT out_ = nullptr;
    WAVEHDR header_{};
    std::vector<int16_t> samples_;
};
