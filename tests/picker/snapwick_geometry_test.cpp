// The picker's geometry as tables: drags and snapped windows as insets, the
// reply made even inside the desktop, the magnifier's side of the cursor, the
// labels, and the handle squares of the selection frame as it paints them.
#include <gtest/gtest.h>

#include "picker/canvas_ui.h"
#include "picker/snapwick_geometry.h"

namespace {

const RECT kDesktop = {0, 0, 1280, 800};
const SIZE kDesktopSize = {1280, 800};

bool Same(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }

}  // namespace

TEST(SnapwickGeometry, DragsInEitherDirectionGiveOneSelectionHeldToTheDesktop) {
    const RECT forward = SelectionClientRect(DragInsets({100, 150}, {500, 450}, kDesktopSize), kDesktopSize);
    const RECT backward = SelectionClientRect(DragInsets({500, 450}, {100, 150}, kDesktopSize), kDesktopSize);
    EXPECT_TRUE(Same(forward, {100, 150, 500, 450}));
    EXPECT_TRUE(Same(backward, forward));
    const SelInsets out = DragInsets({1200, 700}, {1400, -30}, kDesktopSize);
    EXPECT_EQ(out.top, 0) << "dragged above the window";
    EXPECT_EQ(out.right, 0) << "and past its right edge";
    EXPECT_EQ(out.left, 1200);
}

TEST(SnapwickGeometry, AWindowPartlyOffTheDesktopSnapsToItsPartOnIt) {
    const SelInsets in = WindowInsets({-50, 700, 300, 900}, kDesktop);
    EXPECT_TRUE(Same(ReplyRect(in, kDesktop), {0, 700, 300, 800}));
    const RECT shifted = {-1280, 0, 0, 800};  // a desktop left of the primary monitor
    EXPECT_TRUE(Same(ReplyRect(WindowInsets({-1000, 10, -600, 110}, shifted), shifted), {-1000, 10, -600, 110}));
}

TEST(SnapwickGeometry, TheReplyIsEvenAndNeverLeavesTheDesktop) {
    const struct {
        RECT selection;
        RECT reply;
        const char* what;
    } cases[] = {
        {{200, 150, 1001, 451}, {200, 150, 1002, 452}, "801 x 301 grows to 802 x 302"},
        {{400, 200, 1280, 800}, {400, 200, 1280, 800}, "even: unchanged"},
        {{479, 99, 1280, 800}, {478, 98, 1280, 800}, "odd at the right and bottom edges: grows back"},
        {{0, 0, 1279, 800}, {0, 0, 1280, 800}, "grows right while it may"},
    };
    for (const auto& c : cases) {
        const RECT reply = ReplyRect(WindowInsets(c.selection, kDesktop), kDesktop);
        EXPECT_TRUE(Same(reply, c.reply)) << c.what;
    }
    const RECT oddDesktop = {0, 0, 1279, 799};
    const RECT whole = ReplyRect(WindowInsets(oddDesktop, oddDesktop), oddDesktop);
    EXPECT_TRUE(Same(whole, {0, 0, 1278, 798})) << "a whole odd desktop shrinks rather than leaves it";
}

TEST(SnapwickGeometry, TheMagnifierJumpsToTheOtherSideNearTheRightAndBottomEdges) {
    const MagnifierPlace middle = PlaceMagnifierAt({400, 300}, kDesktopSize);
    EXPECT_TRUE(Same(middle.rect, {423, 323, 585, 485}));
    EXPECT_TRUE(middle.below);
    const MagnifierPlace corner = PlaceMagnifierAt({1200, 700}, kDesktopSize);
    EXPECT_TRUE(Same(corner.rect, {1015, 515, 1177, 677}));
    EXPECT_FALSE(corner.below);
    EXPECT_TRUE(Same(LensLabelRect(middle), {465, 457, 549, 477}));
    EXPECT_TRUE(Same(LensLabelRect(corner), {1057, 394, 1141, 669})) << "centred text above the lens";
}

TEST(SnapwickGeometry, TheSizeLabelSitsAboveTheSelectionOrInsideAtTheTop) {
    const SelInsets in = WindowInsets({100, 50, 400, 250}, kDesktop);
    EXPECT_TRUE(Same(SizeLabelRect(in, kDesktopSize), {100, 30, 178, 50}));
    const SelInsets top = WindowInsets({1250, 10, 1280, 40}, kDesktop);
    EXPECT_TRUE(Same(SizeLabelRect(top, kDesktopSize), {1202, 10, 1280, 30}));
    wchar_t text[32];
    SizeLabelText(in, kDesktopSize, text, 32);
    EXPECT_STREQ(text, L"300 x 200");
}

TEST(CanvasContainer, HandleSquaresSitAtTheCornersAndEdgeMiddles) {
    const RECT pos = {100, 100, 301, 201};
    const RECT expected[kHandleZones] = {
        {100, 100, 108, 108}, {196, 100, 204, 108}, {293, 100, 301, 108}, {100, 146, 108, 154}, {0, 0, 0, 0},
        {293, 146, 301, 154}, {100, 193, 108, 201}, {196, 193, 204, 201}, {293, 193, 301, 201},
    };
    for (int zone = 0; zone < kHandleZones; ++zone)
        EXPECT_TRUE(Same(HandleSquare(pos, 4, zone), expected[zone])) << zone;
}

// The frame as it paints: eight squares and the outline in the border colour,
// nothing in the middle of the selection or outside the frame.
TEST(CanvasContainer, PaintsEightSquaresAndTheOutlineButNothingInTheMiddle) {
    constexpr DWORD kBorder = 0xFF4EA4FD;
    CCanvasContainerUI frame;
    frame.SetAttribute(L"inset", L"4,4,4,4");
    frame.SetAttribute(L"bordercolor", L"#FF4EA4FD");
    frame.SetAttribute(L"bordersize", L"1");
    frame.SetPos({100, 100, 301, 201}, false);

    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 400, -300, 1, 32, BI_RGB};
    DWORD* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
    ASSERT_NE(bitmap, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    frame.PaintBorder(dc);
    GdiFlush();
    auto painted = [&](int x, int y) { return (bits[y * 400 + x] & 0xFFFFFF) == (kBorder & 0xFFFFFF); };

    const struct {
        POINT at;
        bool painted;
        const char* what;
    } probes[] = {
        {{103, 103}, true, "top-left square"},     {{200, 104}, true, "top square"},
        {{297, 104}, true, "top-right square"},    {{104, 150}, true, "left square"},
        {{296, 150}, true, "right square"},        {{103, 197}, true, "bottom-left square"},
        {{200, 196}, true, "bottom square"},       {{297, 197}, true, "bottom-right square"},
        {{130, 104}, true, "the outline's top"},   {{104, 125}, true, "the outline's left"},
        {{200, 150}, false, "the middle"},         {{197, 147}, false, "the middle zone's square"},
        {{130, 150}, false, "inside the outline"}, {{130, 102}, false, "between the squares, outside the outline"},
        {{99, 150}, false, "outside the frame"},   {{301, 150}, false, "right of the frame"},
    };
    for (const auto& p : probes) EXPECT_EQ(painted(p.at.x, p.at.y), p.painted) << p.what;
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bitmap);
}
