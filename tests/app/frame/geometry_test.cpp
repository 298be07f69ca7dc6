// Where a point lies on the recorded region, the work area away from the taskbar,
// the drive the fallback output folder goes to, a picked area made usable and
// where the main window goes beside an area.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/region_edge.h"
#include "app/vistrel_frame.h"
#include "app/window_placement.h"
#include "app/work_area.h"
#include "tests/app/frame/frame_test_support.h"

namespace {
constexpr RECT kRegion = {100, 200, 500, 400};
constexpr int kMargin = 3;
}  // namespace

TEST(RegionEdge, HandlesByMarginWithStrictComparisons) {
    struct Case {
        int x, y, expected;
    } cases[] = {
        {100, 300, kSelLeft},     {102, 300, kSelLeft},        {98, 300, kSelLeft},
        {103, 300, kSelNone},     {97, 300, kSelNone},  // exactly m away: on no edge
        {300, 200, kSelTop},      {300, 197, kSelNone},        {300, 202, kSelTop},
        {500, 300, kSelRight},    {503, 300, kSelNone},        {497, 300, kSelNone},
        {300, 400, kSelBottom},   {300, 403, kSelNone},        {300, 398, kSelBottom},
        {100, 200, kSelTopLeft},  {102, 202, kSelTopLeft},     {103, 202, kSelNone},
        {500, 200, kSelTopRight}, {500, 400, kSelBottomRight}, {100, 400, kSelBottomLeft},
        {101, 203, kSelNone},  // on the left line, exactly m below the top: neither edge nor corner
        {100, 396, kSelLeft},     {100, 397, kSelNone},        {100, 398, kSelBottomLeft},
        {300, 300, kSelNone},     {50, 50, kSelNone},
    };
    for (const Case& c : cases) EXPECT_EQ(RegionEdgeAt(kRegion, kMargin, c.x, c.y), c.expected) << c.x << "," << c.y;
    EXPECT_EQ(RegionEdgeAt(kRegion, 10, 109, 300), kSelLeft) << "a wider margin";
    EXPECT_EQ(RegionEdgeAt(kRegion, 10, 110, 300), kSelNone);
}

TEST(RegionEdge, MoveSquareInTheMiddle) {
    // Side m + 42 = 45, centred: x from 277 to 321, y from 277 to 321.
    struct Case {
        RECT rect;
        int x, y;
        bool inside;
    } cases[] = {
        {kRegion, 300, 300, true},         {kRegion, 277, 277, true},
        {kRegion, 321, 321, true},         {kRegion, 276, 300, false},
        {kRegion, 322, 300, false},        {kRegion, 300, 276, false},
        {kRegion, 300, 322, false},        {{0, 0, 45, 45}, 22, 22, true},
        {{0, 0, 44, 400}, 22, 200, false},  // narrower than the square: no square
    };
    for (const Case& c : cases) EXPECT_EQ(IsInMoveSquare(c.rect, kMargin, c.x, c.y), c.inside) << c.x << "," << c.y;
}

TEST(RegionEdge, CursorsOfTheHandles) {
    const std::vector<std::pair<int, LPCWSTR>> cases = {
        {kSelLeft, IDC_SIZEWE},       {kSelRight, IDC_SIZEWE},        {kSelTop, IDC_SIZENS},
        {kSelBottom, IDC_SIZENS},     {kSelTopLeft, IDC_SIZENWSE},    {kSelBottomRight, IDC_SIZENWSE},
        {kSelTopRight, IDC_SIZENESW}, {kSelBottomLeft, IDC_SIZENESW}, {kSelMove, nullptr},
        {kSelNone, nullptr},
    };
    for (const auto& c : cases) EXPECT_EQ(CursorForHandle(c.first), c.second) << c.first;
}

TEST(WorkArea, MovedAwayFromTheTaskbarEdge) {
    const RECT desktop = {0, 0, 1280, 800};
    struct Case {
        RECT work, expected;
    } cases[] = {
        {{0, 0, 1280, 760}, {0, 0, 1280, 752}},    // taskbar at the bottom
        {{40, 0, 1280, 800}, {48, 0, 1280, 800}},  // left
        {{0, 40, 1280, 800}, {0, 48, 1280, 800}},  // top
        {{0, 0, 1240, 800}, {0, 0, 1232, 800}},    // right
        {{0, 0, 1280, 800}, {0, 0, 1280, 800}},    // no taskbar
        {{40, 0, 1280, 760}, {40, 0, 1280, 752}},  // the bottom is tested first
    };
    for (const Case& c : cases) {
        RECT got = InsetWorkArea(c.work, desktop);
        EXPECT_TRUE(EqualRect(&got, &c.expected))
            << got.left << "," << got.top << "," << got.right << "," << got.bottom;
    }
}

// The choice among drives is ChooseLargestDrive's (common tests); free space moves
// while other tests write, so only what the frame hands on is checked here.
TEST(Drives, TheLargestFreeDriveIsOneOfTheSystemsDriveRoots) {
    std::wstring chosen = CVistrelFrame::FindLargestFreeDrive();
    ASSERT_EQ(chosen.size(), 3u);
    EXPECT_EQ(chosen.substr(1), L":\\");
    ULARGE_INTEGER free = {};
    EXPECT_TRUE(GetDiskFreeSpaceExW(chosen.c_str(), &free, nullptr, nullptr));
    wchar_t list[512] = {};
    GetLogicalDriveStringsW(511, list);
    bool listed = false;
    for (const wchar_t* root = list; *root; root += wcslen(root) + 1) listed |= chosen == root;
    EXPECT_TRUE(listed);
}

TEST(FrameUtils, ListMembershipAndConversions) {
    const std::vector<std::string> devices = {"screen-capture-recorder", "virtual-audio-capturer"};
    EXPECT_TRUE(IsInAudioVec("virtual-audio-capturer", devices));
    EXPECT_FALSE(IsInAudioVec("virtual-audio", devices));
    EXPECT_FALSE(IsInAudioVec("", {}));
    EXPECT_EQ(CVistrelFrame::WideToMultiByte(L"显示器 1"), "\xCF\xD4\xCA\xBE\xC6\xF7 1");
    EXPECT_EQ(CVistrelFrame::MultiByteToWide("\xCF\xD4\xCA\xBE\xC6\xF7 1"), L"显示器 1");
    EXPECT_EQ(CVistrelFrame::MultiByteToWide(""), L"");
}

using frame_test::RectText;

TEST(PickedArea, AtLeast150SquareAndInsideTheDesktop) {
    const RECT desktop = {0, 0, 1280, 800};
    struct Case {
        RECT picked, expected;
    } cases[] = {
        {{100, 100, 500, 400}, {100, 100, 500, 400}},      // large enough: unchanged
        {{100, 100, 200, 200}, {100, 100, 250, 250}},      // grows right and down
        {{1180, 700, 1280, 800}, {1130, 650, 1280, 800}},  // at the edges: ends at them
        {{1200, 100, 1240, 600}, {1130, 100, 1280, 600}},  // only the width
        {{300, 760, 900, 790}, {300, 650, 900, 800}},      // only the height
        {{0, 0, 0, 0}, {0, 0, 150, 150}},                  // an empty pick
    };
    for (const Case& c : cases) {
        RECT area = EnlargePickedArea(c.picked, desktop);
        EXPECT_TRUE(EqualRect(&area, &c.expected)) << RectText(c.picked) << " -> " << RectText(area);
    }
}

TEST(WindowBesideArea, BelowAboveOrInsideTheArea) {
    const RECT desktop = {0, 0, 1280, 800};
    const SIZE window = {858, 300};
    struct Case {
        RECT area;
        int gap;
        POINT expected;
    } cases[] = {
        {{400, 100, 800, 300}, 20, {171, 320}},                                         // centred across, 20 below
        {{400, 100, 800, 300}, 10, {171, 310}}, {{400, 400, 800, 600}, 20, {171, 80}},  // no room below: 20 above
        {{0, 100, 1280, 700}, 20, {211, 420}},  // no room either side: below the middle
        {{0, 0, 1280, 800}, 10, {211, 410}},
    };
    for (const Case& c : cases) {
        POINT pt = PlaceBesideArea(c.area, window, desktop, c.gap);
        EXPECT_EQ(pt.x, c.expected.x) << RectText(c.area);
        EXPECT_EQ(pt.y, c.expected.y) << RectText(c.area);
    }
}

TEST(WindowAfterStop, OpenWindowKeptInsideTheWorkArea) {
    const RECT work = {0, 0, 1280, 770};
    const SIZE open = {858, 760};
    struct Case {
        POINT from;
        RECT expected;
    } cases[] = {
        {{100, 5}, {100, 5, 958, 765}},
        {{100, 250}, {100, 10, 958, 770}},  // moved up to end at the work area's bottom
        {{-40, 0}, {0, 0, 858, 760}},       // moved right to its left edge
        {{700, 0}, {422, 0, 1280, 760}},    // moved left to end at its right edge
    };
    for (const Case& c : cases) {
        RECT placed = PlaceOpenWindowInside(c.from, open, work);
        EXPECT_TRUE(EqualRect(&placed, &c.expected)) << c.from.x << "," << c.from.y << " -> " << RectText(placed);
    }
}
