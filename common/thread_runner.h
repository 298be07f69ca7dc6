// Runs one body on a Windows thread of its own and stops it with a bounded wait.
#pragma once

#include <windows.h>

#include <atomic>

class CThreadRunner;

// A thread body. _Do runs on the runner's thread; it polls runner.IsRunning() to
// know when to leave its loop, and its result becomes the thread's exit code.
class SiThO {
public:
    virtual DWORD _Do(CThreadRunner* runner) = 0;

protected:
    ~SiThO() = default;  // never deleted through this interface
};

class CThreadRunner {
public:
    static constexpr DWORD kDefaultStopWaitMs = 50000;

    CThreadRunner() = default;
    ~CThreadRunner();
    CThreadRunner(const CThreadRunner&) = delete;
    CThreadRunner& operator=(const CThreadRunner&) = delete;

    // Starts body on a new thread (at THREAD_PRIORITY_HIGHEST when high is set).
    // Does nothing more while a body is still running. false only when no thread
    // could be created.
    bool Start(SiThO* body, bool high = false);
    // Asks the body to leave, waits up to waitMs for its thread and terminates the
    // thread only when that wait ran out. Returns true when the thread ended by itself.
    bool Stop(DWORD waitMs = kDefaultStopWaitMs);
    bool IsRunning() const { return running_.load(); }
    HANDLE ThreadHandle() const { return thread_; }

private:
    static unsigned __stdcall ThreadProc(void* arg);
    void CloseThread();

    std::atomic<SiThO*> body_{nullptr};
    HANDLE thread_ = nullptr;
    std::atomic<bool> running_{false};
};
