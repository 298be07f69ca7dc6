// The canvas and the text box without a window: strokes painted into the
// board's buffer (read back where the result is exact), the white board, what
// clearing and undo delete and that they forget the box being typed into, and
// the text box's editing keys.
#include <gtest/gtest.h>

#include "overlay/draw/draw_canvas.h"

namespace {

constexpr int kW = 400, kH = 300;
const RECT kClip = {50, 40, 350, 260};  // the record region in board pixels

DWORD At(const DrawCanvas& c, int x, int y) { return c.Pixels()[y * c.Width() + x]; }

struct Canvas : testing::Test {
    DrawCanvas canvas;
    void SetUp() override {
        canvas.SetClip(kClip.left, kClip.top, kClip.right, kClip.bottom);
        ASSERT_TRUE(canvas.Create(nullptr, kW, kH));
        canvas.SetColor(0xFF00FF00);
        canvas.Repaint();
    }
    void Stroke(int tool, POINT a, POINT b) {
        canvas.SetTool(tool);
        canvas.BeginStroke(a.x, a.y);
        canvas.AddPoint((a.x + b.x) / 2, (a.y + b.y) / 2);
        canvas.EndStroke(b.x, b.y);
    }
    // A text stroke with its box as the board makes it.
    StretchText* Text(POINT at) {
        auto* box = new StretchText;
        box->Create(100, 100);
        box->SetPosition(POINT{at.x - kClip.left, at.y - kClip.top},
                         RECT{0, 0, kClip.right - kClip.left, kClip.bottom - kClip.top});
        box->SetEditing(true);
        canvas.SetActiveText(box);
        canvas.SetTool(kToolText);
        canvas.BeginStroke(at.x, at.y);
        canvas.EndStroke(at.x, at.y);
        return box;
    }
};

}  // namespace

TEST_F(Canvas, EmptyBoardCatchesTheMouseAndAPenClickLeavesADot) {
    EXPECT_EQ(At(canvas, 5, 5), 0x01000000u) << "alpha 1 everywhere";
    canvas.SetWidth(10);
    canvas.SetTool(kToolPen);
    canvas.BeginStroke(100, 100);
    canvas.EndStroke(100, 100);
    EXPECT_EQ(At(canvas, 100, 100), 0xFF00FF00u) << "one dot of the pen's colour";
    EXPECT_EQ(At(canvas, 100, 112), 0x01000000u) << "no larger than the width";
}

TEST_F(Canvas, ShapesLandWhereTheyAreDrawn) {
    canvas.SetWidth(5);
    Stroke(kToolLine, {60, 150}, {340, 150});
    Stroke(kToolRectangle, {100, 60}, {300, 120});
    Stroke(kToolArrow, {100, 200}, {300, 200});
    Stroke(kToolArrow, {200, 230}, {200, 230});  // a click: nothing, no fault
    EXPECT_EQ(At(canvas, 200, 150), 0xFF00FF00u) << "line";
    EXPECT_EQ(At(canvas, 200, 60), 0xFF00FF00u) << "rectangle top edge";
    EXPECT_EQ(At(canvas, 200, 90), 0x01000000u) << "rectangle not filled";
    EXPECT_EQ(At(canvas, 295, 200), 0xFF00FF00u) << "arrow head near the tip";
    EXPECT_EQ(canvas.Strokes().size(), 4u);
}

TEST_F(Canvas, WhiteBoardCoversTheRegionHidesEarlierStrokesAndLosesItsOwn) {
    canvas.SetWidth(10);
    Stroke(kToolPen, {100, 100}, {120, 100});
    canvas.SetWhiteBoard(true);
    EXPECT_EQ(At(canvas, 110, 100), 0xFFFFFFFFu) << "the earlier stroke is under the white board";
    EXPECT_EQ(At(canvas, kClip.left, kClip.top), 0xFFFFFFFFu);
    EXPECT_EQ(At(canvas, kClip.left - 1, kClip.top), 0x01000000u) << "only the region is white";
    Stroke(kToolPen, {200, 200}, {220, 200});
    EXPECT_EQ(At(canvas, 210, 200), 0xFF00FF00u) << "drawn on the white board";
    canvas.ClearAll();
    EXPECT_EQ(canvas.Strokes().size(), 1u) << "clearing the white board keeps what lies under it";
    Stroke(kToolPen, {200, 200}, {220, 200});
    canvas.SetWhiteBoard(false);
    ASSERT_EQ(canvas.Strokes().size(), 1u) << "turning it off deletes what was drawn on it";
    EXPECT_EQ(At(canvas, 110, 100), 0xFF00FF00u) << "and shows the earlier stroke again";
    EXPECT_EQ(At(canvas, 210, 200), 0x01000000u);
    canvas.ClearAll();
    EXPECT_TRUE(canvas.Strokes().empty()) << "without the white board every stroke goes";
}

TEST_F(Canvas, UndoAndClearingForgetTheBoxBeingTypedInto) {
    int gone = 0;
    canvas.SetActiveTextGone([&] { ++gone; });
    struct Case {
        const char* what;
        std::function<void(DrawCanvas&)> act;
    } cases[] = {
        {"undo", [](DrawCanvas& c) { c.Undo(); }},
        {"clear", [](DrawCanvas& c) { c.ClearAll(); }},
        {"re-create", [](DrawCanvas& c) { c.Create(nullptr, kW, kH); }},
    };
    for (const Case& c : cases) {
        gone = 0;
        StretchText* box = Text({100, 100});
        ASSERT_EQ(canvas.ActiveText(), box);
        ASSERT_EQ(canvas.Strokes().back()->text.get(), box) << "the stroke owns its box";
        c.act(canvas);
        EXPECT_EQ(canvas.ActiveText(), nullptr) << c.what;
        EXPECT_EQ(gone, 1) << c.what << ": the board is told";
        EXPECT_TRUE(canvas.Strokes().empty()) << c.what;
        canvas.Repaint();  // must not reach the freed box
    }
}

TEST_F(Canvas, TypedTextIsPaintedInTheRegion) {
    StretchText* box = Text({100, 100});
    box->SetFontSize(32);
    box->SetColor(0xFF0000FF);
    for (wchar_t ch : std::wstring(L"录制ab")) box->InsertChar(ch);
    box->SetEditing(false);
    canvas.Repaint();
    int blue = 0;
    for (int y = 100; y < 150; ++y)
        for (int x = 100; x < 220; ++x)
            if ((At(canvas, x, y) & 0xFF) > 0x80 && (At(canvas, x, y) >> 24) > 0x80) ++blue;
    EXPECT_GT(blue, 40) << "the text's glyphs";
}

TEST(StretchTextEditing, KeysEditAtTheCaret) {
    struct Step {
        wchar_t ch;  // 0: move the caret by delta instead
        int delta;
        const wchar_t* text;
        size_t caret;
    } steps[] = {
        {8, 0, L"", 0},         {L'a', 0, L"a", 1},     {L'b', 0, L"ab", 2},     {0, -1, L"ab", 1},
        {L'中', 0, L"a中b", 2}, {9, 0, L"a中b", 2},     {13, 0, L"a中\r\nb", 4}, {0, 9, L"a中\r\nb", 5},
        {8, 0, L"a中\r\n", 4},  {0, -9, L"a中\r\n", 0}, {8, 0, L"a中\r\n", 0},
    };
    StretchText box;
    box.SetEditing(true);
    for (const Step& s : steps) {
        if (s.ch)
            box.InsertChar(s.ch);
        else
            box.MoveCaret(s.delta);
        EXPECT_EQ(box.GetText(), s.text) << static_cast<int>(s.ch) << " " << s.delta;
        EXPECT_EQ(box.CaretIndex(), s.caret) << static_cast<int>(s.ch) << " " << s.delta;
    }
    box.InsertChar(27);
    EXPECT_FALSE(box.IsEditing()) << "escape ends editing";
}

TEST(StretchTextEditing, ABoxNearTheRightEdgeWrapsAndAnEmptyOneShowsItsFrame) {
    StretchText box;
    ASSERT_TRUE(box.Create(100, 100));
    box.SetEditing(true);
    box.SetFontSize(32);
    box.SetPosition(POINT{200, 10}, RECT{0, 0, 300, 200});
    box.DrawContent(0, 0, 300, 200, 1.0f);
    StretchState state;
    box.GetState(&state);
    EXPECT_GT(state.frame.bottom - state.frame.top, 20) << "one line high while empty";
    for (wchar_t ch : std::wstring(L"很长的一行文字很长的一行文字")) box.InsertChar(ch);
    box.DrawContent(0, 0, 300, 200, 1.0f);
    box.GetState(&state);
    EXPECT_TRUE(box.HasWrapped());
    EXPECT_EQ(state.frame.right, 300) << "never past the region's right edge";
    EXPECT_LE(state.frame.bottom, 200);
}
