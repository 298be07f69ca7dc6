// What the picker's tests share: a solid two-colour window to snap to and to
// read back, real mouse and key input, and waiting for the picker's window.
#pragma once

#include <windows.h>

#include <initializer_list>

// A top-level window at rc: its left half kLeftColour, its right half kRightColour.
constexpr COLORREF kLeftColour = RGB(255, 0, 0);
constexpr COLORREF kRightColour = RGB(0, 0, 255);
HWND OpenSolidWindow(const RECT& rc);

// Real input through SendInput at screen points.
void MouseAt(POINT p, DWORD buttons = 0);
// Real key presses through SendInput: the keys go down in order and come up in
// the reverse order ({VK_MENU, VK_ESCAPE} is Alt+Esc).
void PressKeys(std::initializer_list<WORD> keys);
// The picker's window once it is shown; null after timeoutMs.
HWND WaitForPicker(DWORD timeoutMs = 10000);
