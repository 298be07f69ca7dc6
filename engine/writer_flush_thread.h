// A thread that calls one function at a steady period until it is stopped: the
// writer's periodic flush runs on it, so that no capture thread waits for the disk.
#pragma once

#include <windows.h>

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

class CWriterFlushThread {
public:
    CWriterFlushThread() = default;
    ~CWriterFlushThread() { Stop(); }
    CWriterFlushThread(const CWriterFlushThread&) = delete;
    CWriterFlushThread& operator=(const CWriterFlushThread&) = delete;

    // Calls tick every periodMs from a new thread; does nothing while one runs. UI thread.
    void Start(std::function<void()> tick, DWORD periodMs);
    // Wakes the thread and waits for it to end (a tick under way is finished first).
    // UI thread.
    void Stop();
    bool IsRunning() const { return m_thread.joinable(); }

private:
    void Run(DWORD periodMs);

    std::function<void()> m_tick;
    std::mutex m_lock;
    std::condition_variable m_wake;
    bool m_stop = false;
    std::thread m_thread;
};
