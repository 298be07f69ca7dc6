// The desktop state the program changes for the user and must give back: the
// system cursors forced while the mouse is on an edge of the recorded region,
// and the taskbar hidden while recording. The calls go through DesktopShell, so
// tests can watch them (under Wine SetSystemCursor and SPI_SETCURSORS have no
// effect, and there is no real taskbar to hide).
#pragma once

#include <windows.h>

class DesktopShell {
public:
    virtual ~DesktopShell() = default;
    // Makes the standard cursor cursorId (IDC_*) the system cursor systemCursorId (OCR_*).
    virtual void ReplaceSystemCursor(LPCWSTR cursorId, DWORD systemCursorId) = 0;
    // Loads the user's own system cursors again.
    virtual void ResetSystemCursors() = 0;
    virtual void ShowTaskbar(bool show) = 0;
};

// The shell in use: the real one unless a test set its own.
DesktopShell& GetDesktopShell();
// nullptr goes back to the real shell. The caller keeps ownership.
void SetDesktopShell(DesktopShell* shell);

// Forces cursorId over the normal arrow and the text cursor, and remembers it.
void ForceSystemCursor(LPCWSTR cursorId);
// The forced cursor id, or nullptr while the system cursors are the user's.
LPCWSTR ForcedSystemCursor();
// Resets the system cursors (whether or not one was forced) and forgets the forced one.
void RestoreSystemCursors();
// Shows or hides the taskbar and remembers whether this program hid it.
void SetTaskbarShown(bool show);
bool IsTaskbarHiddenByUs();
// What must not outlive the program: forced cursors, a hidden taskbar. Safe to
// call from the crash filter on any thread.
void RestoreDesktopState();
