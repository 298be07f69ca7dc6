// The real region frame under Wine with a compositor: made from the real skin
// over the screen, driven by SendInput through the Areaprobe hook as the main
// window drives it, read back from its painted buffer and from the screen, and
// clicked through with xdotool.
#include <windowsx.h>

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "areaprobe/areaprobe.h"
#include "common/record_globals.h"
#include "overlay/region/sel_area_wnd.h"
#include "tests/overlay/region_frame_support.h"
#include "tests/ui/ui_test_support.h"

bool operator==(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }
std::ostream& operator<<(std::ostream& os, const RECT& r) {
    return os << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")";
}

namespace {

using namespace frame_test;

constexpr DWORD kBorderArgb = 0xFF4EA4FD;  // RGB(78, 164, 253), opaque
constexpr COLORREF kBelowColor = RGB(40, 120, 60);
constexpr DWORD kWaitMs = 10000;
const RECT kRegion = {300, 200, 700, 500};
const RECT kBelowRect = {100, 100, 1100, 700};

RECT ScreenBounds() { return RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

// A frame that also keeps the presses reaching its own window (screen pixels).
class ObservedFrame : public CSelAreaWnd {
public:
    std::vector<POINT> presses;

protected:
    LRESULT OnLButtonDown(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override {
        POINT p = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ClientToScreen(m_hWnd, &p);
        presses.push_back(p);
        return CSelAreaWnd::OnLButtonDown(uMsg, wParam, lParam, bHandled);
    }
};

bool Holds(const std::vector<POINT>& points, POINT p) {
    for (POINT q : points)
        if (q.x == p.x && q.y == p.y) return true;
    return false;
}

// A pixel of the top-left and one of the bottom-right bracket of a region in
// client coordinates, on their innermost lines (inside the region, so on the
// window even for a region against its edges).
std::vector<POINT> BracketPoints(const RECT& r) {
    return {POINT{r.left + 20, r.top + 1}, POINT{r.right - 20, r.bottom - 1}};
}

bool BracketsPaintedAt(CSelAreaWnd& frame, const RECT& r) {
    for (POINT p : BracketPoints(r))
        if (FramePixel(frame, p.x, p.y) != kBorderArgb) return false;
    return true;
}

// The dash phase painted on one side, read over two periods well away from the
// corners: pixel k from the side's start is a dash when (k - phase) mod 6 < 4.
// -1 when the pixels show no phase.
int PaintedPhase(CSelAreaWnd& frame, const RECT& r, bool bottom) {
    for (int p = 0; p < 6; ++p) {
        bool match = true;
        for (int k = 60; k < 72 && match; ++k) {
            int x = bottom ? r.right - k : r.left + k;
            bool dash = FramePixel(frame, x, bottom ? r.bottom : r.top) == kBorderArgb;
            match = dash == ((k - p) % 6 < 4);
        }
        if (match) return p;
    }
    return -1;
}

void PaintOnce(CSelAreaWnd& frame) { RedrawWindow(frame.GetHWND(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); }

bool CloseTo(COLORREF want, DWORD got, int tolerance) {
    return std::abs(GetRValue(want) - ui_test::R(got)) <= tolerance &&
           std::abs(GetGValue(want) - ui_test::G(got)) <= tolerance &&
           std::abs(GetBValue(want) - ui_test::B(got)) <= tolerance;
}

// One frame over the whole screen for the suite, above a window to click through to.
class RegionFrame : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ui_test::EnsureTestSkin();
        below_ = new ClickTarget(kBelowRect, kBelowColor);
        main_ = new MainWindowStandIn;
        g_rcSnapwick = RECT{310, 210, 710, 510};
        frame_ = new ObservedFrame;
        frame_->CreateOver(main_->hwnd(), ScreenBounds());
        selAtCreation_ = frame_->GetSelRect();
    }

    static void TearDownTestSuite() {
        delete frame_;
        delete main_;
        delete below_;
    }

    void SetUp() override {
        ASSERT_NE(frame_->GetHWND(), nullptr);
        frame_->SetBorderAnimation(false);
        frame_->HideDragButton();
        Place(kRegion);
    }

    void TearDown() override { AreaprobeStop(); }

    // A new area, as the main window hands it over.
    static void Place(const RECT& r) {
        g_rcSnapwick = r;
        frame_->SetSelRect(r.left, r.top, r.right, r.bottom);
        ASSERT_TRUE(ui_test::PumpUntil([&] { return BracketsPaintedAt(*frame_, r); }, kWaitMs));
    }

    static DuiLib::CControlUI* Control(LPCTSTR name) {
        frame_->GetPaintManager()->UpdateLayout();
        return frame_->FindControl(name);
    }

    static ClickTarget* below_;
    static MainWindowStandIn* main_;
    static ObservedFrame* frame_;
    static RECT selAtCreation_;
};

ClickTarget* RegionFrame::below_ = nullptr;
MainWindowStandIn* RegionFrame::main_ = nullptr;
ObservedFrame* RegionFrame::frame_ = nullptr;
RECT RegionFrame::selAtCreation_ = {};

TEST_F(RegionFrame, CoversTheScreenBoundsWithTheSkinsControls) {
    HWND hwnd = frame_->GetHWND();
    wchar_t name[64] = {};
    GetClassNameW(hwnd, name, 64);
    EXPECT_STREQ(name, L"selarea_wnd");
    GetWindowTextW(hwnd, name, 64);
    EXPECT_STREQ(name, L"选择区域");
    RECT rc = {};
    GetWindowRect(hwnd, &rc);
    EXPECT_EQ(rc, ScreenBounds());
    EXPECT_EQ(GetWindow(hwnd, GW_OWNER), main_->hwnd());
    LONG_PTR ex = GetWindowLongPtrW(hwnd, GWL_EXSTYLE);
    EXPECT_TRUE(ex & WS_EX_LAYERED);
    EXPECT_TRUE(ex & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_POPUP);
    EXPECT_EQ(selAtCreation_, (RECT{310, 210, 710, 510})) << "g_rcSnapwick is read at creation";

    DuiLib::CControlUI* sel = Control(L"desktopselarea");
    DuiLib::CControlUI* drag = Control(L"btn_drag");
    DuiLib::CControlUI* size = Control(L"sel_size");
    ASSERT_TRUE(sel && drag && size);
    EXPECT_NE(sel->GetInterface(L"SelArea"), nullptr);
    EXPECT_NE(drag->GetInterface(L"DragBtn"), nullptr);
    EXPECT_NE(size->GetInterface(L"Label"), nullptr);
    EXPECT_FALSE(drag->IsVisible());
    EXPECT_FALSE(size->IsVisible());
    // Every point belongs to the client area: the frame never moves or sizes itself.
    POINT p = {640, 400};
    EXPECT_EQ(SendMessageW(hwnd, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y)), HTCLIENT);
}

TEST_F(RegionFrame, PaintsAnAlmostInvisibleFrameOpaqueDashesAndBracketsAndNothingElse) {
    enum Kind { kClear, kCatch, kBorder };
    struct Case {
        const char* what;
        POINT p;
        Kind kind;
    };
    const Case cases[] = {
        {"outside", {150, 150}, kClear},
        {"middle of the region", {500, 350}, kClear},
        {"two inside the top", {500, 202}, kClear},
        {"two outside the top", {500, 198}, kClear},
        {"two outside the left", {298, 350}, kClear},
        {"two outside the right", {702, 350}, kClear},
        {"two outside the bottom", {500, 502}, kClear},
        {"frame above the top", {500, 199}, kCatch},
        {"frame below the top", {500, 201}, kCatch},
        {"frame left of the left", {299, 350}, kCatch},
        {"frame right of the left", {301, 350}, kCatch},
        {"frame inside the right", {699, 350}, kCatch},
        {"frame outside the right", {701, 350}, kCatch},
        {"frame inside the bottom", {500, 499}, kCatch},
        {"frame outside the bottom", {500, 501}, kCatch},
        {"top-left bracket corner", {298, 198}, kBorder},
        {"top-left bracket arm end", {346, 198}, kBorder},
        {"past the top-left arm", {347, 198}, kClear},
        {"top-left bracket down arm end", {298, 246}, kBorder},
        {"past the down arm", {298, 247}, kClear},
        {"top-left bracket inner line", {301, 240}, kBorder},
        {"bottom-right bracket corner", {702, 502}, kBorder},
        {"bottom-right arm end", {654, 502}, kBorder},
        {"past the bottom-right arm", {653, 502}, kClear},
        {"bottom-right up arm end", {702, 454}, kBorder},
        {"past the up arm", {702, 453}, kClear},
    };
    for (const Case& c : cases) {
        DWORD px = FramePixel(*frame_, c.p.x, c.p.y);
        switch (c.kind) {
            case kClear: EXPECT_EQ(ui_test::A(px), 0) << c.what; break;
            case kCatch: EXPECT_EQ(ui_test::A(px), 1) << c.what; break;
            case kBorder: EXPECT_EQ(px, kBorderArgb) << c.what; break;
        }
    }
    // Along the top edge: dashes of four pixels over the frame, two of frame between.
    int dashes = 0, gaps = 0;
    for (int x = 360; x < 372; ++x) {
        DWORD px = FramePixel(*frame_, x, 200);
        dashes += px == kBorderArgb;
        gaps += ui_test::A(px) == 1;
    }
    EXPECT_EQ(dashes, 8);
    EXPECT_EQ(gaps, 4);

    // On the screen: the dashes as they are, the window below through the rest.
    EXPECT_EQ(ui_test::ScreenPixel(298, 198) & 0xFFFFFF, kBorderArgb & 0xFFFFFF);
    EXPECT_TRUE(CloseTo(kBelowColor, ui_test::ScreenPixel(500, 350), 0));
    EXPECT_TRUE(CloseTo(kBelowColor, ui_test::ScreenPixel(500, 201), 2)) << "alpha 1 is all but invisible";
}

TEST_F(RegionFrame, ClicksPassThroughTransparentPixelsOnly) {
    struct Case {
        const char* what;
        POINT p;
        bool frameTakesIt;
    };
    const Case cases[] = {
        {"frame pixel of alpha 1", {500, 201}, true},
        {"transparent middle of the region", {500, 350}, false},
        {"dashed border bracket", {298, 198}, true},
        {"transparent outside the region", {150, 150}, false},
        {"frame pixel of alpha 1 on the left", {299, 400}, true},
        {"transparent just inside the left", {303, 400}, false},
    };
    frame_->presses.clear();
    size_t belowBefore = below_->presses().size();
    for (const Case& c : cases) {
        // Under Wine, once the foreground frame has been clicked its window takes
        // every later click, transparent or not; the main window taking the
        // foreground back (as it does after each drag) keeps the clicks apart.
        SetForegroundWindow(main_->hwnd());
        ASSERT_TRUE(RunXdotool(L"mousemove " + std::to_wstring(c.p.x) + L" " + std::to_wstring(c.p.y) + L" click 1"));
        bool arrived = ui_test::PumpUntil(
            [&] { return Holds(c.frameTakesIt ? frame_->presses : below_->presses(), c.p); }, kWaitMs);
        EXPECT_TRUE(arrived) << c.what << ": the click did not reach "
                             << (c.frameTakesIt ? "the frame" : "the window below");
    }
    // Clicks arrive in order, so every click has been delivered by now: none went to both.
    for (const Case& c : cases) {
        const std::vector<POINT>& other = c.frameTakesIt ? below_->presses() : frame_->presses;
        EXPECT_FALSE(Holds(other, c.p)) << c.what << ": the click also reached the other window";
    }
    EXPECT_EQ(below_->presses().size() - belowBefore, 3u);
}

struct DragCase {
    const char* name;
    RECT start;
    POINT from, via, to;
    int aspect;
    RECT want;
    const wchar_t* sizeText;
    POINT labelAt;  // client pixels
};

std::ostream& operator<<(std::ostream& os, const DragCase& c) { return os << c.name; }

class RegionFrameDrag : public RegionFrame, public ::testing::WithParamInterface<DragCase> {};

// Real presses and moves reach the stand-in main window through the hook; the
// region, g_rcSnapwick, the label and the painted outline follow.
TEST_P(RegionFrameDrag, FollowsTheRealMouse) {
    const DragCase& c = GetParam();
    Place(c.start);
    main_->Drive(frame_, c.aspect);
    ASSERT_TRUE(main_->StartHook());
    ASSERT_TRUE(SendMoveTo(c.from));
    ASSERT_TRUE(main_->WaitHandled(WM_MOUSEMOVE, c.from));
    ASSERT_TRUE(SendLeftDown());
    ASSERT_TRUE(main_->WaitHandled(WM_LBUTTONDOWN, c.from));
    for (POINT p : {c.via, c.to}) {
        ASSERT_TRUE(SendMoveTo(p));
        ASSERT_TRUE(main_->WaitHandled(WM_MOUSEMOVE, p));
    }
    DuiLib::CControlUI* label = Control(L"sel_size");
    ASSERT_NE(label, nullptr);
    EXPECT_TRUE(label->IsVisible()) << "the size shows while the button is down";
    EXPECT_STREQ(label->GetText(), c.sizeText);
    EXPECT_EQ(label->GetPos().left, c.labelAt.x);
    EXPECT_EQ(label->GetPos().top, c.labelAt.y);
    ASSERT_TRUE(SendLeftUp());
    ASSERT_TRUE(main_->WaitHandled(WM_LBUTTONUP, c.to));

    EXPECT_EQ(g_rcSnapwick, c.want);
    EXPECT_EQ(frame_->GetSelRect(), c.want);
    EXPECT_FALSE(Control(L"sel_size")->IsVisible());
    EXPECT_TRUE(ui_test::PumpUntil([&] { return BracketsPaintedAt(*frame_, c.want); }, kWaitMs));
    std::vector<POINT> before = BracketPoints(c.start), after = BracketPoints(c.want);
    for (size_t i = 0; i < before.size(); ++i) {
        if (before[i].x == after[i].x && before[i].y == after[i].y) continue;
        EXPECT_NE(FramePixel(*frame_, before[i].x, before[i].y), kBorderArgb) << "the old bracket is gone";
    }
}

const DragCase kDrags[] = {
    {"left_edge",
     kRegion,
     {300, 350},
     {280, 350},
     {250, 360},
     kAspectFree,
     {250, 200, 700, 500},
     L"450 x 300",
     {252, 178}},
    {"bottom_right_corner",
     kRegion,
     {700, 500},
     {720, 520},
     {760, 540},
     kAspectFree,
     {300, 200, 760, 540},
     L"460 x 340",
     {302, 178}},
    {"move_square",
     kRegion,
     {500, 350},
     {520, 360},
     {540, 380},
     kAspectFree,
     {340, 230, 740, 530},
     L"400 x 300",
     {342, 208}},
    {"move_against_the_left_bound_keeps_the_size",
     {30, 200, 430, 500},
     {230, 350},
     {200, 350},
     {150, 350},
     kAspectFree,
     {0, 200, 400, 500},
     L"400 x 300",
     {2, 178}},
    {"top_edge_4x3_near_the_screen_top",
     {300, 60, 700, 360},
     {500, 60},
     {500, 40},
     {500, 10},
     kAspect4x3,
     {234, 10, 700, 360},
     L"466 x 350",
     {236, 12}},
};
INSTANTIATE_TEST_SUITE_P(Drags, RegionFrameDrag, ::testing::ValuesIn(kDrags),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(RegionFrame, DragButtonShowsInTheMiddleAndHidesOffTheRegion) {
    main_->Drive(frame_, kAspectFree);
    ASSERT_TRUE(main_->StartHook());
    const POINT inside = {420, 300}, outside = {150, 150};
    ASSERT_TRUE(SendMoveTo(inside));
    ASSERT_TRUE(main_->WaitHandled(WM_MOUSEMOVE, inside));
    DuiLib::CControlUI* drag = Control(L"btn_drag");
    ASSERT_NE(drag, nullptr);
    EXPECT_TRUE(drag->IsVisible());
    EXPECT_EQ(drag->GetPos(), (RECT{489, 339, 511, 361}));
    EXPECT_EQ(static_cast<CDragBtnUI*>(drag)->GetDestRect(), (RECT{489, 339, 511, 361}));
    ASSERT_TRUE(ui_test::PumpUntil([&] { return ui_test::A(FramePixel(*frame_, 500, 350)) > 0; }, kWaitMs))
        << "the button's image is painted";

    ASSERT_TRUE(SendMoveTo(outside));
    ASSERT_TRUE(main_->WaitHandled(WM_MOUSEMOVE, outside));
    EXPECT_FALSE(Control(L"btn_drag")->IsVisible());
    EXPECT_TRUE(ui_test::PumpUntil([&] { return ui_test::A(FramePixel(*frame_, 500, 350)) == 0; }, kWaitMs));
}

TEST_F(RegionFrame, DashesMarchClockwiseOnlyWhileAnimating) {
    ui_test::Pump(50);  // nothing else paints between the paints below
    const int start = PaintedPhase(*frame_, kRegion, false);
    ASSERT_GE(start, 0);
    EXPECT_EQ(PaintedPhase(*frame_, kRegion, true), start);
    for (int i = 0; i < 3; ++i) {
        PaintOnce(*frame_);
        EXPECT_EQ(PaintedPhase(*frame_, kRegion, false), start) << "still without the animation";
    }
    frame_->SetBorderAnimation(true);
    for (int i = 0; i <= 6; ++i) {
        PaintOnce(*frame_);
        int want = (start + i) % 6;
        EXPECT_EQ(PaintedPhase(*frame_, kRegion, false), want) << "top runs right, paint " << i;
        EXPECT_EQ(PaintedPhase(*frame_, kRegion, true), want) << "bottom runs left, paint " << i;
    }
    frame_->SetBorderAnimation(false);
}

// The dash phase on the screen's top side (the frame covers the screen from
// its origin), as PaintedPhase reads the buffer.
int ScreenPhase(const RECT& r) {
    for (int p = 0; p < 6; ++p) {
        bool match = true;
        for (int k = 60; k < 72 && match; ++k) {
            const DWORD c = ui_test::ScreenPixel(r.left + k, r.top);
            const bool dash = ui_test::R(c) == 78 && ui_test::G(c) == 164 && ui_test::B(c) == 253;
            match = dash == ((k - p) % 6 < 4);
        }
        if (match) return p;
    }
    return -1;
}

// The animation's step repaints the border alone: the dashes move on in the
// buffer and on screen, the brackets stay, and nothing inside or outside the
// region is painted again.
TEST_F(RegionFrame, ABorderStepRepaintsOnlyTheBorder) {
    ui_test::Pump(50);
    const int start = PaintedPhase(*frame_, kRegion, false);
    ASSERT_GE(start, 0);
    DuiLib::CPaintManagerUI* pm = frame_->GetPaintManager();
    DWORD* bits = reinterpret_cast<DWORD*>(const_cast<BYTE*>(pm->GetPaintOffscreenBits()));
    const LONG width = pm->GetPaintOffscreenSize().cx;
    DWORD* inside = bits + 350 * width + 500;
    DWORD* outside = bits + 100 * width + 150;
    *inside = *outside = 0x12345678;
    frame_->SetBorderAnimation(true);
    for (int i = 0; i <= 6; ++i) {  // each paint draws the phase, then moves it on
        const int want = (start + i) % 6;
        frame_->RepaintBorder();
        ASSERT_TRUE(ui_test::PumpUntil([&] { return PaintedPhase(*frame_, kRegion, false) == want; }, kWaitMs))
            << "step " << i;
        EXPECT_EQ(PaintedPhase(*frame_, kRegion, true), want) << "the bottom too, step " << i;
        EXPECT_TRUE(ui_test::PumpUntil([&] { return ScreenPhase(kRegion) == want; }, kWaitMs))
            << "on screen, step " << i;
    }
    EXPECT_EQ(*inside, 0x12345678u) << "the inside was not painted again";
    EXPECT_EQ(*outside, 0x12345678u) << "nor the outside";
    EXPECT_TRUE(BracketsPaintedAt(*frame_, kRegion));
    frame_->SetBorderAnimation(false);
    PaintOnce(*frame_);
    EXPECT_EQ(PaintedPhase(*frame_, kRegion, false), (start + 7) % 6) << "a whole paint goes on from the steps";
    EXPECT_NE(*inside, 0x12345678u);
}

// A hidden frame (a full-screen recording hides it) is not painted by the
// animation's steps; shown again it steps on.
TEST_F(RegionFrame, AHiddenFrameIsNotPaintedByTheBorderSteps) {
    DuiLib::CPaintManagerUI* pm = frame_->GetPaintManager();
    auto queueEmpty = [] { return GetQueueStatus(QS_ALLINPUT) == 0; };
    ui_test::PumpUntil(queueEmpty, kWaitMs);
    ::ShowWindow(frame_->GetHWND(), SW_HIDE);
    ui_test::PumpUntil(queueEmpty, kWaitMs);
    const UINT serial = pm->GetPaintSerial();
    frame_->SetBorderAnimation(true);
    for (int i = 0; i < 3; ++i) frame_->RepaintBorder();
    ui_test::PumpUntil(queueEmpty, kWaitMs);
    EXPECT_EQ(pm->GetPaintSerial(), serial);
    ::ShowWindow(frame_->GetHWND(), SW_SHOWNOACTIVATE);
    ui_test::PumpUntil(queueEmpty, kWaitMs);
    const UINT shown = pm->GetPaintSerial();
    frame_->RepaintBorder();
    EXPECT_TRUE(ui_test::PumpUntil([&] { return pm->GetPaintSerial() != shown; }, kWaitMs));
    frame_->SetBorderAnimation(false);
}

// A frame over part of the screen works in its own client coordinates and
// writes screen coordinates to g_rcSnapwick.
TEST(RegionFrameOffset, KeepsClientAndScreenCoordinatesApart) {
    ui_test::EnsureTestSkin();
    const RECT bounds = {200, 100, 1000, 700};
    g_rcSnapwick = RECT{400, 300, 700, 550};
    CSelAreaWnd frame;
    ASSERT_NE(frame.CreateOver(nullptr, bounds), nullptr);
    RECT rc = {};
    GetWindowRect(frame.GetHWND(), &rc);
    EXPECT_EQ(rc, bounds);
    EXPECT_EQ(frame.GetSelRect(), (RECT{200, 200, 500, 450}));
    EXPECT_TRUE(ui_test::PumpUntil([&] { return BracketsPaintedAt(frame, RECT{200, 200, 500, 450}); }, kWaitMs));
    EXPECT_EQ(frame.ToScreenCoords(RECT{0, 0, 10, 10}), (RECT{200, 100, 210, 110}));
    EXPECT_EQ(frame.ToClientCoords(RECT{200, 100, 210, 110}), (RECT{0, 0, 10, 10}));

    frame.OnSelMouse(kSelMove, WM_LBUTTONDOWN, 550, 425, kAspectFree);
    frame.GetPaintManager()->UpdateLayout();
    DuiLib::CControlUI* drag = frame.FindControl(L"btn_drag");
    ASSERT_NE(drag, nullptr);
    EXPECT_TRUE(drag->IsVisible());
    EXPECT_EQ(drag->GetPos(), (RECT{339, 314, 361, 336}));
    frame.OnSelMouse(kSelMove, WM_MOUSEMOVE, 600, 455, kAspectFree);
    EXPECT_EQ(g_rcSnapwick, (RECT{450, 330, 750, 580}));
    EXPECT_EQ(frame.GetSelRect(), (RECT{250, 230, 550, 480}));
    // Past the window's right edge the region stops there, not at the screen's.
    frame.OnSelMouse(kSelMove, WM_MOUSEMOVE, 900, 455, kAspectFree);
    EXPECT_EQ(g_rcSnapwick, (RECT{700, 330, 1000, 580}));
    frame.OnSelMouse(kSelMove, WM_LBUTTONUP, 900, 455, kAspectFree);
    EXPECT_TRUE(ui_test::PumpUntil([&] { return BracketsPaintedAt(frame, RECT{500, 230, 800, 480}); }, kWaitMs));
}

// The frame's own operations on a layout that lacks its controls.
class BareFrame : public CSelAreaWnd {
protected:
    DuiLib::CDuiString GetSkinFile() override { return L"<Window layered=\"true\"><VerticalLayout/></Window>"; }
};

TEST(RegionFrameWithoutControls, OperationsThatNeedThemDoNothing) {
    ui_test::EnsureTestSkin();
    g_rcSnapwick = RECT{300, 200, 700, 500};
    BareFrame frame;
    ASSERT_NE(frame.CreateOver(nullptr, RECT{0, 0, 400, 300}), nullptr);
    frame.SetSelRect(10, 10, 200, 200);
    frame.OnSelMouse(kSelMove, WM_LBUTTONDOWN, 500, 350, kAspectFree);
    frame.OnSelMouse(kSelMove, WM_MOUSEMOVE, 540, 390, kAspectFree);
    frame.HideDragButton();
    frame.SetBorderAnimation(true);
    EXPECT_EQ(g_rcSnapwick, (RECT{300, 200, 700, 500}));
    EXPECT_EQ(frame.GetSelRect(), (RECT{0, 0, 0, 0}));
}

class ExposedFrame : public CSelAreaWnd {
public:
    using CSelAreaWnd::CreateControl;
};

TEST(RegionFrameControls, MadeByTheirLayoutTags) {
    ExposedFrame frame;
    struct Case {
        LPCTSTR tag;
        LPCTSTR interfaceName;
    };
    for (Case c : {Case{L"SelArea", L"SelArea"}, Case{L"DragBtn", L"DragBtn"}}) {
        DuiLib::CControlUI* control = frame.CreateControl(c.tag);
        ASSERT_NE(control, nullptr) << ui_test::Narrow(c.tag);
        EXPECT_EQ(control->GetInterface(c.interfaceName), control);
        EXPECT_STREQ(control->GetClass(), c.interfaceName);
        delete control;
    }
    EXPECT_EQ(frame.CreateControl(L"Label"), nullptr);
    EXPECT_EQ(frame.CreateControl(L"SetSlider"), nullptr);
}

}  // namespace
