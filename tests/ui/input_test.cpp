// Input as real window messages: clicks and their notification order, option
// groups, check boxes, edits, sliders; one click through SendInput.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/ui/ui_test_support.h"

using namespace DuiLib;
using namespace ui_test;

namespace {

const wchar_t* kControls =
    LR"(<Window size="320,240"><VerticalLayout bkcolor="#FFFFFFFF" childpadding="4">
  <Button name="btn" text="按钮" height="30"/>
  <HorizontalLayout height="24">
    <Option name="opt_a" text="甲" group="g" selected="true"/>
    <Option name="opt_b" text="乙" group="g"/>
    <CheckBox name="chk" text="丙"/>
  </HorizontalLayout>
  <Edit name="edit" height="24"/>
  <Edit name="digits" height="24" numberonly="true" maxchar="3"/>
  <Slider name="slider" height="20" min="0" max="100" value="0" thumbsize="10,10"/>
  <Label name="label" height="30" text="标签"/>
</VerticalLayout></Window>)";

std::vector<std::string> Only(const std::vector<std::string>& log, const std::string& prefix) {
    std::vector<std::string> out;
    for (auto& e : log)
        if (e.compare(0, prefix.size(), prefix) == 0 || prefix.empty()) out.push_back(e);
    return out;
}

}  // namespace

TEST(Input, ClickReachesDelegatesThenNotifyThenOnClick) {
    TestWindow w(kControls);
    ASSERT_TRUE(w.Open());
    struct Recorder {
        std::vector<std::string>* log;
        bool OnNotify(TNotifyUI* msg) {
            if (msg->sType == DUI_MSGTYPE_CLICK) log->push_back("delegate:" + Narrow(msg->sType));
            return true;
        }
    } recorder{&w.log};
    w.Find<CControlUI>(L"btn")->OnNotify += MakeDelegate(&recorder, &Recorder::OnNotify);
    ClickAt(w.GetHWND(), w.Center(L"btn"));
    std::vector<std::string> want = {"delegate:click", "click:btn", "OnClick:btn"};
    EXPECT_EQ(Only(w.log, ""), want);
}

TEST(Input, OptionClickArrivesBeforeItsSelectionChanges) {
    TestWindow w(kControls);
    ASSERT_TRUE(w.Open());
    ClickAt(w.GetHWND(), w.Center(L"opt_b"));
    std::vector<std::string> want = {"click:opt_b", "OnClick:opt_b(unselected)", "selectchanged:opt_b"};
    EXPECT_EQ(w.log, want);
    EXPECT_TRUE(w.Find<COptionUI>(L"opt_b")->IsSelected());
    EXPECT_FALSE(w.Find<COptionUI>(L"opt_a")->IsSelected()) << "one of a group";
    w.log.clear();
    ClickAt(w.GetHWND(), w.Center(L"opt_b"));
    EXPECT_TRUE(w.Find<COptionUI>(L"opt_b")->IsSelected()) << "clicking the selected option keeps it";
    EXPECT_EQ(std::count(w.log.begin(), w.log.end(), "selectchanged:opt_b"), 0);
}

TEST(Input, ProgrammaticSelectionNotifiesAtOnce) {
    TestWindow w(kControls);
    ASSERT_TRUE(w.Open());
    w.Find<COptionUI>(L"opt_b")->Selected(true);
    std::vector<std::string> group = {"selectchanged:opt_b"};
    EXPECT_EQ(w.log, group) << "in a group only the option that becomes selected";
    w.log.clear();
    auto* chk = w.Find<CCheckBoxUI>(L"chk");
    chk->SetCheck(true);
    chk->SetCheck(false);
    chk->SetCheck(false);
    std::vector<std::string> both = {"selectchanged:chk", "selectchanged:chk"};
    EXPECT_EQ(w.log, both) << "a check box on both transitions, nothing without a change";
}

TEST(Input, CustomControlsJoinAndLeaveAGroup) {
    TestWindow w(kControls);
    ASSERT_TRUE(w.Open());
    auto* extra = new COptionUI;
    extra->SetName(L"opt_c");
    extra->SetGroup(L"g");
    static_cast<CContainerUI*>(w.Find<CControlUI>(L"opt_a")->GetParent())->Add(extra);
    EXPECT_EQ(w.Pm().GetOptionGroup(L"g")->size(), 3u);
    extra->Selected(true);
    EXPECT_FALSE(w.Find<COptionUI>(L"opt_a")->IsSelected());
    extra->SetGroup(nullptr);
    EXPECT_EQ(w.Pm().GetOptionGroup(L"g")->size(), 2u);
    w.Find<COptionUI>(L"opt_a")->Selected(true);
    EXPECT_TRUE(extra->IsSelected()) << "out of the group it keeps its own state";
}

TEST(Input, EditTypingNotifiesButSetTextDoesNot) {
    TestWindow w(kControls);
    ASSERT_TRUE(w.Open());
    auto* edit = w.Find<CEditUI>(L"edit");
    ClickAt(w.GetHWND(), w.Center(L"edit"));
    EXPECT_EQ(w.Pm().GetFocus(), edit);
    TypeText(w.GetHWND(), L"ab中");
    EXPECT_EQ(edit->GetText(), CDuiString(L"ab中"));
    EXPECT_EQ(std::count(w.log.begin(), w.log.end(), "textchanged:edit"), 3);
    TypeText(w.GetHWND(), L"\b");
    EXPECT_EQ(edit->GetText(), CDuiString(L"ab"));
    w.log.clear();
    edit->SetText(L"set by code");
    EXPECT_TRUE(w.log.empty());
    PressKey(w.GetHWND(), VK_RETURN);
    EXPECT_EQ(std::count(w.log.begin(), w.log.end(), "return:edit"), 1);
    ClickAt(w.GetHWND(), w.Center(L"label"));
    EXPECT_EQ(std::count(w.log.begin(), w.log.end(), "killfocus:edit"), 1);
}

TEST(Input, NumberOnlyAndMaxCharLimitTyping) {
    TestWindow w(kControls);
    ASSERT_TRUE(w.Open());
    auto* digits = w.Find<CEditUI>(L"digits");
    ClickAt(w.GetHWND(), w.Center(L"digits"));
    TypeText(w.GetHWND(), L"1a2b34");
    EXPECT_EQ(digits->GetText(), CDuiString(L"123"));
    digits->SetSelAll();
    TypeText(w.GetHWND(), L"9");
    EXPECT_EQ(digits->GetText(), CDuiString(L"9")) << "typing replaces the selection";
}

TEST(Input, SliderDragSendsValueChangedOnRelease) {
    TestWindow w(kControls);
    ASSERT_TRUE(w.Open());
    auto* slider = w.Find<CSliderUI>(L"slider");
    RECT rc = slider->GetPos();
    POINT mid = {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    MoveTo(w.GetHWND(), {rc.left + 5, mid.y});
    PostMessageW(w.GetHWND(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(rc.left + 5, mid.y));
    PostMessageW(w.GetHWND(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(mid.x, mid.y));
    Pump(20);
    EXPECT_EQ(std::count(w.log.begin(), w.log.end(), "valuechanged:slider"), 0);
    PostMessageW(w.GetHWND(), WM_LBUTTONUP, 0, MAKELPARAM(mid.x, mid.y));
    Pump(20);
    EXPECT_EQ(std::count(w.log.begin(), w.log.end(), "valuechanged:slider"), 1);
    EXPECT_NEAR(slider->GetValue(), 50, 2);
    w.log.clear();
    slider->SetValue(10);
    EXPECT_TRUE(w.log.empty());
}

TEST(Input, SendInputClickIsAClick) {
    TestWindow w(kControls);
    ASSERT_TRUE(w.Open(200, 200, WS_EX_TOOLWINDOW | WS_EX_TOPMOST));
    POINT pt = w.Center(L"btn");
    ClientToScreen(w.GetHWND(), &pt);
    SetCursorPos(pt.x, pt.y);
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ASSERT_EQ(SendInput(2, input, sizeof(INPUT)), 2u);
    EXPECT_TRUE(PumpUntil([&] { return std::count(w.log.begin(), w.log.end(), "OnClick:btn") == 1; }));
}

TEST(Input, CaptionBandDragsExceptOverInteractiveControls) {
    TestWindow w(
        LR"(<Window size="200,100" caption="0,0,0,40"><VerticalLayout>
        <HorizontalLayout height="40"><Label name="title" text="标题"/><Button name="close" width="30" text="x"/></HorizontalLayout>
        <Label name="body"/></VerticalLayout></Window>)");
    ASSERT_TRUE(w.Open(50, 50));
    auto hit = [&](POINT pt) {
        ClientToScreen(w.GetHWND(), &pt);
        return SendMessageW(w.GetHWND(), WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y));
    };
    EXPECT_EQ(hit(w.Center(L"title")), HTCAPTION);
    EXPECT_EQ(hit(w.Center(L"close")), HTCLIENT);
    EXPECT_EQ(hit(w.Center(L"body")), HTCLIENT);
}

// A disabled container (from its layout, or from code) disables everything in it:
// its controls take no clicks (and paint in their disabled colours) until it is
// enabled again.
TEST(Input, ADisabledContainerDisablesItsControls) {
    TestWindow w(
        LR"(<Window size="240,120"><VerticalLayout bkcolor="#FFFFFFFF">
  <VerticalLayout name="group" height="60" enabled="false">
    <HorizontalLayout height="30"><CheckBox name="inner_chk" text="甲" width="80"/></HorizontalLayout>
    <Button name="inner_btn" text="乙" height="30" textcolor="#FF000000" disabledtextcolor="#FFA0A0A0"/>
  </VerticalLayout>
  <Button name="outer_btn" text="丙" height="30"/>
</VerticalLayout></Window>)");
    ASSERT_TRUE(w.Open());
    auto* group = w.Find<CContainerUI>(L"group");
    auto* chk = w.Find<CCheckBoxUI>(L"inner_chk");
    auto* btn = w.Find<CButtonUI>(L"inner_btn");
    EXPECT_FALSE(chk->IsEnabled()) << "disabled in the layout, before its controls were added";
    EXPECT_FALSE(btn->IsEnabled());
    ClickAt(w.GetHWND(), w.Center(L"inner_chk"));
    ClickAt(w.GetHWND(), w.Center(L"inner_btn"));
    EXPECT_FALSE(chk->IsSelected());
    EXPECT_TRUE(w.log.empty()) << w.log.front();

    group->SetEnabled(true);
    EXPECT_TRUE(chk->IsEnabled());
    ClickAt(w.GetHWND(), w.Center(L"inner_chk"));
    EXPECT_TRUE(chk->IsSelected());
    ClickAt(w.GetHWND(), w.Center(L"inner_btn"));
    EXPECT_NE(std::find(w.log.begin(), w.log.end(), "OnClick:inner_btn"), w.log.end());

    w.log.clear();
    group->SetEnabled(false);
    EXPECT_FALSE(chk->IsEnabled());
    EXPECT_FALSE(btn->IsEnabled());
    ClickAt(w.GetHWND(), w.Center(L"inner_chk"));
    EXPECT_TRUE(chk->IsSelected()) << "no longer clickable";
    ClickAt(w.GetHWND(), w.Center(L"outer_btn"));
    EXPECT_NE(std::find(w.log.begin(), w.log.end(), "OnClick:outer_btn"), w.log.end()) << "outside the group";
}
