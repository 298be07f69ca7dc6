// The region frame's geometry as tables: every handle, the 150-pixel floor,
// 4:3 and 16:9, clamping into the bounds, moves against each bound, mouse
// tracking, the drag button and the size label.
#include "overlay/region/sel_geometry.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace {

const RECT kBounds = {0, 0, 1280, 800};
const RECT kSel = {300, 200, 700, 500};   // 400 x 300, 4:3
const RECT kWide = {300, 200, 700, 425};  // 400 x 225, 16:9

}  // namespace

bool operator==(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }
std::ostream& operator<<(std::ostream& os, const RECT& r) {
    return os << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")";
}

namespace {

struct ResizeCase {
    std::string name;
    int handle;
    int dx, dy;
    RECT sel;
    int aspect;
    RECT want;
};

std::ostream& operator<<(std::ostream& os, const ResizeCase& c) { return os << c.name; }

class Resize : public ::testing::TestWithParam<ResizeCase> {};

TEST_P(Resize, GivesTheExpectedRegion) {
    const ResizeCase& c = GetParam();
    EXPECT_EQ(ResizeSelection(c.handle, c.dx, c.dy, c.sel, kBounds, c.aspect), c.want);
}

const ResizeCase kFreeCases[] = {
    {"left_out", kSelLeft, -40, 9, kSel, kAspectFree, {260, 200, 700, 500}},
    {"left_in_stops_150_from_right", kSelLeft, 300, 0, kSel, kAspectFree, {550, 200, 700, 500}},
    {"top_left", kSelTopLeft, -20, -10, kSel, kAspectFree, {280, 190, 700, 500}},
    {"top_left_floor_both", kSelTopLeft, 300, 200, kSel, kAspectFree, {550, 350, 700, 500}},
    {"top_up", kSelTop, 9, -30, kSel, kAspectFree, {300, 170, 700, 500}},
    {"top_down_floor", kSelTop, 0, 200, kSel, kAspectFree, {300, 350, 700, 500}},
    {"top_right", kSelTopRight, 20, -10, kSel, kAspectFree, {300, 190, 720, 500}},
    {"top_right_floor_both", kSelTopRight, -300, 200, kSel, kAspectFree, {300, 350, 450, 500}},
    {"right_out", kSelRight, 40, 9, kSel, kAspectFree, {300, 200, 740, 500}},
    {"right_in_floor", kSelRight, -300, 0, kSel, kAspectFree, {300, 200, 450, 500}},
    {"bottom_right", kSelBottomRight, 20, 10, kSel, kAspectFree, {300, 200, 720, 510}},
    {"bottom_right_floor_both", kSelBottomRight, -300, -200, kSel, kAspectFree, {300, 200, 450, 350}},
    {"bottom_down", kSelBottom, 9, 30, kSel, kAspectFree, {300, 200, 700, 530}},
    {"bottom_up_floor", kSelBottom, 0, -200, kSel, kAspectFree, {300, 200, 700, 350}},
    {"bottom_left", kSelBottomLeft, -20, 10, kSel, kAspectFree, {280, 200, 700, 510}},
    {"bottom_left_floor_both", kSelBottomLeft, 300, -200, kSel, kAspectFree, {550, 200, 700, 350}},
    {"move", kSelMove, 40, 30, kSel, kAspectFree, {340, 230, 740, 530}},
    {"move_has_no_floor", kSelMove, -10, -10, {300, 200, 340, 230}, kAspectFree, {290, 190, 330, 220}},
    {"edge_of_a_small_region_grows_it", kSelRight, 0, 0, {300, 200, 400, 300}, kAspectFree, {300, 200, 450, 350}},
    {"unknown_aspect_is_free", kSelRight, 40, 0, kSel, 7, {300, 200, 740, 500}},
    {"handle_0_changes_nothing", kSelNone, 40, 30, kSel, kAspectFree, kSel},
    {"handle_10_changes_nothing", 10, 40, 30, kSel, kAspectFree, kSel},
};
INSTANTIATE_TEST_SUITE_P(Free, Resize, ::testing::ValuesIn(kFreeCases),
                         [](const auto& info) { return info.param.name; });

// The ratio sets the other edge from the new size; divisions truncate.
const ResizeCase kRatioCases[] = {
    {"r4x3_right_400x300_by_40_gives_440x330", kSelRight, 40, 0, kSel, kAspect4x3, {300, 200, 740, 530}},
    {"r4x3_right_truncates", kSelRight, 1, 0, kSel, kAspect4x3, {300, 200, 701, 500}},
    {"r4x3_left_moves_top", kSelLeft, -40, 0, kSel, kAspect4x3, {260, 170, 700, 500}},
    {"r4x3_top_left_ignores_dy", kSelTopLeft, -40, 77, kSel, kAspect4x3, {260, 170, 700, 500}},
    {"r4x3_top_moves_left", kSelTop, 0, -30, kSel, kAspect4x3, {260, 170, 700, 500}},
    {"r4x3_top_right", kSelTopRight, 40, 77, kSel, kAspect4x3, {300, 170, 740, 500}},
    {"r4x3_bottom_right", kSelBottomRight, 40, -77, kSel, kAspect4x3, {300, 200, 740, 530}},
    {"r4x3_bottom_moves_right", kSelBottom, 0, 30, kSel, kAspect4x3, {300, 200, 740, 530}},
    {"r4x3_bottom_left", kSelBottomLeft, -40, 77, kSel, kAspect4x3, {260, 200, 700, 530}},
    {"r4x3_floor_breaks_the_ratio", kSelRight, -300, 0, kSel, kAspect4x3, {300, 200, 450, 350}},
    {"r4x3_move_ignores_the_ratio", kSelMove, 10, 20, kWide, kAspect4x3, {310, 220, 710, 445}},
    {"r16x9_right_truncates_247_5", kSelRight, 40, 0, kWide, kAspect16x9, {300, 200, 740, 447}},
    {"r16x9_left_moves_top", kSelLeft, -40, 0, kWide, kAspect16x9, {260, 178, 700, 425}},
    {"r16x9_top_moves_left", kSelTop, 0, -27, kWide, kAspect16x9, {252, 173, 700, 425}},
    {"r16x9_bottom_moves_right", kSelBottom, 0, 27, kWide, kAspect16x9, {300, 200, 748, 452}},
    {"r16x9_top_right", kSelTopRight, 40, 0, kWide, kAspect16x9, {300, 178, 740, 425}},
    {"r16x9_bottom_left", kSelBottomLeft, -40, 0, kWide, kAspect16x9, {260, 200, 700, 447}},
};
INSTANTIATE_TEST_SUITE_P(Ratio, Resize, ::testing::ValuesIn(kRatioCases),
                         [](const auto& info) { return info.param.name; });

// Right and bottom keep the size the region had before the step; a move keeps
// its size against every bound, the left and top ones included.
const ResizeCase kBoundCases[] = {
    {"left_edge_stops_at_bound", kSelLeft, -50, 0, {20, 200, 420, 500}, kAspectFree, {0, 200, 420, 500}},
    {"top_edge_stops_at_bound", kSelTop, 0, -50, {300, 20, 700, 320}, kAspectFree, {300, 0, 700, 320}},
    {"top_edge_reaching_bound_exactly", kSelTop, 0, -20, {300, 20, 700, 320}, kAspectFree, {300, 0, 700, 320}},
    {"right_edge_past_bound_keeps_width", kSelRight, 100, 0, {800, 200, 1200, 500}, kAspectFree, {880, 200, 1280, 500}},
    {"bottom_edge_past_bound_keeps_height",
     kSelBottom,
     0,
     150,
     {300, 400, 700, 700},
     kAspectFree,
     {300, 500, 700, 800}},
    {"corner_past_both_bounds", kSelBottomRight, 200, 200, {800, 400, 1200, 700}, kAspectFree, {880, 500, 1280, 800}},
    {"move_against_left_keeps_width", kSelMove, -50, 0, {20, 200, 420, 500}, kAspectFree, {0, 200, 400, 500}},
    {"move_against_top_keeps_height", kSelMove, 0, -50, {300, 20, 700, 320}, kAspectFree, {300, 0, 700, 300}},
    {"move_onto_top_exactly", kSelMove, 0, -20, {300, 20, 700, 320}, kAspectFree, {300, 0, 700, 300}},
    {"move_against_right_keeps_width", kSelMove, 100, 0, {800, 200, 1200, 500}, kAspectFree, {880, 200, 1280, 500}},
    {"move_against_bottom_keeps_height", kSelMove, 0, 150, {300, 400, 700, 700}, kAspectFree, {300, 500, 700, 800}},
    {"move_into_top_left_corner", kSelMove, -50, -50, {20, 20, 420, 320}, kAspectFree, {0, 0, 400, 300}},
    {"move_into_bottom_right_corner", kSelMove, 500, 500, {800, 400, 1200, 700}, kAspectFree, {880, 500, 1280, 800}},
    {"move_of_the_whole_screen_stays", kSelMove, 30, 40, kBounds, kAspectFree, kBounds},
};
INSTANTIATE_TEST_SUITE_P(Bounds, Resize, ::testing::ValuesIn(kBoundCases),
                         [](const auto& info) { return info.param.name; });

// Drives TrackSelMouse as the window does: its last point and selection carry over.
struct Drag {
    SelDrag drag;
    RECT sel;
    explicit Drag(RECT start) : sel(start) {}
    bool Event(int handle, UINT message, POINT p, int aspect = kAspectFree) {
        SelMouseStep step = TrackSelMouse(handle, message, p, drag, sel, kBounds, aspect);
        drag = step.drag;
        if (step.changed) sel = step.selection;
        return step.changed;
    }
};

TEST(TrackSelMouse, PressThenMovesDragByTheDistanceFromTheLastPoint) {
    Drag d(kSel);
    EXPECT_FALSE(d.Event(kSelLeft, WM_LBUTTONDOWN, {300, 350}));
    EXPECT_TRUE(d.drag.active);
    EXPECT_EQ(d.drag.last.x, 300);
    EXPECT_TRUE(d.Event(kSelLeft, WM_MOUSEMOVE, {280, 360}));
    EXPECT_TRUE(d.Event(kSelLeft, WM_MOUSEMOVE, {250, 340}));
    EXPECT_EQ(d.sel, (RECT{250, 200, 700, 500}));
    EXPECT_EQ(d.drag.last.x, 250);
    EXPECT_EQ(d.drag.last.y, 340);
    EXPECT_FALSE(d.Event(kSelLeft, WM_LBUTTONUP, {250, 340}));
    EXPECT_FALSE(d.drag.active);
    EXPECT_FALSE(d.Event(kSelLeft, WM_MOUSEMOVE, {200, 340})) << "released: moves drag nothing";
}

TEST(TrackSelMouse, RepeatedMovesAgainstTheLeftAndTopBoundsNeverShrinkTheRegion) {
    Drag d({30, 30, 430, 330});
    d.Event(kSelMove, WM_LBUTTONDOWN, {230, 180});
    for (int i = 1; i <= 6; ++i) {
        d.Event(kSelMove, WM_MOUSEMOVE, {230 - 20 * i, 180 - 20 * i});
        EXPECT_EQ(d.sel.right - d.sel.left, 400) << "step " << i;
        EXPECT_EQ(d.sel.bottom - d.sel.top, 300) << "step " << i;
    }
    EXPECT_EQ(d.sel, (RECT{0, 0, 400, 300}));
}

// The screen's top-left pixel is a point like any other: a press there starts a
// drag, and a drag that passes through it goes on.
TEST(TrackSelMouse, TheTopLeftPixelNeitherStartsNorStopsADragOfItsOwn) {
    struct Case {
        const char* name;
        RECT start;
        int handle;
        std::vector<POINT> moves;  // after a press at the first
        RECT want;
    };
    const Case cases[] = {
        {"press_at_the_origin", {0, 0, 400, 300}, kSelMove, {{0, 0}, {20, 10}}, {20, 10, 420, 310}},
        {"move_through_the_origin", {10, 10, 410, 310}, kSelMove, {{30, 30}, {0, 0}, {40, 50}}, {40, 50, 440, 350}},
        {"edge_dragged_into_the_corner", kSel, kSelTopLeft, {{300, 200}, {0, 0}, {100, 80}}, {100, 80, 700, 500}},
    };
    for (const Case& c : cases) {
        Drag d(c.start);
        d.Event(c.handle, WM_LBUTTONDOWN, c.moves.front());
        for (size_t i = 1; i < c.moves.size(); ++i) d.Event(c.handle, WM_MOUSEMOVE, c.moves[i]);
        EXPECT_EQ(d.sel, c.want) << c.name;
    }
}

TEST(TrackSelMouse, EventsThatDoNotDragLeaveTheRegionAlone) {
    const SelDrag none, dragging = {true, {300, 350}};
    struct Case {
        const char* name;
        int handle;
        UINT message;
        SelDrag drag;
        SelDrag want;
    };
    const Case cases[] = {
        {"handle_0_move_ends_the_drag", kSelNone, WM_MOUSEMOVE, dragging, none},
        {"handle_0_press_starts_none", kSelNone, WM_LBUTTONDOWN, none, none},
        {"move_without_a_press", kSelMove, WM_MOUSEMOVE, none, none},
        {"move_after_a_release", kSelMove, WM_MOUSEMOVE, {false, {300, 350}}, {false, {300, 350}}},
        {"move_with_handle_10", 10, WM_MOUSEMOVE, dragging, dragging},
        {"move_with_negative_handle", -1, WM_MOUSEMOVE, dragging, dragging},
        {"right_button", kSelMove, WM_RBUTTONDOWN, dragging, dragging},
        {"release", kSelMove, WM_LBUTTONUP, dragging, none},
    };
    for (const Case& c : cases) {
        SelMouseStep step = TrackSelMouse(c.handle, c.message, {400, 420}, c.drag, kSel, kBounds, kAspectFree);
        EXPECT_FALSE(step.changed) << c.name;
        EXPECT_EQ(step.selection, kSel) << c.name;
        EXPECT_EQ(step.drag.active, c.want.active) << c.name;
        if (c.want.active) {
            EXPECT_EQ(step.drag.last.x, c.want.last.x) << c.name;
        }
    }
}

TEST(TrackSelMouse, AspectIsPassedToTheResize) {
    Drag d(kSel);
    d.Event(kSelRight, WM_LBUTTONDOWN, {700, 350}, kAspect4x3);
    d.Event(kSelRight, WM_MOUSEMOVE, {740, 350}, kAspect4x3);
    EXPECT_EQ(d.sel, (RECT{300, 200, 740, 530}));
}

TEST(CenterRectIn, CentresOrGivesTheZeroRectangle) {
    struct Case {
        RECT in;
        int w, h;
        RECT want;
    };
    const Case cases[] = {
        {{0, 0, 100, 50}, 22, 22, {39, 14, 61, 36}},
        {{0, 0, 101, 51}, 22, 22, {39, 14, 61, 36}},
        {{10, 10, 32, 32}, 22, 22, {10, 10, 32, 32}},
        {{-100, -50, 0, 0}, 22, 22, {-61, -36, -39, -14}},
        {{300, 200, 700, 500}, 45, 45, {477, 327, 522, 372}},
        {{0, 0, 21, 100}, 22, 22, {0, 0, 0, 0}},
        {{0, 0, 100, 21}, 22, 22, {0, 0, 0, 0}},
        {{0, 0, 0, 0}, 22, 22, {0, 0, 0, 0}},
    };
    for (const Case& c : cases) EXPECT_EQ(CenterRectIn(c.in, c.w, c.h), c.want) << c.in;
}

TEST(PlaceDragButton, ShowsInTheMiddleOnTheRegionAndHidesOffIt) {
    const RECT middle = {489, 339, 511, 361};
    struct Case {
        const char* name;
        int handle;
        UINT message;
        POINT point;
        bool down;
        DragButtonAction want;
    };
    const Case cases[] = {
        {"move_square", kSelMove, WM_MOUSEMOVE, {500, 350}, false, DragButtonAction::kShow},
        {"inside_no_handle", kSelNone, WM_MOUSEMOVE, {400, 300}, false, DragButtonAction::kShow},
        {"release_in_the_middle", kSelMove, WM_LBUTTONUP, {500, 350}, false, DragButtonAction::kShow},
        {"edge_handle_keeps_it", kSelRight, WM_MOUSEMOVE, {690, 350}, false, DragButtonAction::kKeep},
        {"outside", kSelNone, WM_MOUSEMOVE, {100, 100}, false, DragButtonAction::kHide},
        {"within_3_of_the_edge", kSelNone, WM_MOUSEMOVE, {302, 350}, false, DragButtonAction::kHide},
        {"first_pixel_past_the_inset", kSelNone, WM_MOUSEMOVE, {303, 350}, false, DragButtonAction::kShow},
        {"inset_right_is_outside", kSelNone, WM_MOUSEMOVE, {697, 350}, false, DragButtonAction::kHide},
        {"inset_right_minus_1", kSelNone, WM_MOUSEMOVE, {696, 350}, false, DragButtonAction::kShow},
        {"dragging_near_the_edge_no_inset", kSelMove, WM_MOUSEMOVE, {301, 350}, true, DragButtonAction::kShow},
        {"pressing_near_the_edge_keeps_inset", kSelMove, WM_LBUTTONDOWN, {301, 350}, true, DragButtonAction::kHide},
    };
    for (const Case& c : cases) {
        DragButtonPlacement place = PlaceDragButton(c.handle, c.message, c.point, kSel, c.down);
        EXPECT_EQ(place.action, c.want) << c.name;
        if (c.want == DragButtonAction::kShow) {
            EXPECT_EQ(place.rect, middle) << c.name;
        }
    }
}

TEST(PlaceDragButton, ARegionSmallerThanTheButtonGivesTheZeroRectangle) {
    DragButtonPlacement place = PlaceDragButton(kSelMove, WM_MOUSEMOVE, {310, 310}, {300, 300, 320, 340}, false);
    EXPECT_EQ(place.action, DragButtonAction::kShow);
    EXPECT_EQ(place.rect, (RECT{0, 0, 0, 0}));
}

TEST(SizeLabel, ShowsWhileTheButtonIsDownOnAHandle) {
    EXPECT_TRUE(IsSizeLabelShown(kSelLeft, true));
    EXPECT_TRUE(IsSizeLabelShown(kSelMove, true));
    EXPECT_FALSE(IsSizeLabelShown(kSelNone, true));
    EXPECT_FALSE(IsSizeLabelShown(kSelMove, false));
}

TEST(SizeLabel, SitsAboveTheRegionOrInsideNearTheTop) {
    struct Case {
        RECT area;
        POINT want;
    };
    const Case cases[] = {
        {{300, 200, 700, 500}, {302, 178}},
        {{300, 22, 700, 500}, {302, 0}},
        {{300, 21, 700, 500}, {302, 23}},
        {{0, 0, 700, 500}, {2, 2}},
    };
    for (const Case& c : cases) {
        POINT at = SizeLabelOrigin(c.area);
        EXPECT_EQ(at.x, c.want.x) << c.area;
        EXPECT_EQ(at.y, c.want.y) << c.area;
    }
}

}  // namespace
