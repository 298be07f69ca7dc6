#include "engine/recording_finisher.h"

#include "common/thread_name.h"

CRecordingFinisher::CRecordingFinisher(Report report, Step step)
    : m_report(std::move(report)), m_step(std::move(step)) {}

CRecordingFinisher::~CRecordingFinisher() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stopping = true;
    }
    m_changed.notify_all();
    if (m_worker.joinable()) m_worker.join();
}

void CRecordingFinisher::Add(const ClosedFile& file) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_queue.push_back(file);
    if (!m_worker.joinable()) m_worker = std::thread(&CRecordingFinisher::Run, this);
    m_changed.notify_all();
}

bool CRecordingFinisher::IsIdle() {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_queue.empty() && !m_working;
}

void CRecordingFinisher::WaitIdle() {
    std::unique_lock<std::mutex> lock(m_mutex);
    m_changed.wait(lock, [this] { return m_queue.empty() && !m_working; });
}

// The worker: a stop request still lets every queued file be finished.
void CRecordingFinisher::Run() {
    NameCurrentThread(L"recording finisher");
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return m_stopping || !m_queue.empty(); });
        if (m_queue.empty()) return;
        const ClosedFile file = m_queue.front();
        m_queue.pop_front();
        m_working = true;
        lock.unlock();
        const FinishedFile finished = m_step(file);
        lock.lock();
        const bool last = m_queue.empty();
        lock.unlock();
        if (m_report) m_report(finished, last);
        lock.lock();
        m_working = false;
        m_changed.notify_all();
    }
}
