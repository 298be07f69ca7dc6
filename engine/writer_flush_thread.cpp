#include "engine/writer_flush_thread.h"

#include <chrono>

#include "common/thread_name.h"

void CWriterFlushThread::Start(std::function<void()> tick, DWORD periodMs) {
    if (m_thread.joinable()) return;
    m_tick = std::move(tick);
    m_stop = false;
    m_thread = std::thread([this, periodMs] { Run(periodMs); });
}

void CWriterFlushThread::Stop() {
    if (!m_thread.joinable()) return;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_stop = true;
    }
    m_wake.notify_all();
    m_thread.join();
}

void CWriterFlushThread::Run(DWORD periodMs) {
    NameCurrentThread(L"writer flush");
    std::unique_lock<std::mutex> guard(m_lock);
    while (!m_wake.wait_for(guard, std::chrono::milliseconds(periodMs), [this] { return m_stop; })) {
        guard.unlock();
        m_tick();
        guard.lock();
    }
}
