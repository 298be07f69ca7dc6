// The main window's once-a-second heartbeat while a recording runs. Each tick is
// computed here from a snapshot of the board; the results are posted to the main
// window (the split and stop messages, then WM_PROGRESS_TICK), whose UI thread
// applies them. The thread never touches a window or a recorder itself.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>

#include "app/progress/progress_board.h"
#include "common/setting_data.h"
#include "common/thread_runner.h"

class CProgressThread : private SiThO {
public:
    using SettingsReader = std::function<SettingRecord()>;

    // Reads the settings through the settings model.
    CProgressThread(CProgressBoard& board, HWND window);
    CProgressThread(CProgressBoard& board, HWND window, SettingsReader readSettings);
    // Stops the thread; before the settings model is released.
    ~CProgressThread();
    CProgressThread(const CProgressThread&) = delete;
    CProgressThread& operator=(const CProgressThread&) = delete;

    // false when no thread could be created (then there is no clock, no split and
    // no automatic stop).
    bool Start();
    void Stop();
    // Passes of the loop so far, ticks and idle polls alike.
    uint64_t PassCount() const { return m_passes.load(); }

private:
    static constexpr DWORD kTickMs = 1000;
    static constexpr DWORD kIdleMs = 500;

    DWORD _Do(CThreadRunner* runner) override { return ProgressThreadProc(*runner); }
    // The thread body: a tick a second while a recording runs, a look every half
    // second otherwise, until Stop.
    DWORD ProgressThreadProc(CThreadRunner& runner);
    bool Tick();
    void PostTick(const ProgressTickInput& input, const ProgressTick& tick);

    CProgressBoard& m_board;
    HWND m_window;
    SettingsReader m_readSettings;
    HANDLE m_stop;  // manual reset; wakes the loop to leave
    std::atomic<uint64_t> m_passes{0};
    CThreadRunner m_runner;
};

// Total free bytes of the drive that the output folder's first letter names; 0
// when the folder is empty or the query fails.
uint64_t OutputDriveFreeBytes(const std::wstring& outputFolder);
