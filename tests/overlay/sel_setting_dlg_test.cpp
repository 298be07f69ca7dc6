// The region size dialog from the real skin: the size it opens with, the ratio
// kept while the user types, and what OK, close and cancel hand back.
#include <gtest/gtest.h>

#include <string>

#include "common/record_globals.h"
#include "overlay/layouts/sel_setting_names.h"
#include "overlay/region_size/sel_setting_dlg.h"
#include "overlay/region_size/size_ratio.h"
#include "tests/ui/ui_test_support.h"

using namespace DuiLib;
using namespace ui_test;
namespace names = sel_setting_names;

namespace {

class OpenDialog {
public:
    explicit OpenDialog(int aspect, RECT region = {100, 100, 1100, 700}) {
        EnsureTestSkin();
        g_rcSnapwick = region;
        dlg.SetAspect(aspect);
        created = dlg.Create(nullptr, L"SelSettingDialog", kSelSettingStyle, kSelSettingExStyle) != nullptr;
        if (created) dlg.GetPaintManager()->UpdateLayout();
    }
    ~OpenDialog() {
        if (IsWindow(dlg.GetHWND())) DestroyWindow(dlg.GetHWND());
    }
    std::wstring Text(const LayoutName& entry) { return dlg.FindControl(entry.name)->GetText().Str(); }
    POINT Centre(const LayoutName& entry) {
        const RECT rc = dlg.FindControl(entry.name)->GetPos();
        return {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    }
    void Click(const LayoutName& entry) {
        ClickAt(dlg.GetHWND(), Centre(entry));
        Pump(30);
    }
    // Left for the dialog's modal loop to deliver.
    void QueueClick(const LayoutName& entry) {
        const POINT pt = Centre(entry);
        PostMessageW(dlg.GetHWND(), WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));
        PostMessageW(dlg.GetHWND(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
        PostMessageW(dlg.GetHWND(), WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    }
    // Replaces the edit's text key by key, as the user does.
    void Type(const LayoutName& edit, const std::wstring& text) {
        Click(edit);
        PressKey(dlg.GetHWND(), VK_END);
        for (int i = 0; i < 4; ++i) PressKey(dlg.GetHWND(), VK_BACK);
        TypeText(dlg.GetHWND(), text);
        Pump(30);
    }
    bool Selected(const LayoutName& entry) { return FindNamed<COptionUI>(*dlg.GetPaintManager(), entry)->IsSelected(); }

    SelSettingDlg dlg;
    bool created = false;
};

}  // namespace

TEST(SizeRatio, SidesFollowEachOtherWithTruncation) {
    EXPECT_EQ(HeightForWidth(1280, kAspect16x9), 720);
    EXPECT_EQ(HeightForWidth(1000, kAspect4x3), 750);
    EXPECT_EQ(HeightForWidth(1001, kAspect16x9), 563);  // 9009 / 16
    EXPECT_EQ(WidthForHeight(480, kAspect4x3), 640);
    EXPECT_EQ(WidthForHeight(481, kAspect16x9), 855);  // 7696 / 9
    EXPECT_EQ(EditNumber(L""), 0);
    EXPECT_EQ(EditNumber(L"12a4"), 12);
    EXPECT_EQ(TakenSide(149, 900), 900) << "below the floor the region keeps its own side";
    EXPECT_EQ(TakenSide(150, 900), 150);
}

TEST(SelSettingDlg, LayoutHasEveryNamedControl) {
    OpenDialog open(0);
    ASSERT_TRUE(open.created);
    for (const LayoutName& entry : names::kAll)
        EXPECT_NE(FindNamed<CControlUI>(*open.dlg.GetPaintManager(), entry), nullptr) << Narrow(entry.name);
    RECT rc = {};
    GetWindowRect(open.dlg.GetHWND(), &rc);
    EXPECT_EQ(rc.right - rc.left, 460);
    EXPECT_EQ(rc.bottom - rc.top, 251);
}

TEST(SelSettingDlg, OpensWithTheRegionSizeAndTheHeightFollowingTheRatio) {
    const struct {
        int aspect;
        const wchar_t* height;
        const LayoutName* option;
    } cases[] = {{kAspectFree, L"600", &names::kNoScale},
                 {kAspect4x3, L"750", &names::kFourThree},
                 {kAspect16x9, L"562", &names::kSixteenNine}};
    for (const auto& c : cases) {
        OpenDialog open(c.aspect);  // a 1000 x 600 region
        ASSERT_TRUE(open.created);
        EXPECT_EQ(open.Text(names::kWidthEdit), L"1000") << c.aspect;
        EXPECT_EQ(open.Text(names::kHeightEdit), c.height) << c.aspect;
        EXPECT_TRUE(open.Selected(*c.option)) << c.aspect;
        EXPECT_EQ(open.dlg.WorkingAspect(), c.aspect);
    }
}

TEST(SelSettingDlg, TypingKeepsTheChosenRatioAndFreeLeavesTheOtherSide) {
    OpenDialog open(kAspect16x9);
    ASSERT_TRUE(open.created);
    open.Type(names::kWidthEdit, L"1280");
    EXPECT_EQ(open.Text(names::kHeightEdit), L"720");
    open.Click(names::kFourThree);
    EXPECT_EQ(open.Text(names::kHeightEdit), L"960") << "choosing 4:3 sets the height from the width";
    open.Type(names::kHeightEdit, L"480");
    EXPECT_EQ(open.Text(names::kWidthEdit), L"640");
    open.Click(names::kNoScale);
    open.Type(names::kWidthEdit, L"777");
    EXPECT_EQ(open.Text(names::kHeightEdit), L"480") << "free: the height stays";
}

TEST(SelSettingDlg, OkTakesSidesFrom150AndTheChosenRatio) {
    OpenDialog open(kAspect4x3);
    ASSERT_TRUE(open.created);
    open.Click(names::kNoScale);
    open.Type(names::kWidthEdit, L"100");
    open.Type(names::kHeightEdit, L"300");
    open.QueueClick(names::kBtnOk);
    EXPECT_EQ(open.dlg.ShowDialog(nullptr, true), 1u);
    EXPECT_EQ(open.dlg.GetAspect(), kAspectFree);
    EXPECT_EQ(open.dlg.GetSize().cx, 1000) << "a width below 150 keeps the region's";
    EXPECT_EQ(open.dlg.GetSize().cy, 300);
}

TEST(SelSettingDlg, CloseAndCancelReturnZeroAndKeepTheOwnersRatio) {
    for (const LayoutName* button : {&names::kCloseBtn, &names::kBtnCancel}) {
        OpenDialog open(kAspect16x9);
        ASSERT_TRUE(open.created);
        open.Click(names::kFourThree);
        open.QueueClick(*button);
        EXPECT_EQ(open.dlg.ShowDialog(nullptr, true), 0u) << Narrow(button->name);
        EXPECT_EQ(open.dlg.GetAspect(), kAspect16x9) << Narrow(button->name);
    }
}
