// The hotkey row control in a window of its own: layout attributes, selection
// by a press and a release (also outside the row), the option group and its
// colours.
#include <gtest/gtest.h>

#include <algorithm>

#include "settings/hotkeys/hotkey_label.h"
#include "tests/ui/ui_test_support.h"

using namespace DuiLib;
using namespace ui_test;

namespace {

constexpr wchar_t kRows[] =
    L"<Window size=\"300,160\"><VerticalLayout>"
    L"<HotkeyLabel name=\"one\" text=\"one(F1)\" height=\"24\" group=\"pic\" selectcolor=\" #FF102030\" "
    L"selecttextcolor=\"#FFFFFF00\"/>"
    L"<HotkeyLabel name=\"two\" text=\"two(F2)\" height=\"24\" group=\"pic\" select=\"false\"/>"
    L"<HotkeyLabel name=\"lone\" text=\"lone\" height=\"24\"/>"
    L"<HotkeyItemConLayout name=\"item1\" height=\"20\" group=\"items\" selectcolor=\"#FF0000FF\"/>"
    L"<HotkeyItemConLayout name=\"item2\" height=\"20\" group=\"items\"/>"
    L"</VerticalLayout></Window>";

class RowWindow : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureTestSkin();
        window.makeControl = [](LPCTSTR tag) -> CControlUI* {
            if (wcscmp(tag, L"HotkeyItemConLayout") == 0) return new HotkeyItemContainer;
            return wcscmp(tag, L"HotkeyLabel") == 0 ? new HotkeyLabel : nullptr;
        };
        ASSERT_TRUE(window.Open());
    }
    HotkeyLabel* Row(LPCTSTR name) { return window.Find<HotkeyLabel>(name); }
    TestWindow window{kRows};
};

TEST_F(RowWindow, AttributesGroupAndSelectColours) {
    EXPECT_STREQ(Row(L"one")->GetGroup(), L"pic");
    EXPECT_TRUE(Row(L"two")->IsSelected()) << "\"select\" selects whatever its value";
    Row(L"one")->Select(true);
    EXPECT_FALSE(Row(L"two")->IsSelected()) << "one selected row per group";
    EXPECT_EQ(Row(L"one")->GetBkColor(), 0xFF102030u);
    EXPECT_EQ(Row(L"one")->GetTextColor(), 0xFFFFFF00u);
    EXPECT_EQ(Row(L"two")->GetBkColor(), 0u);
    EXPECT_EQ(Row(L"two")->GetTextColor(), 0xFF414141u);
    Row(L"lone")->Select(true);
    EXPECT_TRUE(Row(L"one")->IsSelected()) << "a row without a group leaves the others";
}

TEST_F(RowWindow, APressOnARowSelectsItWhereverTheButtonIsReleased) {
    Row(L"one")->Select(true);
    window.log.clear();
    const POINT two = window.Center(L"two");
    ClickAt(window.GetHWND(), two);
    EXPECT_TRUE(PumpUntil([&] { return Row(L"two")->IsSelected(); }));
    EXPECT_FALSE(Row(L"one")->IsSelected());
    EXPECT_NE(std::find(window.log.begin(), window.log.end(), "selectchanged:two"), window.log.end());

    const POINT one = window.Center(L"one");
    PostMessageW(window.GetHWND(), WM_MOUSEMOVE, 0, MAKELPARAM(one.x, one.y));
    PostMessageW(window.GetHWND(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(one.x, one.y));
    PostMessageW(window.GetHWND(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(one.x, 150));
    PostMessageW(window.GetHWND(), WM_LBUTTONUP, 0, MAKELPARAM(one.x, 150));
    EXPECT_TRUE(PumpUntil([&] { return Row(L"one")->IsSelected(); }));
    EXPECT_FALSE(Row(L"two")->IsSelected());
}

TEST_F(RowWindow, RowContainersSelectLikeRows) {
    auto* item1 = window.Find<HotkeyItemContainer>(L"item1");
    auto* item2 = window.Find<HotkeyItemContainer>(L"item2");
    ClickAt(window.GetHWND(), window.Center(L"item2"));
    EXPECT_TRUE(PumpUntil([&] { return item2->IsSelected(); }));
    EXPECT_EQ(item2->GetBkColor(), 0xFFF9F9F9u);
    item1->Select(true);
    EXPECT_FALSE(item2->IsSelected());
    EXPECT_EQ(item1->GetBkColor(), 0xFF0000FFu);
    EXPECT_NE(item1->GetInterface(L"HotkeyItemConLayout"), nullptr);
}

// Each row keeps its own keys, apart from its text and whatever is selected:
// the settings dialog reads them back from the rows at OK.
TEST_F(RowWindow, EachRowKeepsItsOwnKeysThroughSelection) {
    const struct {
        const wchar_t* row;
        uint8_t modifiers;
        const wchar_t* key;
    } cases[] = {{L"one", 7, L"W"}, {L"two", 1, L"F12"}, {L"lone", 4, L"无"}};
    for (const auto& c : cases) {
        Row(c.row)->SetModifiers(c.modifiers);
        Row(c.row)->SetKeyText(c.key);
    }
    for (const wchar_t* clicked : {L"two", L"one", L"lone"}) {
        ClickAt(window.GetHWND(), window.Center(clicked));
        ASSERT_TRUE(PumpUntil([&] { return Row(clicked)->IsSelected(); })) << Narrow(clicked);
        for (const auto& c : cases) {
            EXPECT_EQ(Row(c.row)->GetModifiers(), c.modifiers) << Narrow(c.row) << " after " << Narrow(clicked);
            EXPECT_EQ(Narrow(Row(c.row)->GetKeyText()), Narrow(c.key)) << Narrow(c.row) << " after " << Narrow(clicked);
        }
    }
    EXPECT_EQ(Narrow(Row(L"one")->GetText()), "one(F1)") << "the text is the dialog's to write";
}

}  // namespace
