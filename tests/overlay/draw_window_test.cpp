// The drawing board, the drawing toolbar and the spotlight as real windows
// under Wine with the compositor: strokes drawn with SendInput read back from
// the screen, the white board, text typed into a text box, the toolbar's
// buttons and what they post, and the spotlight's dark surround following the
// cursor.
#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "common/record_globals.h"
#include "overlay/draw/draw_board_wnd.h"
#include "overlay/draw/draw_messages.h"
#include "overlay/draw/drawbar_wnd.h"
#include "overlay/spotlight/spotlight_bands.h"
#include "overlay/spotlight/spotlight_wnd.h"
#include "tests/overlay/region_frame_support.h"
#include "tests/ui/ui_test_support.h"

namespace {

using namespace frame_test;
using ui_test::A;
using ui_test::B;
using ui_test::G;
using ui_test::Pump;
using ui_test::PumpUntil;
using ui_test::R;
using ui_test::ScreenPixel;

const RECT kRegion = {200, 150, 800, 550};
constexpr COLORREF kBelow = RGB(40, 120, 60);

bool IsRed(DWORD c) { return R(c) > 200 && G(c) < 60 && B(c) < 60; }
bool IsWhite(DWORD c) { return R(c) > 240 && G(c) > 240 && B(c) > 240; }
bool IsBelow(DWORD c) { return R(c) == 40 && G(c) == 120 && B(c) == 60; }

// The mouse and key messages this thread has taken from its queue: input is
// waited for until the window it went to has had it, never for a fixed time.
struct InputSeen {
    static std::vector<MSG>& Log() {
        static std::vector<MSG> log;
        return log;
    }
    static LRESULT CALLBACK Hook(int code, WPARAM removed, LPARAM lParam) {
        if (code == HC_ACTION && removed == PM_REMOVE) Log().push_back(*reinterpret_cast<const MSG*>(lParam));
        return CallNextHookEx(nullptr, code, removed, lParam);
    }
    static void Install() {
        static HHOOK hook = SetWindowsHookExW(WH_GETMESSAGE, Hook, nullptr, GetCurrentThreadId());
        (void)hook;
    }
    // Pumps until a message of one of the kinds, taken after `from`, passes `match`.
    static bool WaitFor(size_t from, std::initializer_list<UINT> kinds,
                        const std::function<bool(const MSG&)>& match = nullptr) {
        return PumpUntil([&] {
            for (size_t i = from; i < Log().size(); ++i)
                for (UINT kind : kinds)
                    if (Log()[i].message == kind && (!match || match(Log()[i]))) return true;
            return false;
        });
    }
};

// A move to p, handed to the window under it.
void MoveTo(POINT p) {
    POINT now = {};
    GetCursorPos(&now);
    if (now.x == p.x && now.y == p.y) return;
    const size_t from = InputSeen::Log().size();
    ASSERT_TRUE(SendMoveTo(p));
    EXPECT_TRUE(InputSeen::WaitFor(from, {WM_MOUSEMOVE, WM_NCMOUSEMOVE},
                                   [p](const MSG& m) { return m.pt.x == p.x && m.pt.y == p.y; }))
        << "the move to " << p.x << "," << p.y;
}

// A button pressed or released; a press soon after one at the same place
// arrives as a double click.
void Button(DWORD flags, UINT message) {
    const size_t from = InputSeen::Log().size();
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flags;
    ASSERT_EQ(SendInput(1, &in, sizeof(INPUT)), 1u);
    const UINT nc = message - WM_LBUTTONDOWN + WM_NCLBUTTONDOWN;
    const bool press = message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN;
    EXPECT_TRUE(press ? InputSeen::WaitFor(from, {message, nc, message + 2, nc + 2})
                      : InputSeen::WaitFor(from, {message, nc}))
        << "button message " << message;
}

// A drag with the left button through points, screen pixels.
void Drag(const std::vector<POINT>& points) {
    MoveTo(points.front());
    Button(MOUSEEVENTF_LEFTDOWN, WM_LBUTTONDOWN);
    for (size_t i = 1; i < points.size(); ++i) MoveTo(points[i]);
    Button(MOUSEEVENTF_LEFTUP, WM_LBUTTONUP);
}

void Click(POINT p) { Drag({p}); }

void RightClick(POINT p) {
    MoveTo(p);
    Button(MOUSEEVENTF_RIGHTDOWN, WM_RBUTTONDOWN);
    Button(MOUSEEVENTF_RIGHTUP, WM_RBUTTONUP);
}

// Posts a message to a window of this thread and waits until it was taken.
void PostAndWait(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam = 0) {
    const size_t from = InputSeen::Log().size();
    PostMessageW(hwnd, message, wParam, lParam);
    EXPECT_TRUE(
        InputSeen::WaitFor(from, {message}, [&](const MSG& m) { return m.hwnd == hwnd && m.wParam == wParam; }));
}

// The screen shows what the compositor last drew: a pixel is waited for.
bool ScreenShows(POINT p, bool (*is)(DWORD)) {
    return PumpUntil([&] { return is(ScreenPixel(p.x, p.y)); });
}

RECT ScreenRect() { return RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

// A board over the screen, shown over kRegion, above a plain window.
struct Board : testing::Test {
    std::unique_ptr<ClickTarget> below;
    CDrawBoardWnd board;
    void SetUp() override {
        ui_test::EnsureTestSkin();
        InputSeen::Install();
        g_rcSnapwick = kRegion;
        const RECT screen = ScreenRect();
        below = std::make_unique<ClickTarget>(screen, kBelow);
        board.SetBoardRect(screen.left, screen.top, screen.right, screen.bottom);
        ASSERT_NE(board.Create(nullptr, CDrawBoardWnd::kCaption, WS_POPUP, WS_EX_TOOLWINDOW | WS_EX_TOPMOST, 0, 0,
                               screen.right, screen.bottom),
                  nullptr);
        board.ShowBoard();
        ASSERT_TRUE(ScreenShows({kRegion.left + 50, kRegion.top + 50}, IsBelow)) << "the empty board over the window";
    }
    size_t Strokes() const { return board.Canvas().Strokes().size(); }
};

}  // namespace

TEST_F(Board, StrokesDrawnWithTheMouseAreOnTheScreenOnlyInsideTheRegion) {
    Drag({{300, 300}, {350, 300}, {400, 300}});
    EXPECT_TRUE(ScreenShows({350, 300}, IsRed)) << "a red pen stroke, width 5";
    EXPECT_TRUE(IsBelow(ScreenPixel(350, 320))) << "the board is clear elsewhere";
    Drag({{150, 100}, {170, 100}});  // outside the region: nothing starts
    EXPECT_EQ(Strokes(), 1u);
    EXPECT_TRUE(IsBelow(ScreenPixel(160, 100)));
    board.SetTool(kToolLine, false);
    board.SetColor(0xFF0000FF);
    Drag({{300, 400}, {350, 420}, {500, 400}});
    EXPECT_TRUE(ScreenShows({400, 400}, [](DWORD c) { return B(c) > 200 && R(c) < 60; })) << "a blue straight line";
    EXPECT_TRUE(IsBelow(ScreenPixel(350, 420))) << "straight, not through the middle point";
    board.Undo();
    EXPECT_TRUE(ScreenShows({400, 400}, IsBelow)) << "undone";
    RightClick({500, 500});
    EXPECT_TRUE(board.Canvas().Strokes().empty()) << "a right click clears the board";
    EXPECT_TRUE(ScreenShows({350, 300}, IsBelow));
}

TEST_F(Board, WhiteBoardCoversTheRegionAndTakesItsOwnStrokes) {
    Drag({{300, 300}, {400, 300}});
    ASSERT_TRUE(ScreenShows({350, 300}, IsRed));
    board.SetTool(kToolWhiteBoard, true);
    EXPECT_EQ(board.GetTool(), kToolPen) << "the white board is no tool of its own";
    EXPECT_TRUE(ScreenShows({350, 300}, IsWhite)) << "the earlier stroke is under the white board";
    EXPECT_TRUE(IsWhite(ScreenPixel(kRegion.left + 1, kRegion.top + 1)));
    EXPECT_TRUE(IsBelow(ScreenPixel(kRegion.left - 5, kRegion.top + 5))) << "only the region";
    Drag({{300, 450}, {400, 450}});
    EXPECT_TRUE(ScreenShows({350, 450}, IsRed));
    board.SetTool(kToolWhiteBoard, false);
    EXPECT_TRUE(ScreenShows({350, 300}, IsRed));
    EXPECT_TRUE(IsBelow(ScreenPixel(350, 450))) << "what was drawn on the white board went with it";
}

TEST_F(Board, TextTypedIntoATextBoxIncludingChineseIsDrawn) {
    board.SetTool(kToolText, false);
    board.SetTextSize(36);
    Click({300, 300});
    StretchText* box = board.ActiveText();
    ASSERT_NE(box, nullptr);
    for (wchar_t ch : std::wstring(L"录制ok")) PostMessageW(board.GetHWND(), WM_CHAR, ch, 0);
    PostMessageW(board.GetHWND(), WM_KEYDOWN, VK_LEFT, 0);
    PostMessageW(board.GetHWND(), WM_CHAR, L'中', 0);
    EXPECT_TRUE(PumpUntil([&] { return box->GetText() == L"录制o中k"; })) << ui_test::Narrow(box->GetText().c_str());
    auto redCount = [] {
        int red = 0;
        for (int y = 300; y < 345; ++y)
            for (int x = 300; x < 420; x += 2) red += IsRed(ScreenPixel(x, y)) ? 1 : 0;
        return red;
    };
    EXPECT_TRUE(PumpUntil([&] { return redCount() > 20; })) << "the glyphs are on the screen";

    board.SetTool(kToolText, false);
    Click({300, 450});  // a second box; the first keeps its text
    Click({500, 450});  // a third: the second was left empty and goes
    ASSERT_EQ(Strokes(), 2u);
    board.SetTool(kToolPen, false);
    EXPECT_EQ(board.ActiveText(), nullptr);
    EXPECT_EQ(Strokes(), 1u) << "no empty text stroke is left";
    board.Undo();
    PostAndWait(board.GetHWND(), WM_CHAR, L'x');  // a key and a caret tick with no box: nothing to reach
    PostAndWait(board.GetHWND(), WM_TIMER, CDrawBoardWnd::kCaretTimer);
    EXPECT_TRUE(board.Canvas().Strokes().empty());
}

TEST_F(Board, UndoWhileTypingForgetsTheBoxAndStopsTheCaret) {
    board.SetTool(kToolText, false);
    Click({300, 300});
    ASSERT_NE(board.ActiveText(), nullptr);
    PostAndWait(board.GetHWND(), WM_CHAR, L'a');
    EXPECT_EQ(board.ActiveText()->GetText(), L"a");
    board.Undo();
    EXPECT_EQ(board.ActiveText(), nullptr);
    EXPECT_FALSE(KillTimer(board.GetHWND(), CDrawBoardWnd::kCaretTimer)) << "the caret timer was stopped";
    PostAndWait(board.GetHWND(), WM_CHAR, L'b');
    Click({300, 350});
    board.ClearAll();
    EXPECT_EQ(board.ActiveText(), nullptr) << "clearing forgets it too";
}

// The main window hides the board with its toolbar (clearing it) and shows it
// when a new toolbar opens: the board then draws with what that toolbar shows,
// the pen, 5 pixels, red, no white board, taking the clicks, whatever was
// chosen before.
TEST_F(Board, AfterTheToolbarIsClosedAndReopenedTheBoardDrawsWithTheToolbarsDefaults) {
    struct Before {
        const char* name;
        int tool;
        bool whiteBoard;
        bool clickThrough;  // what the pointer tool leaves
    } cases[] = {
        {"text", kToolText, false, false},
        {"line_on_the_white_board", kToolLine, true, false},
        {"pointer_after_the_ellipse", kToolEllipse, false, true},
    };
    for (const Before& c : cases) {
        board.SetTool(c.tool, false);
        if (c.whiteBoard) board.SetTool(kToolWhiteBoard, true);
        board.SetPenWidth(15);
        board.SetTextSize(72);
        board.SetColor(0xFF0000FF);
        if (c.tool == kToolText) {
            // Away from the drag's first point below: a second press there within the
            // double-click time would arrive as a double click.
            Click({300, 400});
            PostAndWait(board.GetHWND(), WM_CHAR, L'a');
        }
        if (c.clickThrough) {
            board.SetTool(kToolPointer, false);
            const LONG_PTR ex = GetWindowLongPtrW(board.GetHWND(), GWL_EXSTYLE);
            SetWindowLongPtrW(board.GetHWND(), GWL_EXSTYLE, ex | WS_EX_TRANSPARENT);
        }
        board.ClearAll();  // the toolbar closes
        ShowWindow(board.GetHWND(), SW_HIDE);
        board.ShowBoard();  // a new one opens
        ASSERT_TRUE(ScreenShows({350, 350}, IsBelow)) << c.name << ": no white board";
        EXPECT_EQ(board.GetTool(), kToolPen) << c.name;
        EXPECT_EQ(GetWindowLongPtrW(board.GetHWND(), GWL_EXSTYLE) & WS_EX_TRANSPARENT, 0) << c.name;

        const size_t pressesBelow = below->presses().size();
        Drag({{300, 300}, {350, 350}, {400, 300}});
        EXPECT_EQ(below->presses().size(), pressesBelow) << c.name << ": the board takes the clicks";
        EXPECT_EQ(board.ActiveText(), nullptr) << c.name << ": no text box";
        ASSERT_EQ(Strokes(), 1u) << c.name;
        const DrawStroke& stroke = *board.Canvas().Strokes().front();
        EXPECT_EQ(stroke.tool, kToolPen) << c.name;
        EXPECT_EQ(stroke.width, 5) << c.name;
        EXPECT_EQ(stroke.color, 0xFFFF0000u) << c.name;
        EXPECT_EQ(stroke.text, nullptr) << c.name;
        EXPECT_TRUE(ScreenShows({350, 350}, IsRed)) << c.name << ": a pen stroke through the middle point";

        board.SetTool(kToolText, false);
        Click({300, 450});
        ASSERT_NE(board.ActiveText(), nullptr) << c.name;
        EXPECT_EQ(board.Canvas().Strokes().back()->text.get(), board.ActiveText())
            << c.name << ": its stroke owns the box";
        EXPECT_EQ(board.Canvas().Strokes().back()->textSize, 32) << c.name;
        board.ClearAll();
    }
}

namespace {

// The main window's part for the drawing toolbar: keeps what it is posted.
struct Notify {
    HWND hwnd = nullptr;
    std::vector<MSG> posted;
    Notify() {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"DrawTestNotify";
        RegisterClassW(&wc);
        hwnd = CreateWindowExW(0, L"DrawTestNotify", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~Notify() { DestroyWindow(hwnd); }
    // Waits for what a click posts (posted all at once by its handler).
    bool Collect() {
        return PumpUntil([&] { return !posted.empty(); });
    }
    static LRESULT CALLBACK Proc(HWND h, UINT msg, WPARAM w, LPARAM l) {
        auto* self = reinterpret_cast<Notify*>(GetWindowLongPtrW(h, GWLP_USERDATA));
        if (self && (msg == draw_messages::kBoardShow || msg == draw_messages::kBoardOp))
            self->posted.push_back(MSG{h, msg, w, l});
        return DefWindowProcW(h, msg, w, l);
    }
};

POINT ControlCentre(CDrawbarWnd* bar, const DuiLib::LayoutName& name) {
    RECT rc = bar->FindControl(name.name)->GetPos();
    POINT p = {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    ClientToScreen(bar->GetHWND(), &p);
    return p;
}

}  // namespace

TEST_F(Board, DrawToolbarButtonsPostToolsAndSetTheBoard) {
    Notify notify;
    auto* bar = new CDrawbarWnd(&board, notify.hwnd);
    bool gone = false;
    bar->SetGoneNotice([&] { gone = true; });
    bool pickerAsked = false, pickerAnswer = false;
    bar->SetColorPicker([&](HWND, HWND, COLORREF initial, COLORREF* chosen) {
        pickerAsked = true;
        EXPECT_EQ(initial, RGB(255, 0, 0));
        *chosen = RGB(0, 0, 255);
        return pickerAnswer;
    });
    ASSERT_NE(bar->Create(board.GetHWND(), L"drawtoolbar_ts", WS_POPUP | WS_VISIBLE, WS_EX_TOOLWINDOW | WS_EX_TOPMOST),
              nullptr);
    ASSERT_TRUE(PumpUntil([&] { return !IsRectEmpty(&bar->FindControl(draw_toolbar_names::kBtnUndo.name)->GetPos()); }))
        << "laid out";
    RECT rc = {};
    GetWindowRect(bar->GetHWND(), &rc);
    EXPECT_EQ(rc.left, kRegion.right + 10);
    EXPECT_EQ(rc.top, kRegion.top);
    EXPECT_EQ(rc.right - rc.left, CDrawbarWnd::kWidth);
    namespace n = draw_toolbar_names;
    auto* thickness = bar->FindControl(n::kBtnThickness.name);
    auto* fontSize = bar->FindControl(n::kBtnFontsize.name);

    struct Step {
        const DuiLib::LayoutName* button;
        int tool;
        LPARAM on;
        bool transparent;
        bool sizeButtonShown;
    } steps[] = {
        {&n::kBtnZhizhen, kToolPointer, 0, true, false},    {&n::kBtnFont, kToolText, 0, false, true},
        {&n::kBtnLine, kToolLine, 0, false, false},         {&n::kBtnBaiban, kToolWhiteBoard, 1, false, false},
        {&n::kBtnBaiban, kToolWhiteBoard, 0, false, false}, {&n::kBtnFont, kToolText, 0, false, true},
        {&n::kBtnHuabi, kToolPen, 0, false, false},
    };
    for (const Step& s : steps) {
        notify.posted.clear();
        Click(ControlCentre(bar, *s.button));
        const std::string what = ui_test::Narrow(s.button->name);
        EXPECT_TRUE(notify.Collect()) << what;
        ASSERT_EQ(notify.posted.size(), 1u) << what;
        EXPECT_EQ(notify.posted[0].message, draw_messages::kBoardOp) << what;
        EXPECT_EQ(notify.posted[0].wParam, static_cast<WPARAM>(s.tool)) << what;
        EXPECT_EQ(notify.posted[0].lParam, s.on) << what << ": the option's state after the click";
        const bool transparent = (GetWindowLongPtrW(board.GetHWND(), GWL_EXSTYLE) & WS_EX_TRANSPARENT) != 0;
        EXPECT_EQ(transparent, s.transparent) << what << ": the pointer lets clicks through the board";
        EXPECT_EQ(fontSize->IsVisible(), s.sizeButtonShown) << what;
        EXPECT_EQ(thickness->IsVisible(), !s.sizeButtonShown) << what;
    }

    Click(ControlCentre(bar, n::kBtnColor));
    EXPECT_TRUE(PumpUntil([&] { return pickerAsked; }));
    EXPECT_EQ(bar->GetColor(), 0xFFFF0000u) << "a cancelled colour dialog changes nothing";
    pickerAnswer = true;
    pickerAsked = false;
    Click(ControlCentre(bar, n::kBtnColor));
    EXPECT_TRUE(PumpUntil([&] { return pickerAsked; }));
    EXPECT_EQ(bar->GetColor(), 0xFF0000FFu);

    Click(ControlCentre(bar, n::kBtnThickness));
    ASSERT_TRUE(PumpUntil([&] { return bar->WidthPopup() != nullptr; }));
    HWND popup = bar->WidthPopup()->GetHWND();
    ASSERT_TRUE(IsWindow(popup));
    RECT prc = {};
    GetWindowRect(popup, &prc);
    EXPECT_EQ(prc.right - prc.left, 32);
    RECT large = bar->WidthPopup()->FindControl(L"size_large")->GetPos();
    Click({prc.left + (large.left + large.right) / 2, prc.top + (large.top + large.bottom) / 2});
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(popup); })) << "a choice closes the pop-up";
    EXPECT_NE(std::wstring(static_cast<DuiLib::CButtonUI*>(thickness)->GetNormalImage()).find(L"thickness_b"),
              std::wstring::npos);
    Drag({{300, 300}, {400, 300}});
    EXPECT_TRUE(ScreenShows({350, 306}, [](DWORD c) { return B(c) > 200; })) << "a blue pen 15 pixels wide";

    notify.posted.clear();
    PostMessageW(bar->GetHWND(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(PumpUntil([&] { return gone; })) << "Alt+F4 closes the toolbar";
    EXPECT_TRUE(notify.Collect());
    ASSERT_EQ(notify.posted.size(), 1u);
    EXPECT_EQ(notify.posted[0].message, draw_messages::kBoardShow);
    EXPECT_EQ(notify.posted[0].wParam, 0u);
    MSG quit;
    EXPECT_FALSE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE)) << "and never ends the message loop";
}

TEST(SpotlightBands, BandsAroundTheSpotAtEachEdge) {
    struct Case {
        POINT centre;
        bool top, left, right, bottom;
    } cases[] = {
        {{300, 200}, true, true, true, true},  {{50, 200}, true, false, true, true},
        {{590, 200}, true, true, false, true}, {{300, 50}, false, true, true, true},
        {{300, 350}, true, true, true, false}, {{101, 101}, false, true, true, true},
    };
    for (const Case& c : cases) {
        const SpotlightLayout l = LayOutSpotlight(SIZE{600, 400}, c.centre);
        EXPECT_EQ(l.spot.right - l.spot.left, kSpotSize);
        EXPECT_EQ(l.present[0], c.top) << c.centre.x << "," << c.centre.y;
        EXPECT_EQ(l.present[1], c.left) << c.centre.x << "," << c.centre.y;
        EXPECT_EQ(l.present[2], c.right) << c.centre.x << "," << c.centre.y;
        EXPECT_EQ(l.present[3], c.bottom) << c.centre.x << "," << c.centre.y;
    }
    const SpotlightLayout l = LayOutSpotlight(SIZE{600, 400}, POINT{300, 200});
    const RECT want[4] = {{0, 0, 600, 99}, {0, 99, 199, 301}, {401, 99, 600, 301}, {0, 301, 600, 400}};
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(EqualRect(&l.bands[i], &want[i])) << "band " << i;
}

namespace {

// The spotlight over kRegion with its spot at (400,300), once the screen shows both the
// dark surround and the bright spot (the compositor may show the surround a frame first).
void ShowSpotlight(CSpotLightWnd& spot) {
    ASSERT_NE(spot.Create(nullptr, CSpotLightWnd::kCaption, WS_POPUP, WS_EX_TOOLWINDOW | WS_EX_TOPMOST), nullptr);
    spot.ShowOverSelection();
    spot.SetHoleRect(kRegion.left, kRegion.top, kRegion.right, kRegion.bottom);
    spot.MoveSpotTo(400, 300);
    ASSERT_TRUE(PumpUntil([] { return R(ScreenPixel(700, 500)) < 140 && R(ScreenPixel(400, 300)) > 240; }))
        << "the surround darkens around a bright spot";
}

}  // namespace

TEST(Spotlight, DarkensOutsideTheSpotAndFollowsTheCursor) {
    ui_test::EnsureTestSkin();
    g_rcSnapwick = kRegion;
    ClickTarget below(ScreenRect(), RGB(250, 250, 250));
    CSpotLightWnd spot;
    ShowSpotlight(spot);
    if (HasFatalFailure()) return;
    EXPECT_NE(GetWindowLongPtrW(spot.GetHWND(), GWL_EXSTYLE) & WS_EX_LAYERED, 0) << "per-pixel alpha";
    const DWORD centre = ScreenPixel(400, 300), corner = ScreenPixel(700, 500), outside = ScreenPixel(150, 100);
    EXPECT_GT(R(centre), 240) << "bright in the spot";
    EXPECT_LT(R(corner), 140) << "dark around it";
    EXPECT_GT(R(corner), 40) << "blended, not black";
    EXPECT_GT(R(outside), 240) << "nothing outside the region";
    spot.MoveSpotTo(650, 450);
    EXPECT_TRUE(PumpUntil([] { return R(ScreenPixel(400, 300)) < 140; })) << "the old spot is dark again";
    EXPECT_GT(R(ScreenPixel(650, 450)), 240) << "the spot follows";
}

// A move repaints the spot's old and new squares and leaves the rest of the
// window as it was painted; after a burst of moves the spot ends at the last.
TEST(Spotlight, AMoveRepaintsOnlyWhereTheSpotWasAndGoes) {
    ui_test::EnsureTestSkin();
    g_rcSnapwick = kRegion;
    ClickTarget below(ScreenRect(), RGB(250, 250, 250));
    CSpotLightWnd spot;
    ShowSpotlight(spot);
    if (HasFatalFailure()) return;
    // Once shown, the system may ask for a paint of the whole window; then moves alone.
    spot.MoveSpotTo(300, 250);
    ASSERT_TRUE(ui_test::PumpUntil([] { return R(ScreenPixel(300, 250)) > 240 && R(ScreenPixel(400, 300)) < 140; }));
    // A mark in the buffer far from both squares: a whole repaint would wipe it.
    DuiLib::CPaintManagerUI* pm = spot.GetPaintManager();
    const SIZE size = pm->GetPaintOffscreenSize();
    DWORD* mark = reinterpret_cast<DWORD*>(const_cast<BYTE*>(pm->GetPaintOffscreenBits())) + 20 * size.cx + 500;
    *mark = 0x12345678;
    spot.MoveSpotTo(650, 450);
    EXPECT_TRUE(ui_test::PumpUntil([] { return R(ScreenPixel(650, 450)) > 240 && R(ScreenPixel(400, 300)) < 140; }))
        << "the spot moved on screen";
    EXPECT_EQ(*mark, 0x12345678u) << "the rest of the window was not painted again";
    for (int i = 0; i < 20; ++i) spot.MoveSpotTo(300 + 10 * i, 250 + 5 * i);
    EXPECT_TRUE(ui_test::PumpUntil([&] { return spot.Spotlight()->GetSpotCenter().x == 490 - kRegion.left - 2; }))
        << "the latest move wins";
    EXPECT_TRUE(ui_test::PumpUntil([] { return R(ScreenPixel(490, 345)) > 240 && R(ScreenPixel(650, 450)) < 140; }));
}
