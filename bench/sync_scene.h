// What the benchmark records: a textured desktop that moves, and every two seconds a
// white square that lights up exactly when a short tone starts to play (the flash
// follows the playback position of the sound device).
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <thread>
#include <vector>

#include "tests/engine/timed_window.h"

constexpr double kBurstHz = 1000;
constexpr double kBurstSeconds = 0.2;
constexpr double kBurstPeriodSeconds = 2.0;
constexpr RECT kFlashRect{40, 40, 240, 240};  // inside every recorded size

class SyncScene {
public:
    SyncScene(int width, int height, double seconds);  // shown and playing on return
    ~SyncScene();
    SyncScene(const SyncScene&) = delete;
    SyncScene& operator=(const SyncScene&) = delete;
    bool IsPlaying() const { return out_ != nullptr; }

private:
    void MakeTexture();
    void Paint(HDC dc, const RECT& client);
    void FlashMain();
    bool StartSound(double seconds);

    int width_, height_;
    HDC texture_ = nullptr;
    HBITMAP textureBitmap_ = nullptr;
    std::atomic<bool> flashing_{false};
    std::atomic<bool> stop_{false};
    std::unique_ptr<TimedWindow> window_;
    std::thread flashThread_;
    HWAVEOUT out_ = nullptr;
    WAVEHDR header_{};
    std::vector<int16_t> samples_;
};
