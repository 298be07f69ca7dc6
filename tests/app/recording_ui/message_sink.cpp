#include "tests/app/recording_ui/message_sink.h"

#include "ui/duilib.h"

MessageSink::MessageSink() {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"RecordingUiTestSink";
    RegisterClassW(&wc);
    hwnd_ = CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

MessageSink::~MessageSink() {
    if (hwnd_) DestroyWindow(hwnd_);
}

std::vector<PostedMessage> MessageSink::Of(UINT msg) const {
    std::vector<PostedMessage> out;
    for (const PostedMessage& m : messages)
        if (m.msg == msg) out.push_back(m);
    return out;
}

LRESULT CALLBACK MessageSink::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<MessageSink*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self && (msg >= WM_USER || msg == WM_TIMER)) {
        PostedMessage posted{msg, wParam, lParam};
        self->messages.push_back(posted);
        if (self->onMessage) self->onMessage(posted);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

bool PumpWatchingQuit(const std::function<bool()>& done, DWORD timeoutMs, bool* quitSeen) {
    DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) *quitSeen = true;
            if (!DuiLib::CPaintManagerUI::TranslateMessage(&msg)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
        }
        if (done()) return true;
        if (GetTickCount() - start >= timeoutMs) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}
