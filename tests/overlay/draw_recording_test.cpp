// What is drawn during a recording is in it: pen strokes, typed text, the white
// board and the spotlight, drawn with real input over a recorded desktop and
// read back from the file's pictures.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "common/record_globals.h"
#include "overlay/draw/draw_board_wnd.h"
#include "overlay/spotlight/spotlight_wnd.h"
#include "tests/engine/recorder_fixture.h"
#include "tests/overlay/region_frame_support.h"
#include "tests/ui/ui_test_support.h"

namespace {

using frame_test::ClickTarget;
using ui_test::Pump;

const RECT kRegion = {200, 150, 800, 550};

struct Sample {
    int x, y, w, h;
};
const Sample kStroke = {396, 246, 8, 8};     // on the pen stroke
const Sample kText = {300, 350, 160, 80};    // over the typed text
const Sample kEmpty = {600, 450, 16, 16};    // inside the region, nothing drawn
const Sample kSpot = {496, 346, 8, 8};       // the spotlight's centre
const Sample kOutside = {100, 100, 16, 16};  // outside the region

void Drag(POINT from, POINT to) {
    frame_test::SendMoveTo(from);
    Pump(40);
    frame_test::SendLeftDown();
    Pump(40);
    for (int i = 1; i <= 4; ++i) {
        frame_test::SendMoveTo(POINT{from.x + (to.x - from.x) * i / 4, from.y + (to.y - from.y) * i / 4});
        Pump(30);
    }
    frame_test::SendLeftUp();
    Pump(80);
}

std::vector<double> LumaOf(const std::wstring& path, const Sample& s) {
    std::vector<double> out;
    for (const PictureSample& p : RegionLuma(path, s.x, s.y, s.w, s.h)) out.push_back(p.luma);
    return out;
}

class DrawRecordingTest : public RecorderTest {};

}  // namespace

TEST_F(DrawRecordingTest, StrokesTextWhiteBoardAndSpotlightAreRecorded) {
    ui_test::EnsureTestSkin();
    auto below = std::make_unique<ClickTarget>(desktop, RGB(0, 0, 0));
    auto recorder = MakeRecorder();
    ASSERT_TRUE(Init(*recorder, {true, false, false}));
    g_rcSnapwick = kRegion;
    CDrawBoardWnd board;
    board.SetBoardRect(desktop.left, desktop.top, desktop.right, desktop.bottom);
    ASSERT_NE(board.Create(nullptr, CDrawBoardWnd::kCaption, WS_POPUP, WS_EX_TOOLWINDOW | WS_EX_TOPMOST, 0, 0,
                           desktop.right - desktop.left, desktop.bottom - desktop.top),
              nullptr);
    board.ShowBoard();
    board.SetColor(0xFFFFFFFF);
    board.SetPenWidth(15);
    Pump(100);

    StartRecording(*recorder, 0);
    Drag({300, 250}, {500, 250});  // a white pen stroke
    Pump(1200);
    board.SetTool(kToolText, false);
    board.SetTextSize(72);
    Drag({300, 350}, {300, 350});
    for (wchar_t ch : std::wstring(L"录制")) PostMessageW(board.GetHWND(), WM_CHAR, ch, 0);
    Pump(1200);
    board.SetTool(kToolWhiteBoard, true);
    Pump(1200);
    board.ClearAll();
    ShowWindow(board.GetHWND(), SW_HIDE);
    below = std::make_unique<ClickTarget>(desktop, RGB(255, 255, 255));
    CSpotLightWnd spot;
    ASSERT_NE(spot.Create(nullptr, CSpotLightWnd::kCaption, WS_POPUP, WS_EX_TOOLWINDOW | WS_EX_TOPMOST), nullptr);
    spot.ShowOverSelection();
    spot.SetHoleRect(kRegion.left, kRegion.top, kRegion.right, kRegion.bottom);
    spot.MoveSpotTo(500, 350);
    Pump(1200);
    Stop(*recorder);

    const std::wstring path = recorder->FinishedPath();
    ASSERT_FALSE(path.empty());
    const std::vector<double> stroke = LumaOf(path, kStroke), text = LumaOf(path, kText), empty = LumaOf(path, kEmpty),
                              centre = LumaOf(path, kSpot), outside = LumaOf(path, kOutside);
    const std::vector<double> surround = LumaOf(path, Sample{220, 170, 16, 16});
    ASSERT_GT(stroke.size(), 20u);
    ASSERT_EQ(stroke.size(), empty.size());
    bool strokeSeen = false, textSeen = false, whiteSeen = false, spotSeen = false;
    for (size_t i = 0; i < stroke.size(); ++i) {
        const bool dark = empty[i] < 50;  // the black desktop, nothing over it
        strokeSeen = strokeSeen || (dark && stroke[i] > 180);
        textSeen = textSeen || (dark && text[i] > 40);
        whiteSeen = whiteSeen || empty[i] > 200;
        spotSeen = spotSeen || (centre[i] > 200 && surround[i] < 150 && surround[i] > 40 && outside[i] > 200);
    }
    EXPECT_TRUE(strokeSeen) << "the pen stroke over the desktop";
    EXPECT_TRUE(textSeen) << "the typed text";
    EXPECT_TRUE(whiteSeen) << "the white board over the region";
    EXPECT_TRUE(spotSeen) << "the spotlight: bright spot, dark surround, nothing outside the region";
}
