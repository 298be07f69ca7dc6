// The outline's lines: the frame, the dashes at each phase (clockwise steps,
// the period of six, the paint-area clamp) and the corner brackets.
#include "overlay/region/sel_outline.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ostream>
#include <vector>

std::ostream& operator<<(std::ostream& os, const LineSeg& s) {
    return os << "(" << s.x1 << "," << s.y1 << ")-(" << s.x2 << "," << s.y2 << ")";
}

namespace {

const RECT kSmall = {10, 20, 30, 40};

TEST(FrameLines, RunAlongTheFourSides) {
    const std::vector<LineSeg> want = {{10, 20, 30, 20}, {10, 20, 10, 40}, {30, 20, 30, 40}, {10, 40, 30, 40}};
    EXPECT_EQ(FrameLines(kSmall), want);
}

TEST(DashSegments, RunClockwiseThreeOnThreeOff) {
    const std::vector<LineSeg> want = {
        // top, left to right; the last dash stops at the corner
        {10, 20, 13, 20},
        {16, 20, 19, 20},
        {22, 20, 25, 20},
        {28, 20, 30, 20},
        // right, top to bottom
        {30, 20, 30, 23},
        {30, 26, 30, 29},
        {30, 32, 30, 35},
        {30, 38, 30, 40},
        // bottom, right to left
        {30, 40, 27, 40},
        {24, 40, 21, 40},
        {18, 40, 15, 40},
        {12, 40, 10, 40},
        // left, bottom to top
        {10, 40, 10, 37},
        {10, 34, 10, 31},
        {10, 28, 10, 25},
        {10, 22, 10, 20},
    };
    EXPECT_EQ(DashSegments(kSmall, 0, 100, 100), want);
}

// The first dash of each side at phase p starts p pixels further clockwise
// (corner pieces of a single pixel aside).
TEST(DashSegments, EachPhaseMovesTheDashesOnePixelClockwise) {
    const RECT sel = {100, 100, 400, 300};
    for (int p = 0; p < 6; ++p) {
        std::vector<LineSeg> segs = DashSegments(sel, p, 1000, 1000);
        ASSERT_FALSE(segs.empty());
        auto firstOn = [&](auto onSide) {
            for (const LineSeg& s : segs)
                if (onSide(s)) return s;
            return LineSeg{-1, -1, -1, -1};
        };
        EXPECT_EQ(firstOn([](const LineSeg& s) { return s.y1 == 100 && s.y2 == 100 && s.x2 > s.x1; }).x1, 100 + p) << p;
        EXPECT_EQ(firstOn([](const LineSeg& s) { return s.x1 == 400 && s.x2 == 400 && s.y2 > s.y1; }).y1, 100 + p) << p;
        EXPECT_EQ(firstOn([](const LineSeg& s) { return s.y1 == 300 && s.y2 == 300 && s.x2 < s.x1; }).x1, 400 - p) << p;
        EXPECT_EQ(firstOn([](const LineSeg& s) { return s.x1 == 100 && s.x2 == 100 && s.y2 < s.y1; }).y1, 300 - p) << p;
    }
}

TEST(DashSegments, SixStepsBringThePatternBack) {
    int phase = 0;
    std::vector<int> seen;
    for (int i = 0; i < 6; ++i) {
        seen.push_back(phase);
        phase = NextDashPhase(phase);
    }
    EXPECT_EQ(seen, (std::vector<int>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(phase, 0);
}

TEST(DashSegments, RightAndBottomStayInsideThePaintArea) {
    const RECT screen = {0, 0, 1280, 800};
    for (const LineSeg& s : DashSegments(screen, 3, 1280, 800)) {
        EXPECT_LE(s.x1, 1279) << s;
        EXPECT_LE(s.x2, 1279) << s;
        EXPECT_LE(s.y1, 799) << s;
        EXPECT_LE(s.y2, 799) << s;
    }
    std::vector<LineSeg> segs = DashSegments(screen, 0, 1280, 800);
    bool rightSide = false, bottomSide = false;
    for (const LineSeg& s : segs) {
        rightSide |= s.x1 == 1279 && s.x2 == 1279;
        bottomSide |= s.y1 == 799 && s.y2 == 799;
    }
    EXPECT_TRUE(rightSide);
    EXPECT_TRUE(bottomSide);
}

TEST(DashSegments, ADegenerateRegionStillEnds) {
    EXPECT_LE(DashSegments(RECT{0, 0, 0, 0}, 0, 100, 100).size(), 4u);
    EXPECT_TRUE(DashSegments(RECT{50, 50, 10, 10}, 2, 100, 100).empty());
}

TEST(BracketLines, FourPixelThickArmsOutsideTheInsetCorners) {
    const RECT sel = {100, 100, 400, 300};
    std::vector<LineSeg> lines = BracketLines(sel);
    ASSERT_EQ(lines.size(), 32u);
    // i = 3 first: the outermost line of each arm.
    const std::vector<LineSeg> outermost = {
        {98, 98, 146, 98},    {98, 98, 98, 146},     // top-left
        {354, 98, 402, 98},   {402, 98, 402, 146},   // top-right
        {402, 254, 402, 302}, {354, 302, 402, 302},  // bottom-right
        {98, 302, 146, 302},  {98, 254, 98, 302},    // bottom-left
    };
    EXPECT_EQ(std::vector<LineSeg>(lines.begin(), lines.begin() + 8), outermost);
    // i = 0 last: on the selection inset by one pixel.
    EXPECT_EQ(lines[24], (LineSeg{98, 101, 146, 101}));
    EXPECT_EQ(lines[29], (LineSeg{354, 299, 402, 299}));
    for (const LineSeg& s : lines) EXPECT_EQ(std::abs(s.x2 - s.x1) + std::abs(s.y2 - s.y1), 48) << s;
}

}  // namespace
