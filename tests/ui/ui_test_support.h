// Shared pieces of the UI library tests: the test skin (a ZIP resource of the
// test program), a window built from a layout that records what it is told,
// message pumping and pixel reading.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ui/duilib.h"

namespace ui_test {

// Points the library at the test skin (resource 143 of this program); once.
// Also makes a layout that fails to load say so on stderr instead of in a
// message box that would wait for a click.
void EnsureTestSkin();
void UseQuietLayoutFailureNotice();

// Dispatches messages for ms milliseconds.
void Pump(DWORD ms);
// Dispatches messages until done() or timeoutMs; returns done().
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 3000);

// A window built from a layout (a skin file, a res.xml id or XML text) that
// keeps "type:name" for every notification and "OnClick:name" for clicks.
class TestWindow : public DuiLib::WindowImplBase {
public:
    explicit TestWindow(std::wstring layout, std::wstring className = L"UiTestWindow");
    // Creates it at (x, y), shows it without taking the focus, lays it out.
    bool Open(int x = 100, int y = 100, DWORD exStyle = WS_EX_TOOLWINDOW, HWND owner = nullptr);
    DuiLib::CPaintManagerUI& Pm() { return m_PaintManager; }
    template <class T>
    T* Find(LPCTSTR name) {
        return static_cast<T*>(m_PaintManager.FindControl(name));
    }
    // Paints now and returns the ARGB of the double buffer at a client point.
    DWORD BufferPixel(int x, int y);
    // Paints the whole window into its buffer now; Pixel then reads it.
    void PaintNow();
    DWORD Pixel(int x, int y);
    // The centre of a control in client pixels.
    POINT Center(LPCTSTR name);

    std::vector<std::string> log;
    std::function<DuiLib::CControlUI*(LPCTSTR)> makeControl;
    std::function<LRESULT(UINT, WPARAM, LPARAM, bool&)> onMessage;

protected:
    LPCTSTR GetWindowClassName() const override { return m_className.c_str(); }
    DuiLib::CDuiString GetSkinFile() override { return DuiLib::CDuiString(m_layout); }
    DuiLib::CControlUI* CreateControl(LPCTSTR pstrClass) override;
    void Notify(DuiLib::TNotifyUI& msg) override;
    void OnClick(DuiLib::TNotifyUI& msg) override;
    LRESULT HandleCustomMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;

private:
    std::wstring m_layout;
    std::wstring m_className;
};

std::string Narrow(const DuiLib::CDuiString& text);

// Real mouse messages at a client point (move, press, release).
void ClickAt(HWND hwnd, POINT pt, UINT down = WM_LBUTTONDOWN, UINT up = WM_LBUTTONUP, WPARAM keys = 0);
void MoveTo(HWND hwnd, POINT pt, WPARAM keys = 0);
// The same click only posted, for a timer callback that runs inside a modal loop:
// the loop handles the three messages in order, before any later tick (a timer
// fires only when nothing posted waits). A pump there would run the next tick
// inside this one, whose click would come between this click's messages.
void PostClick(HWND hwnd, POINT pt);
// Typed characters as WM_CHAR, keys as WM_KEYDOWN/WM_KEYUP.
void TypeText(HWND hwnd, const std::wstring& text);
void PressKey(HWND hwnd, UINT vk);

// ARGB helpers.
inline int A(DWORD c) { return static_cast<int>(c >> 24); }
inline int R(DWORD c) { return static_cast<int>((c >> 16) & 0xFF); }
inline int G(DWORD c) { return static_cast<int>((c >> 8) & 0xFF); }
inline int B(DWORD c) { return static_cast<int>(c & 0xFF); }
// The colour of the screen at a point (what the compositor shows).
DWORD ScreenPixel(int x, int y);

}  // namespace ui_test
