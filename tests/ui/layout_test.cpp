// Layouts build from XML and place controls where the attributes say.
#include <gtest/gtest.h>

#include "common/logger.h"
#include "common/text_convert.h"
#include "tests/support/test_support.h"
#include "tests/ui/ui_test_support.h"
#include "ui/core/layout_names.h"

using namespace DuiLib;
using ui_test::TestWindow;

namespace {

const wchar_t* kEveryTag =
    LR"(<?xml version="1.0" encoding="utf-8"?>
<Window size="400,400">
  <Font name="Tahoma" size="12" default="true"/>
  <Default name="Label" value="textcolor=&quot;#FF112233&quot;"/>
  <Style name="big" value="height=&quot;50&quot;"/>
  <VerticalLayout name="root" inset="10,10,10,10" childpadding="5" bkcolor="#FFFFFFFF">
    <HorizontalLayout name="row1" height="40" childpadding="4">
      <Control name="fixed" width="100"/>
      <Label name="flex1" text="a"/>
      <Button name="flex2" text="b" padding="2,3,4,5"/>
    </HorizontalLayout>
    <Container name="box" style="big">
      <Control name="boxchild"/>
      <Text name="floating" float="true" pos="20,5,60,25" text="浮动"/>
    </Container>
    <TabLayout name="tabs" height="30" selectedid="1">
      <Control name="page0"/>
      <Control name="page1"/>
    </TabLayout>
    <Option name="opt" height="20"/>
    <CheckBox name="chk" height="20"/>
    <Edit name="edit" height="20"/>
    <RichEdit name="rich" height="20"/>
    <Slider name="slider" height="20"/>
    <Combo name="combo" height="20"><ListLabelElement text="x"/></Combo>
    <List name="list"><ListHeader><ListHeaderItem width="50"/></ListHeader><ListTextElement name="row"/></List>
    <Custom name="custom" height="10"/>
  </VerticalLayout>
</Window>)";

class CCustomUI : public CLabelUI {
public:
    LPCTSTR GetClass() const override { return L"CustomUI"; }
    LPVOID GetInterface(LPCTSTR name) override {
        return _wcsicmp(name, L"Custom") == 0 ? this : CLabelUI::GetInterface(name);
    }
};

void ExpectRect(CControlUI* c, RECT want, const char* what) {
    ASSERT_NE(c, nullptr) << what;
    RECT got = c->GetPos();
    EXPECT_EQ(got.left, want.left) << what;
    EXPECT_EQ(got.top, want.top) << what;
    EXPECT_EQ(got.right, want.right) << what;
    EXPECT_EQ(got.bottom, want.bottom) << what;
}

}  // namespace

TEST(Layout, EveryTagBuildsAndLaysOutAtTheExpectedRectangles) {
    TestWindow w(kEveryTag);
    w.makeControl = [](LPCTSTR tag) -> CControlUI* { return wcscmp(tag, L"Custom") == 0 ? new CCustomUI : nullptr; };
    ASSERT_TRUE(w.Open());
    struct Case {
        LPCTSTR name;
        RECT rect;
    } cases[] = {
        {L"root", {0, 0, 400, 400}},       {L"row1", {10, 10, 390, 50}},    {L"fixed", {10, 10, 110, 50}},
        {L"flex1", {114, 10, 247, 50}},    {L"flex2", {253, 13, 386, 45}},  {L"box", {10, 55, 390, 105}},
        {L"boxchild", {10, 55, 390, 105}}, {L"floating", {30, 60, 70, 80}}, {L"tabs", {10, 110, 390, 140}},
        {L"page1", {10, 110, 390, 140}},   {L"opt", {10, 145, 390, 165}},   {L"chk", {10, 170, 390, 190}},
        {L"edit", {10, 195, 390, 215}},    {L"rich", {10, 220, 390, 240}},  {L"slider", {10, 245, 390, 265}},
        {L"combo", {10, 270, 390, 290}},   {L"list", {10, 295, 390, 375}},  {L"custom", {10, 380, 390, 390}},
    };
    for (const Case& c : cases) ExpectRect(w.Pm().FindControl(c.name), c.rect, ui_test::Narrow(c.name).c_str());
    EXPECT_FALSE(w.Find<CControlUI>(L"page0")->IsVisible());
    EXPECT_TRUE(w.Find<CControlUI>(L"page1")->IsVisible());
    EXPECT_EQ(w.Find<CLabelUI>(L"flex1")->GetTextColor(), 0xFF112233u) << "Default attributes apply by tag";
    EXPECT_NE(w.Find<CControlUI>(L"custom")->GetInterface(L"Custom"), nullptr)
        << "unknown tags come from CreateControl";
    RECT client = {};
    GetClientRect(w.GetHWND(), &client);
    EXPECT_EQ(client.right, 400) << "the Window size attribute sizes the window";
}

TEST(Layout, InterfacesFollowInheritance) {
    TestWindow w(kEveryTag);
    w.makeControl = [](LPCTSTR) -> CControlUI* { return new CCustomUI; };
    ASSERT_TRUE(w.Open());
    struct Case {
        LPCTSTR name;
        LPCTSTR iface;
        bool has;
    } cases[] = {
        {L"opt", L"Option", true},       {L"opt", L"Button", true},     {L"opt", L"Label", true},
        {L"chk", L"CheckBox", true},     {L"chk", L"Option", true},     {L"flex2", L"Option", false},
        {L"rich", L"Edit", true},        {L"edit", L"RichEdit", false}, {L"list", L"IListOwner", true},
        {L"combo", L"IListOwner", true}, {L"row", L"ListItem", true},   {L"tabs", L"Container", true},
    };
    for (const Case& c : cases) {
        CControlUI* control = w.Pm().FindControl(c.name);
        ASSERT_NE(control, nullptr) << ui_test::Narrow(c.name);
        EXPECT_EQ(control->GetInterface(c.iface) != nullptr, c.has)
            << ui_test::Narrow(c.name) << " as " << ui_test::Narrow(c.iface);
    }
}

TEST(Layout, TabLayoutSelectsAPageAndMissingNamesGiveNull) {
    TestWindow w(kEveryTag);
    w.makeControl = [](LPCTSTR) -> CControlUI* { return new CCustomUI; };
    ASSERT_TRUE(w.Open());
    auto* tabs = w.Find<CTabLayoutUI>(L"tabs");
    EXPECT_TRUE(tabs->SelectItem(0));
    w.Pm().UpdateLayout();
    EXPECT_TRUE(w.Find<CControlUI>(L"page0")->IsVisible());
    EXPECT_FALSE(w.Find<CControlUI>(L"page1")->IsVisible());
    EXPECT_FALSE(tabs->SelectItem(5));
    EXPECT_EQ(w.Pm().FindControl(L"no_such_control"), nullptr);
    EXPECT_EQ(w.Pm().FindControl(L""), nullptr);
}

// A name list's entry finds its control only with the interface it names.
TEST(Layout, NamedControlsAreFoundOnlyWithTheirInterface) {
    TestWindow w(kEveryTag);
    w.makeControl = [](LPCTSTR) -> CControlUI* { return new CCustomUI; };
    ASSERT_TRUE(w.Open());
    const struct {
        LayoutName entry;
        bool found;
    } cases[] = {
        {{L"opt", kOptionInterface}, true},       {{L"chk", kOptionInterface}, true},
        {{L"flex2", kButtonInterface}, true},     {{L"flex2", kOptionInterface}, false},
        {{L"combo", kComboInterface}, true},      {{L"edit", kComboInterface}, false},
        {{L"box", kContainerInterface}, true},    {{L"tabs", kTabLayoutInterface}, true},
        {{L"missing", kControlInterface}, false},
    };
    for (const auto& c : cases) {
        CControlUI* control = FindNamed<CControlUI>(w.Pm(), c.entry);
        EXPECT_EQ(control != nullptr, c.found) << WideToUtf8(c.entry.name);
        if (control) EXPECT_EQ(control, w.Pm().FindControl(c.entry.name));
    }
}

TEST(Layout, IncludedFilesAndResourceIdsBuildInPlace) {
    TestWindow w(L"XML_SHOWCASE");
    ASSERT_TRUE(w.Open());
    ASSERT_NE(w.Pm().FindControl(L"included_button"), nullptr);
    EXPECT_EQ(w.Find<CControlUI>(L"included_label")->GetText(), CDuiString(L"包含的行"));
    auto* list = w.Find<CListUI>(L"files");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->GetHeader()->GetCount(), 3);
}

TEST(Layout, BuildsALayoutIntoAnExistingContainer) {
    TestWindow w(kEveryTag);
    w.makeControl = [](LPCTSTR) -> CControlUI* { return new CCustomUI; };
    ASSERT_TRUE(w.Open());
    auto* box = w.Find<CContainerUI>(L"box");
    int before = box->GetCount();
    CDialogBuilder builder;
    CControlUI* built = builder.Create(L"XML_ROW", nullptr, nullptr, &w.Pm(), box);
    ASSERT_NE(built, nullptr);
    EXPECT_EQ(box->GetCount(), before + 1);
    EXPECT_EQ(w.Pm().FindControl(L"included_row"), built);
    EXPECT_EQ(built->GetParent(), box);
}

TEST(Layout, ScrollingContainerReportsRangeAndSendsScroll) {
    TestWindow w(
        LR"(<Window size="200,100"><VerticalLayout name="page" vscrollbar="true">
        <Control name="a" height="80"/><Control name="b" height="80"/><Control name="c" height="80"/>
        </VerticalLayout></Window>)");
    ASSERT_TRUE(w.Open());
    auto* page = w.Find<CContainerUI>(L"page");
    EXPECT_EQ(page->GetScrollRange().cy, 140);
    page->SetScrollPos(SIZE{0, 90});
    EXPECT_EQ(page->GetScrollPos().cy, 90);
    EXPECT_EQ(w.Find<CControlUI>(L"b")->GetPos().top, 80 - 90);
    ASSERT_FALSE(w.log.empty());
    EXPECT_EQ(w.log.back(), "scroll:page");
    page->SetScrollPos(SIZE{0, 1000});
    EXPECT_EQ(page->GetScrollPos().cy, 140) << "clamped to the range";
}

TEST(Layout, MalformedOrMissingLayoutsFailWithALoggedError) {
    testing_support::TempDir dir;
    std::string logPath = WideToUtf8(dir.File(L"ui.log"));
    g_logger.Close();
    ASSERT_TRUE(g_logger.Open(logPath.c_str()));
    struct Case {
        const wchar_t* layout;
        const char* logged;
    } cases[] = {
        {L"<Window><VerticalLayout name=\"x\"></Window>", "CDialogBuilder::Create"},
        {L"no_such_layout.xml", "layout not found"},
        {L"<Window size=\"10,10\"></Window>", "holds no control"},
    };
    std::vector<std::wstring> boxes;
    WindowImplBase::SetLayoutFailureNotice(
        [&](const wchar_t* text, const wchar_t* caption) { boxes.push_back(std::wstring(caption) + L"|" + text); });
    for (const Case& c : cases) {
        TestWindow w(c.layout, L"UiBadLayout");
        EXPECT_FALSE(w.Open()) << ui_test::Narrow(c.layout);
        EXPECT_EQ(w.GetHWND(), nullptr);
    }
    ui_test::UseQuietLayoutFailureNotice();
    ASSERT_EQ(boxes.size(), 3u) << "the user is told of every layout that failed";
    EXPECT_EQ(boxes[1], L"Duilib|加载资源文件失败：no_such_layout.xml");
    g_logger.Close();
    std::string text = testing_support::ReadFileBytes(dir.File(L"ui.log"));
    for (const Case& c : cases) EXPECT_NE(text.find(c.logged), std::string::npos) << c.logged;
    EXPECT_NE(text.find("WindowImplBase::OnCreate"), std::string::npos);
}
