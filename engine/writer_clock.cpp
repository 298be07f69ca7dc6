// The writer's clock: first packet, pauses and the first sound alignment.
#include "engine/writer_clock.h"

#include <algorithm>
#include <utility>

#include "common/record_globals.h"

void CWriterClock::SetFirstPacket(int64_t pts, bool sysUsed, bool micUsed) {
    InAli(pts, sysUsed, micUsed);
    // A pause noted before a file's first packet leaves no gap in that file.
    RPaPar();
    m_firstPacketTime = pts;
}

void CWriterClock::InAli(int64_t pts, bool sysUsed, bool micUsed) {
    std::lock_guard<std::mutex> guard(m_aliMutex);
    m_dAliTim_By_P = pts;
    m_b_NeeAli1 = sysUsed;
    m_b_NeeAli2 = micUsed;
}

int64_t CWriterClock::FirstPausedPts(int32_t sourceType) const {
    const std::atomic<int64_t>* slot = FirstPausedSlot(sourceType);
    return slot ? slot->load() : 0;
}

std::atomic<int64_t>* CWriterClock::FirstPausedSlot(int32_t sourceType) {
    return const_cast<std::atomic<int64_t>*>(std::as_const(*this).FirstPausedSlot(sourceType));
}

const std::atomic<int64_t>* CWriterClock::FirstPausedSlot(int32_t sourceType) const {
    switch (sourceType) {
        case kSourceScreen: return &m_firstPausedPtsScreen;
        case kSourceSystemSound: return &m_firstPausedPtsSys;
        case kSourceMicrophone: return &m_firstPausedPtsMic;
        default: return nullptr;
    }
}

bool CWriterClock::NotePausedPts(int32_t sourceType, int64_t pts, bool screenUsed, bool sysUsed, bool micUsed) {
    std::atomic<int64_t>* slot = FirstPausedSlot(sourceType);
    if (!slot || g_llPause_StartTime > 0) return false;
    if (*slot == 0) *slot = pts;
    // Every used source takes part, so without sound the screen alone decides where
    // the pause began.
    SetPauseStart(screenUsed, sysUsed, micUsed);
    return true;
}

void CWriterClock::SetPauseStart(bool screenUsed, bool sysUsed, bool micUsed) {
    std::lock_guard<std::mutex> guard(m_aliMutex);
    if (g_llPause_StartTime > 0) return;
    int64_t start = 0;
    const struct {
        bool used;
        int64_t pts;
    } sources[] = {
        {screenUsed, m_firstPausedPtsScreen}, {sysUsed, m_firstPausedPtsSys}, {micUsed, m_firstPausedPtsMic}};
    for (const auto& s : sources) {
        if (!s.used) continue;
        if (s.pts <= 0) return;
        start = std::max(start, s.pts);
    }
    g_llPause_StartTime = start;
}

void CWriterClock::ResolvePause(int64_t pts, bool sysUsed, bool micUsed) {
    const int64_t start = g_llPause_StartTime;
    if (start <= 0) return;
    _alGa_TotTim1 += pts - start;
    InAli(pts, sysUsed, micUsed);
    RPaPar();
}

void CWriterClock::RPaPar() {
    g_llPause_StartTime = 0;
    m_firstPausedPtsScreen = 0;
    m_firstPausedPtsSys = 0;
    m_firstPausedPtsMic = 0;
}

void CWriterClock::ResetAlignment() {
    std::lock_guard<std::mutex> guard(m_aliMutex);
    _alGa_TotTim1 = 0;
    m_dAliTim_By_P = 0;
    m_b_NeeAli1 = m_b_NeeAli2 = false;
    g_FiAliSam1 = g_FiAliSam2 = 0;
}

int64_t& CWriterClock::PendingSamples(int32_t sourceType) {
    return sourceType == kSourceMicrophone ? g_FiAliSam2 : g_FiAliSam1;
}

bool& CWriterClock::NeedFlag(int32_t sourceType) { return sourceType == kSourceMicrophone ? m_b_NeeAli2 : m_b_NeeAli1; }

int64_t CWriterClock::AlignmentReference() const {
    std::lock_guard<std::mutex> guard(m_aliMutex);
    return m_dAliTim_By_P;
}

bool CWriterClock::NeedsAlignment(int32_t sourceType) const {
    std::lock_guard<std::mutex> guard(m_aliMutex);
    return sourceType == kSourceMicrophone ? m_b_NeeAli2 : m_b_NeeAli1;
}

int64_t CWriterClock::PendingAlignment(int32_t sourceType) const {
    std::lock_guard<std::mutex> guard(m_aliMutex);
    return sourceType == kSourceMicrophone ? g_FiAliSam2 : g_FiAliSam1;
}

bool CWriterClock::TakeFirstAlignment(int32_t sourceType, bool singleSource, int64_t* pts, int sampleRate,
                                      AVRational tb) {
    std::lock_guard<std::mutex> guard(m_aliMutex);
    const bool due = singleSource ? m_b_NeeAli1 || m_b_NeeAli2 : NeedFlag(sourceType);
    if (!due) return false;
    PendingSamples(sourceType) = SamplesForTime(*pts - m_dAliTim_By_P, sampleRate, tb);
    if (singleSource)
        m_b_NeeAli1 = m_b_NeeAli2 = false;
    else
        NeedFlag(sourceType) = false;
    *pts = m_dAliTim_By_P;
    return true;
}

bool CWriterClock::AlignQueue(int32_t sourceType, CSoundQueue& queue, int64_t* referencePts) {
    std::lock_guard<std::mutex> guard(m_aliMutex);
    int64_t& pending = PendingSamples(sourceType);
    if (pending == 0) return false;
    pending = queue.Align(pending);
    if (referencePts) *referencePts = RelativePts(m_dAliTim_By_P);
    return true;
}
