// The writer's clock: a file's first-packet time, the pause being noted and the pause
// accumulated so far, and the reference that the first sound frames after a file's
// start or a resume are aligned to. It owns the lock of its alignment record.
//
// The capture threads write it through their packet rules (the leading source sets the
// first packet and resolves each pause, every source notes its first paused packet);
// the writer's sound side takes the first alignments; the controller resets it at a
// split. The times are the capture input's (its stream time base).
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>

#include "engine/ffmpeg_api.h"
#include "engine/writer_sound_queue.h"

class CWriterClock {
public:
    // --- First packet and relative times ---
    // Any thread.
    int64_t FirstPacketTime() const { return m_firstPacketTime; }
    // pts - first-packet time - accumulated pause. Any thread.
    int64_t RelativePts(int64_t pts) const { return pts - m_firstPacketTime - _alGa_TotTim1; }
    // Sets the first-packet time alone (0 at a split). UI thread or the leading source.
    void _wfi_fip_up2(int64_t firstPacketTime) { m_firstPacketTime = firstPacketTime; }
    // The leading source's first packet of a file: the alignment reference is set at
    // pts for the used sound sources, a pause noted before it is forgotten, and then
    // the first-packet time becomes pts (so a source that sees it set finds the
    // reference in place). Leading capture thread.
    void SetFirstPacket(int64_t pts, bool sysUsed, bool micUsed);
    // Sets the alignment reference and which sound sources still have to align their
    // first frame to it. Leading capture thread.
    void InAli(int64_t pts, bool sysUsed, bool micUsed);

    // --- Pause, capture threads ---
    // The pts at which the pause now being accounted began; 0 when none.
    int64_t PauseStart() const { return g_llPause_StartTime; }
    int64_t PausedTotal() const { return _alGa_TotTim1; }  // _alGa_TotTim1
    // 0 when the source has none, or is not screen, system sound or microphone.
    int64_t FirstPausedPts(int32_t sourceType) const;
    // A packet of sourceType dropped while paused: it becomes the source's first paused
    // pts when it has none; once every used source has one, the pause start becomes
    // the latest of them. false (nothing noted) when the pause start was already set
    // or sourceType has no slot.
    bool NotePausedPts(int32_t sourceType, int64_t pts, bool screenUsed, bool sysUsed, bool micUsed);
    // The leading source's first kept packet after a pause: the time from the pause
    // start to pts joins the accumulated pause, the alignment reference moves to pts
    // and the pause parameters are zeroed. Nothing changes while no pause start is set.
    void ResolvePause(int64_t pts, bool sysUsed, bool micUsed);
    // Zeroes g_llPause_StartTime and the first paused pts of every source.
    void RPaPar();
    // Zeroes the accumulated pause, the alignment reference, both need-alignment flags
    // and both pending alignment sample counts (at a split). UI thread.
    void ResetAlignment();

    // --- Sound alignment, the sound capture threads inside the writer ---
    // sourceType kSourceSystemSound or kSourceMicrophone (anything else counts as
    // system sound).
    int64_t AlignmentReference() const;
    bool NeedsAlignment(int32_t sourceType) const;
    int64_t PendingAlignment(int32_t sourceType) const;
    // The first frame after the reference, at *pts: when the source's flag is set (with
    // a single source, when either flag is set, and both are cleared), the samples at
    // sampleRate from the reference to *pts become the source's pending alignment, the
    // flag is cleared and *pts becomes the reference. false when none was due.
    bool TakeFirstAlignment(int32_t sourceType, bool singleSource, int64_t* pts, int sampleRate, AVRational tb);
    // Pads or cuts the head of the source's queue by its pending alignment and keeps
    // what could not be cut yet. false when none was pending; else *referencePts (when
    // given) becomes the reference made relative: the time of the queue's head.
    bool AlignQueue(int32_t sourceType, CSoundQueue& queue, int64_t* referencePts = nullptr);

private:
    std::atomic<int64_t>* FirstPausedSlot(int32_t sourceType);
    const std::atomic<int64_t>* FirstPausedSlot(int32_t sourceType) const;
    int64_t& PendingSamples(int32_t sourceType);
    bool& NeedFlag(int32_t sourceType);
    void SetPauseStart(bool screenUsed, bool sysUsed, bool micUsed);

    std::atomic<int64_t> m_firstPacketTime{0};
    std::atomic<int64_t> g_llPause_StartTime{0};
    std::atomic<int64_t> m_firstPausedPtsScreen{0};
    std::atomic<int64_t> m_firstPausedPtsSys{0};
    std::atomic<int64_t> m_firstPausedPtsMic{0};
    std::atomic<int64_t> _alGa_TotTim1{0};  // accumulated pause

    // Alignment record and the pause start's setting; read lock-free where atomic.
    mutable std::mutex m_aliMutex;
    int64_t m_dAliTim_By_P = 0;  // the alignment reference
    bool m_b_NeeAli1 = false;    // system sound has to align its first frame
    bool m_b_NeeAli2 = false;    // the microphone has to
    int64_t g_FiAliSam1 = 0;     // samples to insert (> 0) or drop (< 0) at the system sound queue's head
    int64_t g_FiAliSam2 = 0;     // the same for the microphone queue
};
