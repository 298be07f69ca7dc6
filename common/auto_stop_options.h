// Automatic stop of a recording: after a recording time or at a written size,
// followed by one completion action. The main window keeps one copy; the auto-stop
// dialog edits it and the progress logic reads it.
#pragma once

#include <cstdint>
#include <string>

// The completion actions, in the order the dialog lists them.
inline const wchar_t* const kActionNothing = L"不做任何操作";
inline const wchar_t* const kActionQuit = L"退出程序";
inline const wchar_t* const kActionSleep = L"睡眠";
inline const wchar_t* const kActionShutdown = L"关机";

struct AutoStopOptions {
    bool enabled = false;
    bool byTime = true;
    int32_t seconds = 600;
    bool bySize = false;
    int32_t sizeMB = 10;
    std::wstring action = kActionNothing;
};
