// Menus: built from a layout at a point, items found before they show, a
// choice takes the menu off the screen and posts its command record (freed by
// the receiver, or at once when the post fails), Esc and an outside click close it, the caller's slot is cleared,
// options inside a menu notify the window that opened it.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/ui/ui_test_support.h"

using namespace DuiLib;
using namespace ui_test;

namespace {

const wchar_t* kMenu =
    LR"(<Window><Menu name="menu" inset="2,2,2,2" bkcolor="#FFFFFFFF">
  <MenuElement name="preview" text="预览" userdata="u-preview" height="26"/>
  <MenuElement line="true"/>
  <MenuElement name="rename" text="重命名" height="26" enabled="false"/>
  <MenuElement name="holder" height="30"><VerticalLayout name="holder_list">
    <Option name="menu_opt" text="选项" height="26" group="m"/>
  </VerticalLayout></MenuElement>
</Menu></Window>)";

const wchar_t* kOwner = LR"(<Window size="200,100"><VerticalLayout bkcolor="#FFFFFFFF"/></Window>)";

struct MenuClick {
    std::wstring name, userData, text, elementText;
    int count = 0;
    HWND menu = nullptr;        // the menu the command comes from
    bool menuOnScreen = false;  // it was still shown when its command arrived
};

void WatchMenuClicks(TestWindow& owner, MenuClick& seen) {
    owner.onMessage = [&seen](UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) -> LRESULT {
        handled = false;
        if (msg != WM_MENUCLICK) return 0;
        auto* cmd = reinterpret_cast<MenuCmd*>(wParam);
        seen.name = cmd->name.Str();
        seen.userData = cmd->userData.Str();
        seen.text = cmd->text.Str();
        seen.elementText = reinterpret_cast<CControlUI*>(lParam)->GetText().Str();
        seen.menuOnScreen = IsWindow(seen.menu) && IsWindowVisible(seen.menu);
        ++seen.count;
        CPaintManagerUI::DeleteMenuCmd(cmd);
        handled = true;
        return 0;
    };
}

CMenuWnd* OpenMenu(TestWindow& owner, POINT at, CMenuWnd** slot) {
    return CMenuWnd::CreateMenu(nullptr, kMenu, at, &owner.Pm(), nullptr, eMenuAlignment_Left | eMenuAlignment_Top,
                                slot);
}

POINT CenterIn(CMenuWnd* menu, LPCTSTR name) {
    RECT rc = menu->FindControl(name)->GetPos();
    return POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}

}  // namespace

TEST(Menu, ChoosingAnItemPostsItsRecordAndTheMenuGoes) {
    TestWindow owner(kOwner, L"UiMenuOwner");
    ASSERT_TRUE(owner.Open(100, 100, 0));
    MenuClick seen;
    WatchMenuClicks(owner, seen);
    CMenuWnd* slot = nullptr;
    CMenuWnd* menu = OpenMenu(owner, POINT{150, 150}, &slot);
    ASSERT_NE(menu, nullptr);
    seen.menu = menu->GetHWND();
    EXPECT_EQ(slot, menu);
    ASSERT_NE(menu->FindControl(L"preview"), nullptr) << "items are found before the menu is used";
    menu->FindControl(L"preview")->SetText(L"预览文件");
    menu->ResizeMenu();
    RECT rc = {};
    GetWindowRect(menu->GetHWND(), &rc);
    EXPECT_EQ(rc.left, 150);
    EXPECT_EQ(rc.top, 150);
    Pump(30);
    ClickAt(menu->GetHWND(), CenterIn(menu, L"rename"));
    EXPECT_EQ(seen.count, 0) << "a disabled item does nothing";
    ClickAt(menu->GetHWND(), CenterIn(menu, L"preview"));
    EXPECT_TRUE(PumpUntil([&] { return seen.count == 1 && slot == nullptr; }));
    EXPECT_EQ(seen.name, L"preview");
    EXPECT_EQ(seen.userData, L"u-preview");
    EXPECT_EQ(seen.text, L"预览文件");
    EXPECT_EQ(seen.elementText, L"预览文件") << "lParam stays valid until the record is freed";
    EXPECT_FALSE(seen.menuOnScreen) << "a command that takes a picture of the screen must not find the menu on it";
    EXPECT_EQ(CMenuWnd::PendingCommandCount(), 0);
}

TEST(Menu, ARecordThatCannotBePostedIsFreed) {
    EnsureTestSkin();
    CPaintManagerUI detached;  // no window: nobody to receive the command
    CMenuWnd* slot = nullptr;
    CMenuWnd* menu = CMenuWnd::CreateMenu(nullptr, kMenu, POINT{100, 100}, &detached, nullptr,
                                          eMenuAlignment_Left | eMenuAlignment_Top, &slot);
    ASSERT_NE(menu, nullptr);
    Pump(30);
    ClickAt(menu->GetHWND(), CenterIn(menu, L"preview"));
    EXPECT_TRUE(PumpUntil([&] { return slot == nullptr; }));
    EXPECT_EQ(CMenuWnd::PendingCommandCount(), 0);
}

TEST(Menu, EscapeClosesAndAlignmentOpensUpwards) {
    TestWindow owner(kOwner, L"UiMenuOwner");
    ASSERT_TRUE(owner.Open(100, 100, 0));
    CMenuWnd* slot = nullptr;
    auto* menu = new CMenuWnd(&slot);
    ASSERT_TRUE(menu->Init(nullptr, kMenu, POINT{300, 500}, &owner.Pm(), nullptr, eMenuAlignment_Bottom));
    RECT rc = {};
    GetWindowRect(menu->GetHWND(), &rc);
    EXPECT_EQ(rc.bottom, 500) << "bottom alignment: the menu ends at the point";
    menu->ResizeClient(90, -1);
    GetClientRect(menu->GetHWND(), &rc);
    EXPECT_EQ(rc.right, 90);
    PostMessageW(menu->GetHWND(), WM_KEYDOWN, VK_ESCAPE, 1);
    EXPECT_TRUE(PumpUntil([&] { return slot == nullptr; }));
}

TEST(Menu, OptionsInsideAMenuNotifyTheOwnerWindow) {
    TestWindow owner(kOwner, L"UiMenuOwner");
    ASSERT_TRUE(owner.Open(100, 100, 0));
    CMenuWnd* slot = nullptr;
    CMenuWnd* menu = OpenMenu(owner, POINT{150, 150}, &slot);
    ASSERT_NE(menu, nullptr);
    auto* holder = static_cast<CContainerUI*>(menu->FindControl(L"holder_list"));
    auto* added = new COptionUI;
    added->SetName(L"added_opt");
    added->SetFixedHeight(26);
    added->SetTag(reinterpret_cast<UINT_PTR>(menu));
    holder->Add(added);
    menu->ResizeMenu();
    Pump(30);
    ClickAt(menu->GetHWND(), CenterIn(menu, L"menu_opt"));
    EXPECT_NE(std::find(owner.log.begin(), owner.log.end(), "OnClick:menu_opt(unselected)"), owner.log.end());
    EXPECT_NE(std::find(owner.log.begin(), owner.log.end(), "selectchanged:menu_opt"), owner.log.end());
    EXPECT_EQ(slot, menu) << "an option does not close the menu by itself";
    reinterpret_cast<CMenuWnd*>(added->GetTag())->Close();
    EXPECT_TRUE(PumpUntil([&] { return slot == nullptr; }));
}

TEST(Menu, AClickOutsideClosesTheMenu) {
    TestWindow owner(kOwner, L"UiMenuOwner");
    ASSERT_TRUE(owner.Open(100, 100, WS_EX_TOPMOST));
    CMenuWnd* slot = nullptr;
    CMenuWnd* menu = OpenMenu(owner, POINT{500, 400}, &slot);
    ASSERT_NE(menu, nullptr);
    Pump(50);
    POINT outside = {150, 150};
    SetCursorPos(outside.x, outside.y);
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, input, sizeof(INPUT));
    EXPECT_TRUE(PumpUntil([&] { return slot == nullptr; }));
}

TEST(Menu, DeletingALiveMenuClosesItAndClearsTheSlot) {
    TestWindow owner(kOwner, L"UiMenuOwner");
    ASSERT_TRUE(owner.Open(100, 100, 0));
    CMenuWnd* slot = nullptr;
    CMenuWnd* menu = OpenMenu(owner, POINT{150, 150}, &slot);
    ASSERT_NE(menu, nullptr);
    HWND hwnd = menu->GetHWND();
    delete menu;
    EXPECT_EQ(slot, nullptr);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(CMenuWnd::CreateMenu(nullptr, L"<Window><VerticalLayout", POINT{0, 0}, &owner.Pm()), nullptr)
        << "a layout that does not build gives no menu";
}
