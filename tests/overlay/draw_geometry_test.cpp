// The drawing board's geometry as tables: the active area, the arrow head by
// width, the rectangle cut at the region, the drawing toolbar's and its
// pop-ups' places.
#include <gtest/gtest.h>

#include <cmath>

#include "overlay/draw/draw_geometry.h"

namespace {

const RECT kRegion = {100, 100, 500, 400};

double Distance(POINT a, POINT b) { return std::hypot(a.x - b.x, a.y - b.y); }

}  // namespace

TEST(DrawGeometry, StrokesStartOnlyTenPixelsInsideTheRegion) {
    struct Case {
        POINT p;
        bool inside;
    } cases[] = {
        {{110, 110}, true},  {{109, 200}, false}, {{489, 389}, true},
        {{490, 200}, false}, {{300, 390}, false}, {{50, 50}, false},
    };
    for (const Case& c : cases) EXPECT_EQ(InDrawActiveArea(kRegion, c.p), c.inside) << c.p.x << "," << c.p.y;
}

TEST(DrawGeometry, ArrowBarbsAndShouldersByWidth) {
    struct Case {
        int width, barb, shoulder;
    } cases[] = {{1, 12, 10}, {2, 22, 20}, {5, 17, 14}, {10, 22, 19}, {15, 27, 24}};
    const RECT bounds = {0, 0, 1000, 1000};
    for (const Case& c : cases) {
        EXPECT_EQ(ArrowBarbLength(c.width), c.barb) << c.width;
        EXPECT_EQ(ArrowShoulderLength(c.width), c.shoulder) << c.width;
        ArrowPolygon arrow;
        const POINT tip = {500, 300};
        ASSERT_TRUE(MakeArrowPolygon(POINT{200, 300}, tip, c.width, bounds, &arrow));
        EXPECT_EQ(arrow[0].x, 200);
        EXPECT_EQ(arrow[3].x, tip.x);
        for (int i : {2, 4}) EXPECT_NEAR(Distance(arrow[i], tip), c.barb, 1.0) << "barb, width " << c.width;
        for (int i : {1, 5}) EXPECT_NEAR(Distance(arrow[i], tip), c.shoulder, 1.0) << "shoulder, width " << c.width;
        EXPECT_LT(arrow[2].x, tip.x) << "the barbs point back toward the start";
        EXPECT_NEAR(arrow[2].y, 2 * tip.y - arrow[4].y, 1) << "and are mirrored about the shaft";
    }
}

TEST(DrawGeometry, AClickWithTheArrowDrawsNothingAndEndsAreClampedFirst) {
    const RECT bounds = {100, 100, 500, 400};
    ArrowPolygon arrow;
    EXPECT_FALSE(MakeArrowPolygon(POINT{200, 200}, POINT{200, 200}, 5, bounds, &arrow));
    EXPECT_FALSE(MakeArrowPolygon(POINT{600, 200}, POINT{700, 200}, 5, bounds, &arrow))
        << "both ends clamp onto the same edge point";
    ASSERT_TRUE(MakeArrowPolygon(POINT{200, 200}, POINT{900, 200}, 5, bounds, &arrow));
    EXPECT_EQ(arrow[3].x, 500) << "the tip is held at the bounds";
}

TEST(DrawGeometry, TheRectangleIsCutAtTheRegionAndNeedsAnInsideStart) {
    struct Case {
        POINT first, last;
        bool drawn;
        RECT rc;
    } cases[] = {
        {{150, 150}, {300, 250}, true, {150, 150, 300, 250}},
        {{300, 250}, {150, 150}, true, {150, 150, 300, 250}},
        {{150, 150}, {800, 900}, true, {150, 150, 500, 400}},
        {{450, 350}, {0, 0}, true, {100, 100, 450, 350}},
        {{50, 150}, {300, 250}, false, {}},
        {{500, 150}, {300, 250}, false, {}},
    };
    for (const Case& c : cases) {
        RECT rc = {};
        ASSERT_EQ(ClipStrokeRect(c.first, c.last, kRegion, &rc), c.drawn) << c.first.x << "," << c.first.y;
        if (c.drawn)
            EXPECT_TRUE(EqualRect(&rc, &c.rc)) << rc.left << "," << rc.top << "," << rc.right << "," << rc.bottom;
    }
}

TEST(DrawGeometry, DrawToolbarAndPopupPlacement) {
    EXPECT_EQ(DrawbarPosition(kRegion, 1280).x, 510);
    EXPECT_EQ(DrawbarPosition(kRegion, 1280).y, 100);
    const RECT atRight = {800, 100, 1270, 400};
    EXPECT_EQ(DrawbarPosition(atRight, 1280).x, 1270 - 46) << "inside the region's right side";

    const RECT work = {0, 0, 1280, 760};
    struct Case {
        POINT at;
        int height;
        POINT want;
    } cases[] = {
        {{500, 300}, 118, {500, 300}}, {{-5, 300}, 118, {0, 300}},    {{1260, 300}, 118, {1228, 300}},
        {{500, -4}, 220, {500, 0}},    {{500, 700}, 118, {500, 642}}, {{500, 600}, 220, {500, 540}},
    };
    for (const Case& c : cases) {
        const POINT got = DrawPopupPosition(c.at, c.height, work);
        EXPECT_EQ(got.x, c.want.x) << c.at.x << "," << c.at.y;
        EXPECT_EQ(got.y, c.want.y) << c.at.x << "," << c.at.y;
    }
}
