// What the benchmark records: a textured desktop with a moving band, and every two
// seconds a white square that lights up exactly when a short tone starts to play
// (the flash follows the playback position of the sound device).
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include <atomic>
#include <cstdint>
#include <thread>
#include <vector>

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
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wp, LPARAM lp);
    void WindowMain();
    void Paint(HDC dc);
    void FlashMain();
    bool StartSound(double seconds);

    int width_, height_;
    std::thread windowThread_, flashThread_;
    HANDLE ready_ = nullptr;
    DWORD windowThreadId_ = 0;
    HWND window_ = nullptr;
    HDC texture_ = nullptr;
    HBITMAP textureBitmap_ = nullptr;
    std::atomic<bool> flashing_{false};
    std::atomic<bool> stop_{false};
    HWAVEOUT out_ = nullptr;
    WAVEHDR header_{};
    std::vector<int16_t> samples_;
};
