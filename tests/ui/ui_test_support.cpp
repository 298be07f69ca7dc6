#include "tests/ui/ui_test_support.h"

#include <cstdio>

#include <windowsx.h>

#include "common/text_convert.h"

namespace ui_test {

using namespace DuiLib;

void EnsureTestSkin() {
    static bool done = false;
    if (done) return;
    done = true;
    CPaintManagerUI::SetInstance(GetModuleHandleW(nullptr));
    CPaintManagerUI::SetResourceType(UILIB_ZIPRESOURCE);
    CPaintManagerUI::SetResourcePath(CPaintManagerUI::GetInstancePath() + L"skin\\");
    HINSTANCE module = CPaintManagerUI::GetResourceDll();
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(143), L"ZIP");
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    DWORD size = found ? SizeofResource(module, found) : 0;
    if (loaded && size > 0) CPaintManagerUI::SetResourceZip(LockResource(loaded), size);
    CResourceManager::GetInstance()->LoadResource(L"res.xml");
    UseQuietLayoutFailureNotice();
}

void UseQuietLayoutFailureNotice() {
    WindowImplBase::SetLayoutFailureNotice([](const wchar_t* text, const wchar_t* caption) {
        fprintf(stderr, "[%s] %s\n", Narrow(caption).c_str(), Narrow(text).c_str());
    });
}

void Pump(DWORD ms) {
    PumpUntil([] { return false; }, ms);
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!CPaintManagerUI::TranslateMessage(&msg)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
        }
        if (done()) return true;
        if (GetTickCount() - start >= timeoutMs) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}

std::string Narrow(const CDuiString& text) { return WideToUtf8(text.Str()); }

TestWindow::TestWindow(std::wstring layout, std::wstring className)
    : m_layout(std::move(layout)), m_className(std::move(className)) {
    EnsureTestSkin();
}

bool TestWindow::Open(int x, int y, DWORD exStyle, HWND owner) {
    if (!Create(owner, L"ui test", WS_POPUP, exStyle, x, y, 300, 200)) return false;
    ::ShowWindow(m_hWnd, SW_SHOWNOACTIVATE);
    UpdateWindow(m_hWnd);
    m_PaintManager.UpdateLayout();
    Pump(30);
    return true;
}

DWORD TestWindow::BufferPixel(int x, int y) {
    PaintNow();
    return Pixel(x, y);
}

void TestWindow::PaintNow() {
    m_PaintManager.UpdateLayout();
    m_PaintManager.Invalidate();
    if (m_PaintManager.IsLayered()) {
        Pump(30);
        return;
    }
    RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

DWORD TestWindow::Pixel(int x, int y) {
    SIZE size = m_PaintManager.GetPaintOffscreenSize();
    const BYTE* bits = m_PaintManager.GetPaintOffscreenBits();
    if (!bits || x < 0 || y < 0 || x >= size.cx || y >= size.cy) return 0;
    const BYTE* px = bits + (static_cast<size_t>(y) * size.cx + x) * 4;
    return (DWORD(px[3]) << 24) | (DWORD(px[2]) << 16) | (DWORD(px[1]) << 8) | px[0];
}

POINT TestWindow::Center(LPCTSTR name) {
    m_PaintManager.UpdateLayout();
    CControlUI* control = m_PaintManager.FindControl(name);
    if (!control) return POINT{-1, -1};
    RECT rc = control->GetPos();
    return POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}

CControlUI* TestWindow::CreateControl(LPCTSTR pstrClass) { return makeControl ? makeControl(pstrClass) : nullptr; }

void TestWindow::Notify(TNotifyUI& msg) {
    if (msg.sType != DUI_MSGTYPE_SETFOCUS && msg.sType != DUI_MSGTYPE_WINDOWINIT)
        log.push_back(Narrow(msg.sType) + ":" + (msg.pSender ? Narrow(msg.pSender->GetName()) : std::string()));
    WindowImplBase::Notify(msg);
}

void TestWindow::OnClick(TNotifyUI& msg) {
    std::string entry = "OnClick:" + Narrow(msg.pSender->GetName());
    if (auto* option = static_cast<COptionUI*>(msg.pSender->GetInterface(L"Option")))
        entry += option->IsSelected() ? "(selected)" : "(unselected)";
    log.push_back(entry);
}

LRESULT TestWindow::HandleCustomMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) {
    if (onMessage) return onMessage(uMsg, wParam, lParam, bHandled);
    bHandled = false;
    return 0;
}

void MoveTo(HWND hwnd, POINT pt, WPARAM keys) {
    PostMessageW(hwnd, WM_MOUSEMOVE, keys, MAKELPARAM(pt.x, pt.y));
    Pump(10);
}

void ClickAt(HWND hwnd, POINT pt, UINT down, UINT up, WPARAM keys) {
    MoveTo(hwnd, pt, keys);
    WPARAM button = down == WM_RBUTTONDOWN ? MK_RBUTTON : MK_LBUTTON;
    PostMessageW(hwnd, down, keys | button, MAKELPARAM(pt.x, pt.y));
    PostMessageW(hwnd, up, keys, MAKELPARAM(pt.x, pt.y));
    Pump(20);
}

void PostClick(HWND hwnd, POINT pt) {
    PostMessageW(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));
    PostMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    PostMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
}

void TypeText(HWND hwnd, const std::wstring& text) {
    for (wchar_t ch : text) PostMessageW(hwnd, WM_CHAR, ch, 1);
    Pump(20);
}

void PressKey(HWND hwnd, UINT vk) {
    PostMessageW(hwnd, WM_KEYDOWN, vk, 1);
    PostMessageW(hwnd, WM_KEYUP, vk, 0xC0000001);
    Pump(20);
}

DWORD ScreenPixel(int x, int y) {
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    BYTE* bits = nullptr;
    HBITMAP dib = CRenderEngine::CreateARGB32Bitmap(screen, 1, 1, &bits);
    HGDIOBJ old = SelectObject(mem, dib);
    BitBlt(mem, 0, 0, 1, 1, screen, x, y, SRCCOPY | CAPTUREBLT);
    GdiFlush();
    DWORD color = 0xFF000000 | (DWORD(bits[2]) << 16) | (DWORD(bits[1]) << 8) | bits[0];
    SelectObject(mem, old);
    DeleteObject(dib);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return color;
}

}  // namespace ui_test
