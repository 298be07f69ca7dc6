// A recorder's devices and first file opened on a worker thread: opening a sound
// device waits for its first sound (up to a second), and the window must show the
// countdown meanwhile. The worker tells the window by a posted message.
#pragma once

#include <windows.h>

#include <functional>
#include <thread>

class RecorderOpening {
public:
    using OpenStep = std::function<bool()>;

    RecorderOpening() = default;
    ~RecorderOpening();  // waits for a worker still running
    RecorderOpening(const RecorderOpening&) = delete;
    RecorderOpening& operator=(const RecorderOpening&) = delete;

    // UI thread. Runs open on a worker; when it has returned, posts message to
    // window with wParam = this opening's number (see IsNotice). An opening still
    // pending is finished first.
    void Begin(OpenStep open, HWND window, UINT message);
    // UI thread. Begun and not yet finished.
    bool Pending() const { return m_pending; }
    // UI thread. Whether a posted wParam tells that the pending opening is done
    // (a notice of an opening already finished is stale).
    bool IsNotice(WPARAM number) const { return m_pending && number == m_number; }
    // UI thread. Waits for the worker and returns what open returned; false when
    // nothing was pending. The opening is over after it.
    bool Finish();

private:
    std::thread m_worker;
    bool m_pending = false;
    bool m_opened = false;  // written by the worker, read after the join
    WPARAM m_number = 0;
};
