// CWindowWnd: a Win32 window owned by a C++ object. HandleMessage receives
// every message; OnFinalMessage runs when the window is gone (a window that
// deletes itself does it there).
#pragma once

#include <windows.h>

namespace DuiLib {

class CWindowWnd {
public:
    CWindowWnd() = default;
    // Destroys a window that is still alive (without calling back into the object).
    virtual ~CWindowWnd();
    CWindowWnd(const CWindowWnd&) = delete;
    CWindowWnd& operator=(const CWindowWnd&) = delete;

    HWND GetHWND() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }

    // Creates the window. Null when it cannot be created (a layout that does
    // not build also makes the creation fail; the reason is in the log).
    HWND Create(HWND hwndParent, LPCTSTR pstrName, DWORD dwStyle, DWORD dwExStyle, const RECT rc,
                HMENU hMenu = nullptr);
    HWND Create(HWND hwndParent, LPCTSTR pstrName, DWORD dwStyle, DWORD dwExStyle, int x = CW_USEDEFAULT,
                int y = CW_USEDEFAULT, int cx = CW_USEDEFAULT, int cy = CW_USEDEFAULT, HMENU hMenu = nullptr);
    // Shows (bShow) or hides; bTakeFocus activates it.
    void ShowWindow(bool bShow = true, bool bTakeFocus = true);
    // Runs a modal loop: the owner is disabled until the window closes (and
    // enabled again before the window goes, so it gets the activation back).
    // Returns the code given to Close. Messages of every window keep flowing.
    UINT ShowModal();
    // ShowModal the way dialogs open: moved to parking keeping its size (off
    // the screen, where a window that is not centred waits unseen), centred by
    // CenterForModal when center, brought to the top, then the loop. UI thread.
    UINT ShowModalFrom(POINT parking, bool center);
    // How many ShowModal loops are running (nested ones counted). UI thread.
    static int ModalDepth();
    // Asks every window in a running ShowModal to close with 0, innermost
    // first (posted: returns at once). UI thread.
    static void CloseModalWindows();
    // Asks the window to close (posted: returns at once).
    void Close(UINT nRet = IDOK);
    // Centres over the owner when it is visible and not minimised, otherwise on
    // the work area of the window's monitor; kept inside that work area.
    void CenterWindow();
    // Sets the window icon from a resource of the resource module.
    void SetIcon(UINT nRes);
    // Resizes the client area; -1 keeps that dimension.
    void ResizeClient(int cx = -1, int cy = -1);

    LRESULT SendMessage(UINT uMsg, WPARAM wParam = 0, LPARAM lParam = 0);
    LRESULT PostMessage(UINT uMsg, WPARAM wParam = 0, LPARAM lParam = 0);

protected:
    virtual LPCTSTR GetWindowClassName() const = 0;
    virtual LPCTSTR GetSuperClassName() const { return nullptr; }
    virtual UINT GetClassStyle() const { return CS_DBLCLKS; }
    virtual LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam);
    virtual void OnFinalMessage(HWND hWnd) {}
    // How ShowModalFrom centres the window: CenterWindow unless overridden.
    virtual void CenterForModal() { CenterWindow(); }

    bool RegisterWindowClass();
    static LRESULT CALLBACK __WndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);

    HWND m_hWnd = nullptr;
    // While ShowModal runs: where the close code goes (a local of ShowModal, so
    // it is safe even when the object deletes itself with its window).
    UINT* m_pModalResult = nullptr;
};

}  // namespace DuiLib
