// What the main window and the progress thread share, under one lock: the running
// recording's progress (seconds, split counters, planned length), a way to read its
// byte counter, the auto-stop options and the newest tick.
//
// Hand-over: the frame calls BeginRecording when it starts a recorder and
// EndRecording before it deletes one. Once EndRecording has returned, the progress
// thread no longer reads that recorder's counter, posts nothing for it, and no
// tick of it is handed out any more.
#pragma once

#include <cstdint>
#include <functional>
#include <mutex>

#include "app/progress/progress_tick.h"
#include "common/auto_stop_options.h"

class CProgressBoard {
public:
    // Reads the running recorder's bytes-written counter; called under the lock only.
    using ByteCounter = std::function<uint64_t()>;

    // UI thread. A recording starts: 0 seconds, both split counters 1, and the
    // planned length when a scheduled task started it.
    void BeginRecording(ByteCounter bytesWritten, const PlanTaskProgress& plan);
    // UI thread, before the recorder is deleted.
    void EndRecording();
    // UI thread, on WM_PROGRESS_TICK: the newest tick not handed out yet.
    bool TakeTick(ProgressTick& tick);

    AutoStopOptions GetAutoStopOptions() const;
    void SetAutoStopOptions(const AutoStopOptions& options);
    // Back to the defaults when they were enabled: an automatic stop holds for one
    // recording. true when they were enabled.
    bool ResetAutoStopOptionsIfEnabled();

    // Progress thread. While the state is recording and bytes have been written:
    // the counters, options and plan of this tick (settings and free space are left
    // to the caller) and the recording's number; false otherwise.
    bool TakeSnapshot(ProgressTickInput& input, uint64_t& recording) const;
    // Makes tick the recording's progress and runs post (which posts the tick's
    // messages) under the lock. false, with nothing stored or run, when that
    // recording has ended meanwhile.
    bool Publish(uint64_t recording, const ProgressTick& tick, const std::function<void()>& post);

    // A split is due from a tick's split event until the UI thread takes it; one
    // that could not be made is put back and asked for again at the next tick.
    // Progress thread, from post: whether this tick posts WM_SPLITFILE_MSG (its own
    // split event, or one put back).
    bool SplitToPost(const ProgressTick& tick) const;
    // UI thread, on WM_SPLITFILE_MSG: true (once) when a tick asked for the split;
    // a message from anywhere else finds none.
    bool TakeSplitDue();
    // UI thread: a split that was due could not be made now.
    void PutSplitBack();

private:
    mutable std::mutex m_lock;
    ByteCounter m_bytesWritten;  // empty while no recording is attached
    uint64_t m_recording = 0;    // changes with every begin and end
    uint64_t m_uTimeNum = 0;
    DivisionCounters m_division;
    PlanTaskProgress m_plan;
    AutoStopOptions m_autoStopOptions;  // the main window's copy; defaults after each automatic stop
    ProgressTick m_tick;
    bool m_tickWaiting = false;
    bool m_splitDue = false;
    bool m_splitPutBack = false;
};
