// A tick shown in a real window built from a layout: the six digit images and the
// size label.
#include "app/progress/progress_view.h"

#include <gtest/gtest.h>

#include "tests/ui/ui_test_support.h"

using namespace DuiLib;
using namespace ui_test;

namespace {

const wchar_t* kMainLabels =
    LR"(<Window size="300,80"><VerticalLayout>
  <HorizontalLayout height="21">
    <Label name="time_ht" width="17"/><Label name="time_hu" width="17"/>
    <Label name="time_mt" width="17"/><Label name="time_mu" width="17"/>
    <Label name="time_st" width="17"/><Label name="time_su" width="17"/>
  </HorizontalLayout>
  <Label name="filesize" height="30"/>
</VerticalLayout></Window>)";

ProgressTick TickAt(uint64_t seconds) {
    ProgressTickInput in;
    in.m_uTimeNum = seconds - 1;
    in.m_nSaveFileSize = 47815066;
    in.freeBytes = 118ull << 30;
    return ComputeProgressTick(in);
}

TEST(ProgressView, DigitsAndSizeReachTheLabels) {
    TestWindow window(kMainLabels, L"ProgressViewTestWindow");
    ASSERT_TRUE(window.Open());
    CProgressView(window.Pm()).Show(TickAt(360000 + 45296 - 12 * 3600));  // 100:34:56
    struct Case {
        const wchar_t* name;
        const wchar_t* image;
    } cases[] = {{L"time_ht", L"other/10.png"}, {L"time_hu", L"other/0.png"}, {L"time_mt", L"other/3.png"},
                 {L"time_mu", L"other/4.png"},  {L"time_st", L"other/5.png"}, {L"time_su", L"other/6.png"}};
    for (const Case& c : cases) EXPECT_STREQ(window.Find<CControlUI>(c.name)->GetBkImage(), c.image) << Narrow(c.name);
    auto* size = window.Find<CLabelUI>(L"filesize");
    EXPECT_EQ(size->GetText(), CDuiString(L"   45.6MB/118GB"));
    EXPECT_EQ(size->GetTextStyle(), static_cast<UINT>(DT_CENTER | DT_SINGLELINE));
}

TEST(ProgressView, MissingLabelsAreSkipped) {
    TestWindow window(LR"(<Window size="100,40"><VerticalLayout><Label name="time_su"/></VerticalLayout></Window>)",
                      L"ProgressViewTestWindow");
    ASSERT_TRUE(window.Open());
    CProgressView(window.Pm()).Show(TickAt(7));
    EXPECT_STREQ(window.Find<CControlUI>(L"time_su")->GetBkImage(), L"other/7.png");
}

}  // namespace
