// Closed output files made whole on a worker thread of their own, one after the
// other in the order they were closed, so that neither the capture nor the window
// waits for the copy that makes an MP4 ordinary.
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

#include "engine/recording_finish.h"

class CRecordingFinisher {
public:
    // Told on the worker thread about each file once it is whole; last: no other file
    // was queued then. The finisher is idle only after the report has returned.
    using Report = std::function<void(const FinishedFile&, bool last)>;
    // What is done to each file; FinishClosedRecording unless a caller needs another step.
    using Step = std::function<FinishedFile(const ClosedFile&)>;

    explicit CRecordingFinisher(Report report, Step step = FinishClosedRecording);
    // Finishes every file still queued before it returns: no closed file is left half done.
    ~CRecordingFinisher();
    CRecordingFinisher(const CRecordingFinisher&) = delete;
    CRecordingFinisher& operator=(const CRecordingFinisher&) = delete;

    // Any thread: the file is queued; the worker starts with the first one.
    void Add(const ClosedFile& file);
    // Any thread: no file is queued or being finished.
    bool IsIdle();
    // Any thread but the worker's: returns once IsIdle.
    void WaitIdle();

private:
    void Run();

    Report m_report;
    Step m_step;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<ClosedFile> m_queue;
    bool m_working = false;
    bool m_stopping = false;
    std::thread m_worker;
};
