// The hook runs on a thread of its own: low-level hooks are called on the thread
// that installed them, and every mouse event on the desktop waits for that call.
#define AREAPROBE_BUILDING_DLL
#include "areaprobe/areaprobe.h"

#include <new>

#include "common/posted_records.h"

namespace {

constexpr DWORD kStartWaitMs = 5000;
constexpr DWORD kStopWaitMs = 5000;
constexpr UINT kStopHookThread = WM_APP + 1;  // thread message

HMODULE g_module = nullptr;

// Serialises start and stop; the hook never takes it.
SRWLOCK g_controlLock = SRWLOCK_INIT;
HANDLE g_hookThread = nullptr;
DWORD g_hookThreadId = 0;

// Who gets the reports and which hook thread may send them. The hook reads them
// under the shared lock, so once a writer has cleared them no report follows.
SRWLOCK g_targetLock = SRWLOCK_INIT;
HWND g_target = nullptr;
DWORD g_reportingThreadId = 0;

void SetTarget(HWND target, DWORD threadId) {
    AcquireSRWLockExclusive(&g_targetLock);
    g_target = target;
    g_reportingThreadId = threadId;
    ReleaseSRWLockExclusive(&g_targetLock);
}

bool IsReportingThread() {
    AcquireSRWLockShared(&g_targetLock);
    bool reporting = g_reportingThreadId == GetCurrentThreadId();
    ReleaseSRWLockShared(&g_targetLock);
    return reporting;
}

bool IsReportedMessage(WPARAM message) {
    return message == WM_MOUSEMOVE || message == WM_LBUTTONDOWN || message == WM_LBUTTONUP;
}

void Report(WPARAM message, const MSLLHOOKSTRUCT& event) {
    AcquireSRWLockShared(&g_targetLock);
    if (g_target && g_reportingThreadId == GetCurrentThreadId()) {
        auto* record = new (std::nothrow)
            AreaprobeMouseRecord{event.pt.x, event.pt.y, static_cast<uint32_t>(message), event.flags, event.time, 0};
        if (record) RegisterPostedRecord(record);
        // A destroyed window or a full queue takes nothing: the record is ours to free.
        if (record && !PostMessageW(g_target, WM_AREAPROBE_MOUSE, message, reinterpret_cast<LPARAM>(record))) {
            ForgetPostedRecord(record);
            delete record;
        }
    }
    ReleaseSRWLockShared(&g_targetLock);
}

LRESULT CALLBACK LowLevelMouseProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && IsReportedMessage(wParam))
        Report(wParam, *reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam));
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Holds a reference to the DLL (taken by its starter) and drops it as it exits,
// so the code stays mapped for as long as the thread runs. Sets `ready` once the
// hook is in place and the thread is still wanted; otherwise it just ends.
DWORD WINAPI HookThreadMain(void* readyEvent) {
    HANDLE ready = readyEvent;
    MSG msg;
    // The queue must exist before the stopper can post to it; a stopper that came
    // earlier has already cleared the reporting thread, which the check sees.
    PeekMessageW(&msg, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
    HHOOK hook = SetWindowsHookExW(WH_MOUSE_LL, LowLevelMouseProc, g_module, 0);
    if (hook && IsReportingThread()) {
        SetEvent(ready);
        // Nothing to dispatch: the hook is called from inside GetMessageW.
        while (GetMessageW(&msg, nullptr, 0, 0) > 0 && msg.message != kStopHookThread) {}
    }
    CloseHandle(ready);
    if (hook) UnhookWindowsHookEx(hook);
    FreeLibraryAndExitThread(g_module, 0);
}

// Starts the hook thread and waits until its hook is in place. A thread that does
// not answer in time is abandoned: it is no longer the reporting thread, so it
// posts nothing and ends by itself.
bool StartHookThread(HWND target) {
    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE threadReady = nullptr;
    if (!ready || !DuplicateHandle(GetCurrentProcess(), ready, GetCurrentProcess(), &threadReady, 0, FALSE,
                                   DUPLICATE_SAME_ACCESS)) {
        if (ready) CloseHandle(ready);
        return false;
    }
    HMODULE self = nullptr;
    HANDLE thread = nullptr;
    DWORD threadId = 0;
    if (GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCWSTR>(&HookThreadMain), &self))
        thread = CreateThread(nullptr, 0, HookThreadMain, threadReady, CREATE_SUSPENDED, &threadId);
    if (!thread) {
        if (self) FreeLibrary(self);
        CloseHandle(threadReady);
        CloseHandle(ready);
        return false;
    }
    SetTarget(target, threadId);
    ResumeThread(thread);
    HANDLE waits[2] = {ready, thread};
    DWORD woke = WaitForMultipleObjects(2, waits, FALSE, kStartWaitMs);
    CloseHandle(ready);
    if (woke != WAIT_OBJECT_0) {  // the hook failed, or the thread never answered
        SetTarget(nullptr, 0);
        // Reaches a thread that passed its check just before the line above.
        PostThreadMessageW(threadId, kStopHookThread, 0, 0);
        CloseHandle(thread);
        return false;
    }
    g_hookThread = thread;
    g_hookThreadId = threadId;
    return true;
}

void ForgetHookThread() {
    CloseHandle(g_hookThread);
    g_hookThread = nullptr;
    g_hookThreadId = 0;
}

}  // namespace

AREAPROBE_API BOOL WINAPI AreaprobeStart(HWND target, int, int, int) {
    if (!target || !IsWindow(target)) return FALSE;
    AcquireSRWLockExclusive(&g_controlLock);
    if (g_hookThread && WaitForSingleObject(g_hookThread, 0) != WAIT_TIMEOUT) ForgetHookThread();
    bool started = true;
    if (g_hookThread)
        SetTarget(target, g_hookThreadId);
    else
        started = StartHookThread(target);
    ReleaseSRWLockExclusive(&g_controlLock);
    return started ? TRUE : FALSE;
}

AREAPROBE_API BOOL WINAPI AreaprobeStop() {
    AcquireSRWLockExclusive(&g_controlLock);
    bool ended = true;
    if (g_hookThread) {
        SetTarget(nullptr, 0);
        PostThreadMessageW(g_hookThreadId, kStopHookThread, 0, 0);
        ended = WaitForSingleObject(g_hookThread, kStopWaitMs) == WAIT_OBJECT_0;
        ForgetHookThread();
    }
    ReleaseSRWLockExclusive(&g_controlLock);
    return ended ? TRUE : FALSE;
}

AREAPROBE_API BOOL WINAPI AreaprobeTakeRecord(LPARAM lParam, AreaprobeMouseRecord* out) {
    auto* record = ClaimPostedRecord<AreaprobeMouseRecord>(static_cast<uintptr_t>(lParam));
    if (!record || !out) {
        delete record;
        return FALSE;
    }
    *out = *record;
    delete record;
    return TRUE;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) g_module = instance;
    return TRUE;
}
