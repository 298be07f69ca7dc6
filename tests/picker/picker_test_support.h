// What the picker's tests share: a solid two-colour window to snap to and to
// read back, real mouse input, and waiting for the picker's window.
#pragma once

#include <windows.h>

// A top-level window at rc: its left half kLeftColour, its right half kRightColour.
constexpr COLORREF kLeftColour = RGB(255, 0, 0);
constexpr COLORREF kRightColour = RGB(0, 0, 255);
HWND OpenSolidWindow(const RECT& rc);

// Real input through SendInput at screen points.
void MouseAt(POINT p, DWORD buttons = 0);
// The picker's window once it is shown; null after timeoutMs.
HWND WaitForPicker(DWORD timeoutMs = 10000);
