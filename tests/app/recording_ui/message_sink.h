// A message-only window standing in for the main window: keeps every private
// message posted to it, and runs a handler for the ones a test wants to answer.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

struct PostedMessage {
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
};

class MessageSink {
public:
    MessageSink();
    ~MessageSink();
    MessageSink(const MessageSink&) = delete;
    MessageSink& operator=(const MessageSink&) = delete;

    HWND hwnd() const { return hwnd_; }
    // The kept messages with that id.
    std::vector<PostedMessage> Of(UINT msg) const;

    std::vector<PostedMessage> messages;  // WM_USER and above, and WM_TIMER
    std::function<void(const PostedMessage&)> onMessage;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    HWND hwnd_ = nullptr;
};

// Dispatches messages until done() or the time-out; notes whether WM_QUIT came by.
bool PumpWatchingQuit(const std::function<bool()>& done, DWORD timeoutMs, bool* quitSeen);
