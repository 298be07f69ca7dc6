// Painting: images with source, dest, corner and hole, blending, layered
// windows (read back from the buffer and from the composited screen), text.
#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/ui/ui_test_support.h"

using namespace DuiLib;
using namespace ui_test;

namespace {

::testing::AssertionResult Near(DWORD got, int r, int g, int b, int tolerance = 3) {
    if (std::abs(R(got) - r) <= tolerance && std::abs(G(got) - g) <= tolerance && std::abs(B(got) - b) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "got rgb(" << R(got) << "," << G(got) << "," << B(got) << ") want rgb(" << r
                                         << "," << g << "," << b << ")";
}

// What the screen shows at (x, y) once it shows the colour, or after a generous
// wait: the compositor draws in its own time, whatever the machine's load.
::testing::AssertionResult ScreenShows(int x, int y, int r, int g, int b, int tolerance = 3) {
    PumpUntil([&] { return bool(Near(ScreenPixel(x, y), r, g, b, tolerance)); }, 10000);
    return Near(ScreenPixel(x, y), r, g, b, tolerance);
}

COLORREF WindowPixel(HWND hwnd, int x, int y) {
    HDC dc = GetDC(hwnd);
    COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(hwnd, dc);
    return c;
}

const wchar_t* kImages =
    LR"(<Window size="300,200"><VerticalLayout bkcolor="#FF000000">
  <Control name="nine" float="true" pos="0,0,100,60" bkimage="file='img/nine.png' corner='10,10,10,10'"/>
  <Control name="hole" float="true" pos="110,0,210,60" bkimage="file='img/nine.png' corner='10,10,10,10' hole='true'"/>
  <Control name="src" float="true" pos="0,70,40,110" bkimage="file='img/nine.png' source='20,0,30,10'"/>
  <Control name="dest" float="true" pos="50,70,110,130" bkcolor="#FF0000FF" bkimage="file='img/nine.png' source='10,10,20,20' dest='10,10,30,30'"/>
  <Control name="half" float="true" pos="120,70,140,90" bkcolor="#FFFFFFFF" bkimage="img\half.png"/>
  <Control name="missing" float="true" pos="150,70,170,90" bkcolor="#FF00FF00" bkimage="img/none.png"/>
</VerticalLayout></Window>)";

}  // namespace

TEST(Paint, NinePartImagesPaintTheExpectedPixels) {
    TestWindow w(kImages);
    ASSERT_TRUE(w.Open());
    struct Case {
        int x, y, r, g, b;
        const char* what;
    } cases[] = {
        {2, 2, 255, 0, 0, "top-left corner unscaled"},
        {97, 2, 0, 255, 0, "top-right corner"},
        {2, 57, 0, 0, 255, "bottom-left corner"},
        {97, 57, 255, 255, 0, "bottom-right corner"},
        {50, 2, 255, 0, 255, "top edge stretched"},
        {2, 30, 0, 255, 255, "left edge stretched"},
        {97, 30, 255, 128, 0, "right edge"},
        {50, 57, 0, 128, 0, "bottom edge"},
        {50, 30, 128, 128, 128, "middle stretched"},
        {160, 30, 0, 0, 0, "hole leaves the middle out"},
        {112, 2, 255, 0, 0, "hole keeps the corners"},
        {20, 90, 0, 255, 0, "source picks one part"},
        {65, 85, 128, 128, 128, "dest places the image"},
        {52, 72, 0, 0, 255, "outside dest the control shows"},
        {130, 80, 255, 127, 127, "alpha image blends"},
        {160, 80, 0, 255, 0, "a missing image paints nothing"},
    };
    for (const Case& c : cases) EXPECT_TRUE(Near(w.BufferPixel(c.x, c.y), c.r, c.g, c.b)) << c.what;
}

TEST(Paint, TheWindowShowsWhatTheBufferHolds) {
    TestWindow w(kImages);
    ASSERT_TRUE(w.Open(40, 40));
    SetWindowPos(w.GetHWND(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    w.BufferPixel(0, 0);
    PumpUntil([&] { return WindowPixel(w.GetHWND(), 2, 2) == RGB(255, 0, 0); }, 10000);
    EXPECT_EQ(WindowPixel(w.GetHWND(), 2, 2), RGB(255, 0, 0));
    EXPECT_EQ(WindowPixel(w.GetHWND(), 50, 30), RGB(128, 128, 128));
    EXPECT_TRUE(ScreenShows(40 + 97, 40 + 57, 255, 255, 0)) << "the composited screen";
}

TEST(Paint, LayeredWindowCarriesPerPixelAlpha) {
    TestWindow back(LR"(<Window size="120,120"><VerticalLayout bkcolor="#FFFFFFFF"/></Window>)", L"UiBackWindow");
    ASSERT_TRUE(back.Open(300, 300));
    TestWindow w(
        LR"(<Window size="100,100" layered="true"><VerticalLayout>
        <Control name="half" height="40" bkcolor="#80FF0000"/>
        <Control name="catch" height="20" bkcolor="#01000000"/>
        <Label name="text" height="40" text="字字字" textcolor="#FF000000"/>
      </VerticalLayout></Window>)");
    ASSERT_TRUE(w.Open(300, 300));
    SetWindowPos(w.GetHWND(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_TRUE(w.Pm().IsLayered());
    EXPECT_NE(GetWindowLongPtrW(w.GetHWND(), GWL_EXSTYLE) & WS_EX_LAYERED, 0);
    DWORD half = w.BufferPixel(10, 10);
    EXPECT_EQ(A(half), 0x80) << "premultiplied ARGB in the buffer";
    EXPECT_EQ(R(half), 0x80);
    EXPECT_EQ(A(w.BufferPixel(10, 50)), 1) << "an empty-looking area that catches the mouse";
    int inked = 0, clear = 0;
    w.PaintNow();
    for (int y = 60; y < 100; ++y)
        for (int x = 0; x < 100; ++x) (A(w.Pixel(x, y)) > 0 ? inked : clear)++;
    EXPECT_GT(inked, 20) << "text keeps its alpha in a layered buffer";
    EXPECT_GT(clear, 2000) << "around the text the window stays clear";
    EXPECT_TRUE(ScreenShows(310, 310, 255, 127, 127, 6)) << "blended over the white window below";
    w.Pm().SetLayeredOpacity(128);
    EXPECT_TRUE(ScreenShows(310, 310, 255, 191, 191, 8)) << "whole-window opacity on top";
}

// A window that pushes its own bitmap: repaint requests, resizes and WM_PAINT
// never paint the control tree over what the owner pushed.
TEST(Paint, LayeredWindowWhoseOwnerPaintsKeepsTheOwnersBitmap) {
    TestWindow back(LR"(<Window size="120,120"><VerticalLayout bkcolor="#FFFFFFFF"/></Window>)", L"UiBackWindow2");
    ASSERT_TRUE(back.Open(500, 300));
    TestWindow w(LR"(<Window size="100,100" layered="true"><VerticalLayout bkcolor="#FFFF0000"/></Window>)",
                 L"UiOwnerPaints");
    w.Pm().SetOwnerPaintsLayered(true);
    ASSERT_TRUE(w.Open(500, 300));
    SetWindowPos(w.GetHWND(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    // The owner's bitmap: opaque blue.
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    BITMAPINFO bi = {};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 100, -100, 1, 32, BI_RGB};
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, dib);
    for (int i = 0; i < 100 * 100; ++i) static_cast<DWORD*>(bits)[i] = 0xFF0000FF;
    RECT rc = {};
    GetWindowRect(w.GetHWND(), &rc);
    POINT dst = {rc.left, rc.top}, src = {0, 0};
    SIZE size = {100, 100};
    BLENDFUNCTION bf = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    ASSERT_TRUE(UpdateLayeredWindow(w.GetHWND(), screen, &dst, &size, mem, &src, 0, &bf, ULW_ALPHA));
    ASSERT_TRUE(ScreenShows(rc.left + 50, rc.top + 50, 0, 0, 255)) << "the owner's bitmap is shown";
    w.Pm().Invalidate();
    InvalidateRect(w.GetHWND(), nullptr, FALSE);
    SetWindowPos(w.GetHWND(), nullptr, 0, 0, 100, 100, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // Nothing to wait for when all is well: every paint the requests caused is
    // handled, then the compositor gets a moment to show a wrong one.
    PumpUntil([] { return GetQueueStatus(QS_ALLINPUT) == 0; }, 10000);
    Pump(150);
    EXPECT_TRUE(Near(ScreenPixel(rc.left + 50, rc.top + 50), 0, 0, 255))
        << "still the owner's blue, not the tree's red";
    SelectObject(mem, old);
    DeleteObject(dib);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    w.Pm().SetOwnerPaintsLayered(false);
    w.Pm().Invalidate();
    EXPECT_TRUE(ScreenShows(rc.left + 50, rc.top + 50, 255, 0, 0)) << "the tree paints again once switched back";
}

// Partial layered painting: a control's own invalidation repaints its
// rectangle in the kept buffer and on screen and nothing else; a whole
// invalidation, and every paint of a window without it, repaint it all.
TEST(Paint, LayeredWindowWithPartialPaintRepaintsOnlyWhatWasInvalidated) {
    const wchar_t* layout =
        LR"(<Window size="100,100" layered="true"><VerticalLayout>
        <Control name="a" float="true" pos="0,0,50,100" bkcolor="#FFFF0000"/>
        <Control name="b" float="true" pos="50,0,100,100" bkcolor="#FF0000FF"/>
      </VerticalLayout></Window>)";
    constexpr DWORD kMark = 0xFF00FF00;  // written into the buffer behind the tree's back
    auto mark = [](TestWindow& w) {
        *reinterpret_cast<DWORD*>(const_cast<BYTE*>(w.Pm().GetPaintOffscreenBits()) + (10 * 100 + 75) * 4) = kMark;
    };
    for (bool partial : {true, false}) {
        TestWindow w(layout, partial ? L"UiPartialPaint" : L"UiWholePaint");
        w.Pm().SetLayeredPartialPaint(partial);
        ASSERT_TRUE(w.Open(700, 300));
        SetWindowPos(w.GetHWND(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        ASSERT_TRUE(PumpUntil([] { return Near(ScreenPixel(775, 310), 0, 0, 255); })) << "painted once";
        mark(w);
        w.Find<CControlUI>(L"a")->SetBkColor(0xFFFFFF00);
        ASSERT_TRUE(PumpUntil([] { return Near(ScreenPixel(710, 310), 255, 255, 0); })) << "the change shows";
        if (!partial) {
            EXPECT_NE(w.Pixel(75, 10), kMark) << "without it every paint is a whole one";
            continue;
        }
        EXPECT_EQ(w.Pixel(75, 10), kMark) << "the other control was not painted again";
        EXPECT_TRUE(Near(ScreenPixel(775, 310), 0, 0, 255)) << "and the screen keeps it outside the dirty part";
        w.Pm().Invalidate();
        ASSERT_TRUE(PumpUntil([&] { return w.Pixel(75, 10) != kMark; })) << "a whole invalidation paints it all";
        EXPECT_TRUE(Near(w.Pixel(75, 10), 0, 0, 255));
        mark(w);
        SetWindowPos(w.GetHWND(), nullptr, 0, 0, 120, 100, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        EXPECT_TRUE(PumpUntil([&] { return w.Pm().GetPaintOffscreenSize().cx == 120 && w.Pixel(75, 10) != kMark; }))
            << "so does a new size";
    }
}

TEST(Paint, ShowcaseSkinFromTheZipRendersChineseText) {
    TestWindow w(L"XML_SHOWCASE", L"UiShowcase");
    ASSERT_TRUE(w.Open(200, 120, 0));
    auto* list = w.Find<CListUI>(L"files");
    ASSERT_NE(list, nullptr);
    const wchar_t* rows[][3] = {{L"20240105_101010.mp4", L"00:12:31", L"86.4MB"},
                                {L"产品演示 第二部分.mp4", L"00:03:05", L"21.7MB"},
                                {L"会议记录.flv", L"01:02:44", L"412.0MB"}};
    for (auto& r : rows) {
        auto* row = new CListTextElementUI;
        row->SetFixedHeight(26);
        list->Add(row);
        for (int c = 0; c < 3; ++c) row->SetText(c, r[c]);
    }
    list->SelectItem(1);
    w.Pm().UpdateLayout();
    RECT title = w.Find<CControlUI>(L"title_text")->GetPos();
    int white = 0;
    w.PaintNow();
    for (int y = title.top; y < title.bottom; ++y)
        for (int x = title.left; x < title.left + 140; ++x) {
            DWORD c = w.Pixel(x, y);
            if (R(c) > 200 && G(c) > 200 && B(c) > 200) ++white;
        }
    EXPECT_GT(white, 60) << "the title's Chinese glyphs are drawn";
    if (const char* hold = std::getenv("VISTREL_UI_SHOWCASE_MS")) Pump(static_cast<DWORD>(atoi(hold)));
}
