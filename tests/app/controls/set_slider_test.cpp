// The volume slider: where its bar ends for a value, the layout attribute, the
// mouse wheel, and one real paint of bar and thumb in a window.
#include "app/controls/set_slider.h"

#include <gtest/gtest.h>

#include "app/controls/app_controls.h"
#include "tests/ui/ui_test_support.h"

using namespace DuiLib;
using namespace ui_test;

namespace {

TEST(SetSlider, BarEndsAtTheValueAcrossTheWholeControl) {
    struct Case {
        int min, max, value, width;
        const wchar_t* dest;
        long right;    // of the bar after painting
        int maxAfter;  // the maximum after painting
    } cases[] = {
        {0, 100, 0, 88, L"0,7,88,10", 0, 100},    {0, 100, 100, 88, L"0,7,88,10", 88, 100},
        {0, 100, 100, 88, L"0,7,60,10", 88, 100},  // the full width, whatever the layout said
        {0, 100, 50, 88, L"0,7,88,10", 44, 100},  {0, 100, 33, 88, L"0,7,88,10", 29, 100},  // 29.04, truncated
        {0, 100, 99, 88, L"0,7,88,10", 87, 100},                                            // 87.12
        {10, 20, 15, 88, L"0,7,88,10", 44, 20},   {-50, 50, 0, 88, L"0,7,88,10", 44, 50},
        {50, 50, 50, 88, L"0,7,88,10", 0, 51},  // an empty range becomes one step
        {0, 100, 40, 0, L"0,7,88,10", 0, 100},  // not laid out yet
    };
    for (const Case& c : cases) {
        SetSlider slider;
        slider.SetAttribute(L"min", std::to_wstring(c.min).c_str());
        slider.SetAttribute(L"max", std::to_wstring(c.max).c_str());
        slider.SetAttribute(L"value", std::to_wstring(c.value).c_str());
        slider.SetAttribute(L"foreimagedest", c.dest);
        slider.SetPos(RECT{10, 20, 10 + c.width, 36}, false);
        slider.PaintForeImage(nullptr);
        RECT dest = slider.GetForeImageDest();
        EXPECT_EQ(dest.right, c.right) << c.min << ".." << c.max << " value " << c.value;
        EXPECT_EQ(dest.left, 0);
        EXPECT_EQ(dest.top, 7);
        EXPECT_EQ(dest.bottom, 10);
        EXPECT_EQ(slider.GetMaxValue(), c.maxAfter);
    }
}

TEST(SetSlider, VerticalSliderKeepsItsRectangle) {
    SetSlider slider;
    slider.SetAttribute(L"hor", L"false");
    slider.SetAttribute(L"value", L"50");
    slider.SetAttribute(L"foreimagedest", L"7,0,10,88");
    slider.SetPos(RECT{0, 0, 16, 88}, false);
    slider.PaintForeImage(nullptr);
    EXPECT_EQ(slider.GetForeImageDest().right, 10);
    EXPECT_EQ(slider.GetForeImageDest().bottom, 88);
}

TEST(SetSlider, AttributeAndIdentity) {
    struct Case {
        const wchar_t* value;
        RECT rc;
    } cases[] = {
        {L"0,7,88,10", {0, 7, 88, 10}},
        {L"3, 4, 5, 6", {3, 4, 5, 6}},
        {L"1,2", {1, 2, 0, 0}},  // a short value leaves the rest 0
        {L"", {0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        SetSlider slider;
        slider.SetAttribute(L"foreimagedest", c.value);
        RECT rc = slider.GetForeImageDest();
        EXPECT_TRUE(EqualRect(&rc, &c.rc)) << Narrow(c.value);
    }
    SetSlider slider;
    slider.SetAttribute(L"max", L"40");  // other attributes reach the stock slider
    EXPECT_EQ(slider.GetMaxValue(), 40);
    EXPECT_STREQ(slider.GetClass(), L"SetSliderUI");
    EXPECT_EQ(slider.GetInterface(L"SetSlider"), &slider);
    EXPECT_EQ(slider.GetInterface(L"Slider"), &slider);
    EXPECT_EQ(slider.GetInterface(L"Edit"), nullptr);
}

TEST(SetSlider, MadeForItsLayoutTagOnly) {
    CControlUI* control = CreateAppControl(L"SetSlider");
    ASSERT_NE(control, nullptr);
    EXPECT_STREQ(control->GetClass(), L"SetSliderUI");
    delete control;
    EXPECT_EQ(CreateAppControl(L"Slider"), nullptr);
    EXPECT_EQ(CreateAppControl(L"setslider"), nullptr);
    EXPECT_EQ(CreateAppControl(nullptr), nullptr);
}

// Bar red (rows 7 to 9), thumb 16 x 16: green, blue when hot, yellow when pressed.
const wchar_t* kSliders =
    LR"(<Window size="200,60"><VerticalLayout bkcolor="#FFFFFFFF">
  <HorizontalLayout height="16">
    <SetSlider name="set" width="88" height="16" min="0" max="100" value="50"
      foreimage="img/fore.png" foreimagedest="0,7,60,10" thumbsize="16,16"
      thumbimage="file='img/thumb.png' source='0,0,16,16'"
      thumbhotimage="file='img/thumb.png' source='0,16,16,32'"
      thumbpushedimage="file='img/thumb.png' source='0,32,16,48'"/>
  </HorizontalLayout>
  <Slider name="stock" height="16" min="0" max="100" value="50" thumbsize="10,10"/>
</VerticalLayout></Window>)";

constexpr DWORD kWhite = 0xFFFFFFFF;
constexpr DWORD kBar = 0xFFFF0000;
constexpr DWORD kThumb = 0xFF00FF00;
constexpr DWORD kThumbHot = 0xFF0000FF;
constexpr DWORD kThumbPushed = 0xFFFFFF00;

class SliderWindow : public ::testing::Test {
protected:
    void SetUp() override {
        window.makeControl = [](LPCTSTR tag) { return CreateAppControl(tag); };
        ASSERT_TRUE(window.Open());
        slider = window.Find<SetSlider>(L"set");
        ASSERT_NE(slider, nullptr);
        ASSERT_NE(slider->GetInterface(L"SetSlider"), nullptr);
    }
    DWORD At(int x, int y) { return window.BufferPixel(x, y) | 0xFF000000; }
    void Wheel(LPCTSTR name, int delta) {
        POINT pt = window.Center(name);
        ClientToScreen(window.GetHWND(), &pt);
        PostMessageW(window.GetHWND(), WM_MOUSEWHEEL, MAKEWPARAM(0, delta), MAKELPARAM(pt.x, pt.y));
        Pump(20);
    }

    TestWindow window{kSliders, L"SetSliderTestWindow"};
    SetSlider* slider = nullptr;
};

TEST_F(SliderWindow, PaintsTheBarInItsRectangleAndTheThumbOverIt) {
    // Value 50: bar 0..44 in rows 7..9, thumb at 36..52.
    EXPECT_EQ(At(2, 7), kBar);
    EXPECT_EQ(At(2, 9), kBar);
    EXPECT_EQ(At(35, 8), kBar);
    EXPECT_EQ(At(2, 6), kWhite);
    EXPECT_EQ(At(2, 10), kWhite);
    EXPECT_EQ(At(40, 2), kThumb);
    EXPECT_EQ(At(40, 8), kThumb);
    EXPECT_EQ(At(55, 8), kWhite);

    slider->SetValue(100);  // past the layout's right edge of 60, to the full width
    EXPECT_EQ(At(65, 8), kBar);
    EXPECT_EQ(At(80, 8), kThumb);
    EXPECT_EQ(At(89, 8), kWhite);

    slider->SetValue(0);
    EXPECT_EQ(At(20, 8), kWhite);
    EXPECT_EQ(At(8, 8), kThumb);
}

TEST_F(SliderWindow, ThumbShowsHotAndPressedStates) {
    RECT thumb = slider->GetThumbRect();
    POINT centre = {(thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2};
    MoveTo(window.GetHWND(), centre);
    EXPECT_EQ(At(centre.x, centre.y), kThumbHot);
    PostMessageW(window.GetHWND(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(centre.x, centre.y));
    Pump(20);
    EXPECT_EQ(At(centre.x, centre.y), kThumbPushed);
    PostMessageW(window.GetHWND(), WM_LBUTTONUP, 0, MAKELPARAM(centre.x, centre.y));
    Pump(20);
    EXPECT_EQ(At(centre.x, centre.y), kThumbHot);
}

TEST_F(SliderWindow, WheelDoesNotMoveIt) {
    Wheel(L"set", WHEEL_DELTA);
    Wheel(L"set", -WHEEL_DELTA);
    Wheel(L"set", -WHEEL_DELTA);
    EXPECT_EQ(slider->GetValue(), 50);
    EXPECT_TRUE(window.log.empty());
    Wheel(L"stock", -WHEEL_DELTA);  // the same message moves a stock slider
    EXPECT_EQ(window.Find<CSliderUI>(L"stock")->GetValue(), 49);
}

}  // namespace
