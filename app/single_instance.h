// One Vistrel per log-on. The first instance holds the named event "TsRecord"
// for its whole life; a later start only brings the first one forward.
#pragma once

#include <windows.h>

constexpr wchar_t kSingleInstanceEvent[] = L"TsRecord";
constexpr wchar_t kMainWindowClass[] = L"roverudedudovo";

// true when this process is the first instance (it keeps the event open until it
// ends). Otherwise the first instance's main window, when it exists yet, is shown,
// told to show its region frame (WM_SHOW_SEL_AREA, 1) and brought to the
// foreground, and false is returned: this process must end with 1.
bool ClaimSingleInstance();

// The first instance's main window: shown, WM_SHOW_SEL_AREA with 1, foreground.
// false when no window of the main class exists (the first is still starting).
bool BringFirstInstanceForward();
