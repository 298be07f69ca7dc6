#include "tests/engine/tone_player.h"

#include <cmath>

namespace {
constexpr double kPi = 3.14159265358979323846;
}

TonePlayer::TonePlayer(double hz, double seconds, double amplitude) {
    const size_t frames = static_cast<size_t>(seconds * kRate);
    samples_.resize(frames * 2);
    for (size_t i = 0; i < frames; ++i) {
        const auto v = static_cast<int16_t>(amplitude * 32767 * std::sin(2 * kPi * hz * i / kRate));
        samples_[2 * i] = samples_[2 * i + 1] = v;
    }
    WAVEFORMATEX format{WAVE_FORMAT_PCM, 2, kRate, kRate * 4, 4, 16, 0};
    if (waveOutOpen(&out_, WAVE_MAPPER, &format, 0, 0, CALLBACK_NULL) != MMSYSERR_NOERROR) {
        out_ = nullptr;
        return;
    }
    header_.lpData = reinterpret_cast<LPSTR>(samples_.data());
    header_.dwBufferLength = static_cast<DWORD>(samples_.size() * sizeof(int16_t));
    if (waveOutPrepareHeader(out_, &header_, sizeof header_) != MMSYSERR_NOERROR ||
        waveOutWrite(out_, &header_, sizeof header_) != MMSYSERR_NOERROR) {
        waveOutClose(out_);
        out_ = nullptr;
    }
}

TonePlayer::~TonePlayer() {
    if (!out_) return;
    waveOutReset(out_);
    waveOutUnprepareHeader(out_, &header_, sizeof header_);
    waveOutClose(out_);
}
