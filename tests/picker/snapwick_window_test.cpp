// The picker's window in this process from its real skin, read back from the
// screen with the compositor running: the mask dims all but the snapped window,
// the magnifier shows the pixels round the cursor four times larger inside its
// frame, on either side of the cursor.
#include <gtest/gtest.h>

#include <cstdlib>

#include "picker/layouts/snapwick_names.h"
#include "picker/snapwick_main.h"
#include "picker/snapwick_wnd.h"
#include "tests/picker/picker_test_support.h"
#include "tests/ui/ui_test_support.h"

using namespace DuiLib;
using namespace ui_test;

namespace {

bool Near(DWORD argb, COLORREF rgb, int tolerance = 3) {
    return std::abs(R(argb) - GetRValue(rgb)) <= tolerance && std::abs(G(argb) - GetGValue(rgb)) <= tolerance &&
           std::abs(B(argb) - GetBValue(rgb)) <= tolerance;
}

// The colour under the mask: 0x88 black over it.
COLORREF Dimmed(DWORD argb) {
    auto dim = [](int c) { return c * (255 - 0x88) / 255; };
    return RGB(dim(R(argb)), dim(G(argb)), dim(B(argb)));
}

class PickerWindow {
public:
    PickerWindow() {
        CPaintManagerUI::SetInstance(GetModuleHandleW(nullptr));
        skin = SnapwickSetupSkin();
        window = new CSnapwickWnd;
        hwnd = window->Create(nullptr, L"", WS_POPUP | WS_VISIBLE, 0, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                              CW_USEDEFAULT);
        UpdateWindow(hwnd);
        Pump(100);
    }
    ~PickerWindow() {
        if (IsWindow(hwnd)) DestroyWindow(hwnd);  // the window object goes with it
        MSG msg;
        PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    }
    // The cursor at p and the move the picker hears of it.
    void HoverAt(POINT p) {
        SetCursorPos(p.x, p.y);
        PostMessageW(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
        Pump(150);
        UpdateWindow(hwnd);
        Pump(100);
    }

    bool skin = false;
    CSnapwickWnd* window = nullptr;
    HWND hwnd = nullptr;
};

}  // namespace

TEST(SnapwickWindow, CoversTheDesktopWithEveryNamedControlOfItsLayout) {
    PickerWindow picker;
    ASSERT_TRUE(picker.skin) << "ZIP resource 102";
    ASSERT_NE(picker.hwnd, nullptr);
    RECT rc = {};
    GetWindowRect(picker.hwnd, &rc);
    EXPECT_TRUE(EqualRect(&rc, &picker.window->DesktopRect()));
    EXPECT_EQ(rc.right, GetSystemMetrics(SM_CXSCREEN));
    for (const LayoutName& entry : snapwick_names::kAll)
        EXPECT_NE(FindNamed<CControlUI>(*picker.window->GetPaintManager(), entry), nullptr) << Narrow(entry.name);
}

TEST(SnapwickWindow, TheMaskDimsAllButTheSnappedWindowAndTheLensMagnifiesFourTimes) {
    const RECT solid = {200, 150, 1000, 650};  // red to x 600, blue from it
    HWND target = OpenSolidWindow(solid);
    const DWORD outsideBefore = ScreenPixel(100, 100);
    PickerWindow picker;
    ASSERT_NE(picker.hwnd, nullptr);
    picker.HoverAt({600, 400});
    const RECT reply = picker.window->ReplyArea();
    EXPECT_TRUE(EqualRect(&reply, &solid))
        << reply.left << "," << reply.top << "," << reply.right << "," << reply.bottom;

    EXPECT_TRUE(Near(ScreenPixel(100, 100), Dimmed(outsideBefore))) << std::hex << ScreenPixel(100, 100);
    EXPECT_TRUE(Near(ScreenPixel(300, 300), kLeftColour)) << "the snapped window shows undimmed";
    EXPECT_TRUE(Near(ScreenPixel(900, 300), kRightColour));

    // The magnifier 23 pixels right of and below the cursor; its lens (130 wide,
    // 18 in) shows x 584 .. 616 of the desktop, so x 600 falls on its 64th pixel.
    ASSERT_TRUE(picker.window->IsMagnifierBelow());
    const RECT m = picker.window->MagnifierRect();
    EXPECT_EQ(m.left, 623);
    const int lensLeft = m.left + 18, lensMidY = m.top + 65;
    EXPECT_TRUE(Near(ScreenPixel(lensLeft + 60, lensMidY), kLeftColour))
        << std::hex << ScreenPixel(lensLeft + 60, lensMidY);
    EXPECT_TRUE(Near(ScreenPixel(lensLeft + 68, lensMidY), kRightColour))
        << std::hex << ScreenPixel(lensLeft + 68, lensMidY);
    EXPECT_TRUE(Near(ScreenPixel(lensLeft + 20, lensMidY), kLeftColour)) << "four times: x 589 is still red";
    const DWORD ring = ScreenPixel(lensLeft + 65, m.top + 1);
    EXPECT_GT(R(ring) + G(ring) + B(ring), 3 * 200) << "the white ring of the frame: " << std::hex << ring;

    // Near the bottom-right corner it stands above and left of the cursor, its
    // lens 30 pixels down inside it and the label band on top.
    picker.HoverAt({1200, 700});
    const RECT above = picker.window->MagnifierRect();
    EXPECT_FALSE(picker.window->IsMagnifierBelow());
    EXPECT_EQ(above.left, 1200 - 185);
    const DWORD ringAbove = ScreenPixel(above.left + 18 + 65, above.top + 30 + 1);
    EXPECT_GT(R(ringAbove) + G(ringAbove) + B(ringAbove), 3 * 200) << std::hex << ringAbove;
    DestroyWindow(target);
}
