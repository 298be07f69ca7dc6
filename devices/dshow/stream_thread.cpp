#include "devices/dshow/stream_thread.h"

#include <cstring>

#include "common/thread_name.h"

REFERENCE_TIME QpcNow100ns() {
    static const LONGLONG frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f.QuadPart;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    // Split to keep counter * 10^7 from overflowing on fast counters.
    return (now.QuadPart / frequency) * 10000000 + (now.QuadPart % frequency) * 10000000 / frequency;
}

namespace {

// A source's capability record says whether it delivers pictures or sound.
bool IsVideo(const CaptureSource& source) { return source.CapsSize() == sizeof(VIDEO_STREAM_CONFIG_CAPS); }

// Exclusive hold of an SRW lock for one scope.
class ScopedSrw {
public:
    explicit ScopedSrw(SRWLOCK& lock) : lock_(lock) { AcquireSRWLockExclusive(&lock_); }
    ~ScopedSrw() { ReleaseSRWLockExclusive(&lock_); }
    ScopedSrw(const ScopedSrw&) = delete;
    ScopedSrw& operator=(const ScopedSrw&) = delete;

private:
    SRWLOCK& lock_;
};

}  // namespace

CStreamThread::CStreamThread() = default;

CStreamThread::~CStreamThread() {
    RequestStop();
    Join();
}

bool CStreamThread::Start(CaptureSource& source, IMemAllocator* allocator, IMemInputPin* input) {
    ALLOCATOR_PROPERTIES props{};
    if (thread_.joinable() || FAILED(allocator->GetProperties(&props))) return false;
    source_ = &source;
    allocator_ = allocator;
    input_ = input;
    max_block_ = props.cbBuffer;
    mode_ = Mode::Paused;
    thread_ = std::thread(&CStreamThread::Main, this);
    return true;
}

void CStreamThread::RequestStop() { ChangeMode(Mode::Stopping); }

void CStreamThread::Join() {
    if (thread_.joinable()) thread_.join();
    allocator_.Reset();
    input_.Reset();
}

void CStreamThread::Run(REFERENCE_TIME start) {
    {
        ScopedSrw hold(lock_);
        start_time_ = clock_ ? start : QpcNow100ns();  // no clock: stream time counts from now
    }
    ChangeMode(Mode::Running);
}

void CStreamThread::Pause() { ChangeMode(Mode::Paused); }

void CStreamThread::SetClock(IReferenceClock* clock) {
    ScopedSrw hold(lock_);
    clock_ = clock;
}

void CStreamThread::ChangeMode(Mode mode) {
    ScopedSrw hold(lock_);
    if (mode_ == Mode::Stopping) return;
    mode_ = mode;
    ++generation_;
    WakeAllConditionVariable(&changed_);
}

void CStreamThread::Main() {
    NameCurrentThread(IsVideo(*source_) ? L"video device stream" : L"sound device stream");
    HRESULT com = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    for (;;) {
        uint64_t generation;
        {
            ScopedSrw hold(lock_);
            while (mode_ == Mode::Paused) SleepConditionVariableSRW(&changed_, &lock_, INFINITE, 0);
            if (mode_ == Mode::Stopping) break;
            generation = stream_generation_ = generation_;
            discontinuity_ = true;
        }
        source_->Stream(*this);
        // The stream may end on its own (refused downstream): wait for the next change.
        ScopedSrw hold(lock_);
        while (mode_ == Mode::Running && generation_ == generation)
            SleepConditionVariableSRW(&changed_, &lock_, INFINITE, 0);
    }
    if (SUCCEEDED(com)) CoUninitialize();
}

bool CStreamThread::StillStreaming() {
    ScopedSrw hold(lock_);
    return mode_ == Mode::Running && generation_ == stream_generation_;
}

REFERENCE_TIME CStreamThread::ClockTime() {
    ComPtr<IReferenceClock> clock;
    REFERENCE_TIME start;
    {
        ScopedSrw hold(lock_);
        clock = clock_;
        start = start_time_;
    }
    REFERENCE_TIME now = 0;
    if (!clock || FAILED(clock->GetTime(&now))) now = QpcNow100ns();
    return now - start;
}

REFERENCE_TIME CStreamThread::Now() { return ClockTime(); }

bool CStreamThread::WaitUntil(REFERENCE_TIME time) {
    for (;;) {
        REFERENCE_TIME ahead = time - Now();
        ScopedSrw hold(lock_);
        if (mode_ != Mode::Running || generation_ != stream_generation_) return false;
        if (ahead <= 0) return true;
        DWORD ms = DWORD((ahead + 9999) / 10000);
        SleepConditionVariableSRW(&changed_, &lock_, ms, 0);
    }
}

bool CStreamThread::Deliver(const BYTE* data, long size, REFERENCE_TIME start, REFERENCE_TIME stop) {
    if (!StillStreaming() || size <= 0) return false;
    ComPtr<IMediaSample> sample;
    if (allocator_->GetBuffer(&sample, nullptr, nullptr, 0) != S_OK) return false;  // decommitted
    BYTE* buffer = nullptr;
    if (FAILED(sample->GetPointer(&buffer)) || sample->GetSize() < size) return false;
    memcpy(buffer, data, size_t(size));
    // The receiver reads a start time of exactly 0 as "no time".
    if (start < 1) start = 1;
    if (stop <= start) stop = start + 1;
    sample->SetActualDataLength(size);
    sample->SetTime(&start, &stop);
    sample->SetSyncPoint(TRUE);
    sample->SetPreroll(FALSE);
    {
        ScopedSrw hold(lock_);
        sample->SetDiscontinuity(discontinuity_ ? TRUE : FALSE);
        discontinuity_ = false;
    }
    return input_->Receive(sample.Get()) == S_OK;
}
