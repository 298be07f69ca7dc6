#include "common/thread_runner.h"

#include <process.h>

CThreadRunner::~CThreadRunner() { Stop(); }

bool CThreadRunner::Start(SiThO* body, bool high) {
    body_ = body;
    if (running_) return true;
    // A body that ended by itself left its handle behind: the thread has returned
    // or is returning, so collect it before starting the next one.
    CloseThread();
    running_ = true;
    unsigned flags = high ? CREATE_SUSPENDED : 0;
    auto handle = _beginthreadex(nullptr, 0, &CThreadRunner::ThreadProc, this, flags, nullptr);
    if (handle == 0) {
        running_ = false;
        body_ = nullptr;
        return false;
    }
    thread_ = reinterpret_cast<HANDLE>(handle);
    if (high) {
        SetThreadPriority(thread_, THREAD_PRIORITY_HIGHEST);
        ResumeThread(thread_);
    }
    return true;
}

bool CThreadRunner::Stop(DWORD waitMs) {
    bool ended = true;
    if (thread_) {
        running_ = false;
        if (WaitForSingleObject(thread_, waitMs) != WAIT_OBJECT_0) {
            TerminateThread(thread_, 0);
            ended = false;
        }
        CloseHandle(thread_);
        thread_ = nullptr;
    }
    body_ = nullptr;
    return ended;
}

void CThreadRunner::CloseThread() {
    if (!thread_) return;
    WaitForSingleObject(thread_, INFINITE);
    CloseHandle(thread_);
    thread_ = nullptr;
}

unsigned __stdcall CThreadRunner::ThreadProc(void* arg) {
    auto* self = static_cast<CThreadRunner*>(arg);
    SiThO* body = self->body_;
    DWORD code = body ? body->_Do(self) : 0;
    self->running_ = false;
    self->body_ = nullptr;
    return code;
}
