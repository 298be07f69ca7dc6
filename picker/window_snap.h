// The window under the cursor, for snapping the selection to it, and the reply
// that hands the chosen area to the recorder.
#pragma once

#include <windows.h>

// The screen rectangle of the deepest visible window under pt, the picker
// (disabled for the search) passed over; the desktop's own rectangle over the
// bare desktop. false when nothing but the picker is there.
bool SnapWindowAt(POINT pt, HWND picker, RECT* rect);

// The recorder's main window class, to which the reply goes.
constexpr wchar_t kRecorderWindowClass[] = L"roverudedudovo";

// WM_COPYDATA to the recorder: dwData 0, cbData 16 and the rectangle, which
// is a null pointer on a cancel (area null). Nothing when the recorder is not
// running.
void SendAreaResult(const RECT* area);
