#include "app/recording_ui/countdown_frames.h"

#include <algorithm>
#include <utility>

using namespace DuiLib;

CountdownFrames::CountdownFrames(int count, NameOf nameOf)
    : m_nameOf(std::move(nameOf)),
      m_frames(static_cast<size_t>(std::max(count, 0)), nullptr),
      m_ready(new std::atomic<bool>[m_frames.size()]) {
    for (size_t n = 0; n < m_frames.size(); ++n) m_ready[n] = false;
}

CountdownFrames::~CountdownFrames() {
    m_stop = true;
    for (std::thread& worker : m_workers) worker.join();
    for (TImageInfo* frame : m_frames) CRenderEngine::FreeImage(frame);
}

void CountdownFrames::Decode(int n) {
    m_frames[static_cast<size_t>(n)] = CRenderEngine::LoadImage(m_nameOf(n).c_str());
    m_ready[static_cast<size_t>(n)] = true;
}

// A worker takes the frames in order, one at a time, until none is left.
void CountdownFrames::DecodeNext() {
    const int count = static_cast<int>(m_frames.size());
    for (int n = m_next++; n < count && !m_stop; n = m_next++) Decode(n);
}

void CountdownFrames::Start() {
    if (m_frames.empty() || m_next > 0) return;
    Decode(m_next++);
    for (int i = 0; i < kWorkers; ++i) m_workers.emplace_back([this] { DecodeNext(); });
}

int CountdownFrames::Decoded() const {
    while (m_decoded < static_cast<int>(m_frames.size()) && m_ready[static_cast<size_t>(m_decoded)]) ++m_decoded;
    return m_decoded;
}

const TImageInfo* CountdownFrames::Frame(int n) const {
    if (n < 0 || n >= Decoded()) return nullptr;
    return m_frames[static_cast<size_t>(n)];
}

int CountdownFrameAt(ULONGLONG elapsedMs, int frameMs, int frames, int decoded) {
    if (frames <= 0 || decoded <= 0 || frameMs <= 0) return -1;
    const ULONGLONG due = elapsedMs / static_cast<ULONGLONG>(frameMs);
    const ULONGLONG last = static_cast<ULONGLONG>(std::min(frames, decoded) - 1);
    return static_cast<int>(std::min(due, last));
}
