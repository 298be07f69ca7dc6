#include "bench/sync_scene.h"

#include <cmath>

namespace {

constexpr int kRate = 44100;
constexpr double kPi = 3.14159265358979323846;
constexpr int kTile = 32;
constexpr int kTextureRepeat = 16 * kTile;  // the texture repeats after this many pixels

// A colour per tile that the encoder has to work for.
COLORREF TileColour(int x, int y) {
    uint32_t h = uint32_t(x) * 73856093u ^ uint32_t(y) * 19349663u;
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    return RGB(h & 0xff, (h >> 8) & 0xff, (h >> 16) & 0xff);
}

}  // namespace

SyncScene::SyncScene(int width, int height, double seconds) : width_(width), height_(height) {
    MakeTexture();
    window_ = std::make_unique<TimedWindow>(RECT{0, 0, width, height}, 40,
                                            [this](HDC dc, const RECT& client) { Paint(dc, client); });
    if (StartSound(seconds)) flashThread_ = std::thread(&SyncScene::FlashMain, this);
}

SyncScene::~SyncScene() {
    stop_ = true;
    if (flashThread_.joinable()) flashThread_.join();
    if (out_) {
        waveOutReset(out_);
        waveOutUnprepareHeader(out_, &header_, sizeof header_);
        waveOutClose(out_);
    }
    window_.reset();
    DeleteDC(texture_);
    DeleteObject(textureBitmap_);
}

// Silence with a burst of the tone at every period, from one period on.
bool SyncScene::StartSound(double seconds) {
    const size_t frames = size_t(seconds * kRate);
    samples_.assign(frames * 2, 0);
    for (double at = kBurstPeriodSeconds; at + kBurstSeconds < seconds; at += kBurstPeriodSeconds)
        for (size_t i = size_t(at * kRate); i < size_t((at + kBurstSeconds) * kRate); ++i)
            samples_[2 * i] = samples_[2 * i + 1] = int16_t(16000 * std::sin(2 * kPi * kBurstHz * double(i) / kRate));
    WAVEFORMATEX format{WAVE_FORMAT_PCM, 2, kRate, kRate * 4, 4, 16, 0};
    if (waveOutOpen(&out_, WAVE_MAPPER, &format, 0, 0, CALLBACK_NULL) != MMSYSERR_NOERROR) {
        out_ = nullptr;
        return false;
    }
    header_.lpData = reinterpret_cast<LPSTR>(samples_.data());
    header_.dwBufferLength = DWORD(samples_.size() * sizeof(int16_t));
    waveOutPrepareHeader(out_, &header_, sizeof header_);
    return waveOutWrite(out_, &header_, sizeof header_) == MMSYSERR_NOERROR;
}

// The square is white while the device's playback position is inside a burst.
void SyncScene::FlashMain() {
    timeBeginPeriod(1);
    while (!stop_) {
        MMTIME position{TIME_SAMPLES, {}};
        waveOutGetPosition(out_, &position, sizeof position);
        const double t = double(position.u.sample) / kRate;
        const double inPeriod = std::fmod(t, kBurstPeriodSeconds);
        const bool flash = t >= kBurstPeriodSeconds && inPeriod < kBurstSeconds;
        if (flash != flashing_.exchange(flash)) window_->Invalidate(&kFlashRect);
        Sleep(1);
    }
    timeEndPeriod(1);
}

// The texture, moved sideways with the clock, and the square on top.
void SyncScene::Paint(HDC dc, const RECT& client) {
    const int shift = int((GetTickCount() / 4) % kTextureRepeat);
    BitBlt(dc, 0, 0, client.right, client.bottom, texture_, shift, 0, SRCCOPY);
    HBRUSH brush = CreateSolidBrush(flashing_ ? RGB(255, 255, 255) : RGB(0, 0, 0));
    FillRect(dc, &kFlashRect, brush);
    DeleteObject(brush);
}

void SyncScene::MakeTexture() {
    HDC screen = GetDC(nullptr);
    texture_ = CreateCompatibleDC(screen);
    textureBitmap_ = CreateCompatibleBitmap(screen, width_ + kTextureRepeat, height_);
    SelectObject(texture_, textureBitmap_);
    ReleaseDC(nullptr, screen);
    for (int y = 0; y < height_; y += kTile)
        for (int x = 0; x < width_ + kTextureRepeat; x += kTile) {
            RECT tile{x, y, x + kTile, y + kTile};
            HBRUSH brush = CreateSolidBrush(TileColour(x % kTextureRepeat, y));
            FillRect(texture_, &tile, brush);
            DeleteObject(brush);
        }
}
