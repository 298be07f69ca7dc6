// The streaming thread of a capture pin: waits while the filter is paused,
// runs the source's Stream while it runs, and carries the samples it makes to
// the connected input pin on the graph's clock.
#pragma once

#include "devices/dshow/capture_source.h"

#include <cstdint>
#include <thread>

class CStreamThread final : public SampleSink {
public:
    CStreamThread();
    ~CStreamThread();
    CStreamThread(const CStreamThread&) = delete;
    CStreamThread& operator=(const CStreamThread&) = delete;

    // Starts the thread in the paused state; the allocator must be committed.
    bool Start(CaptureSource& source, IMemAllocator* allocator, IMemInputPin* input);
    // Ends the stream and waits for the thread. The allocator must be
    // decommitted first, so that a thread waiting for a buffer returns.
    void RequestStop();
    void Join();

    void Run(REFERENCE_TIME start);
    void Pause();
    void SetClock(IReferenceClock* clock);

    // SampleSink, on the streaming thread.
    REFERENCE_TIME Now() override;
    bool WaitUntil(REFERENCE_TIME time) override;
    bool Deliver(const BYTE* data, long size, REFERENCE_TIME start, REFERENCE_TIME stop) override;
    long MaxBlockSize() const override { return max_block_; }

private:
    enum class Mode { Paused, Running, Stopping };
    void Main();
    void ChangeMode(Mode mode);
    bool StillStreaming();  // the mode and run it was started in still hold
    REFERENCE_TIME ClockTime();

    SRWLOCK lock_ = SRWLOCK_INIT;
    CONDITION_VARIABLE changed_ = CONDITION_VARIABLE_INIT;
    Mode mode_ = Mode::Paused;
    uint64_t generation_ = 0;         // bumped at every mode change
    uint64_t stream_generation_ = 0;  // the generation the current Stream runs in
    REFERENCE_TIME start_time_ = 0;   // Run's start time on the reference clock
    ComPtr<IReferenceClock> clock_;
    bool discontinuity_ = false;  // the next sample starts a new run

    CaptureSource* source_ = nullptr;
    ComPtr<IMemAllocator> allocator_;
    ComPtr<IMemInputPin> input_;
    long max_block_ = 0;
    std::thread thread_;
};

// The performance counter in 100 ns units: the time base of the fallback clock
// and of the audio engine's capture positions.
REFERENCE_TIME QpcNow100ns();
