// Lists and combos: rows added at run time, per-column text, selection (single,
// multiple, without focus), removal, the order of row notifications, the
// right-click menu notification, and a combo's drop-down.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/ui/ui_test_support.h"

using namespace DuiLib;
using namespace ui_test;

namespace {

const wchar_t* kLists =
    LR"(<Window size="300,260"><VerticalLayout bkcolor="#FFFFFFFF">
  <List name="list" height="150" header="hidden" multiselect="true">
    <ListHeader><ListHeaderItem width="40"/><ListHeaderItem width="120"/><ListHeaderItem/></ListHeader>
  </List>
  <Combo name="combo" height="26" dropboxsize="0,120"/>
  <Label name="away" height="40"/>
</VerticalLayout></Window>)";

CListTextElementUI* AddRow(CListUI* list, const wchar_t* name, int at = -1) {
    auto* row = new CListTextElementUI;
    row->SetName(name);
    row->SetFixedHeight(30);
    at < 0 ? list->Add(row) : list->AddAt(row, at);
    row->SetText(1, name);
    return row;
}

std::vector<int> Selected(CListUI* list) {
    std::vector<int> rows;
    for (int i = list->GetNextSelItem(-1); i != -1; i = list->GetNextSelItem(i)) rows.push_back(i);
    return rows;
}

// The row and list notifications ("item..."), in order.
std::vector<std::string> ItemEvents(const std::vector<std::string>& log) {
    std::vector<std::string> got;
    for (auto& e : log)
        if (e.rfind("item", 0) == 0) got.push_back(e);
    return got;
}

POINT RowCenter(CListUI* list, int index) {
    RECT rc = list->GetItemAt(index)->GetPos();
    return POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}

}  // namespace

TEST(Lists, RowsTakePerColumnTextAndTheHiddenHeaderGivesColumns) {
    TestWindow w(kLists);
    ASSERT_TRUE(w.Open());
    auto* list = w.Find<CListUI>(L"list");
    auto* row = AddRow(list, L"a.mp4");
    row->SetText(2, L"00:01:02");
    w.Pm().UpdateLayout();
    EXPECT_STREQ(row->GetText(1), L"a.mp4");
    EXPECT_STREQ(row->GetText(2), L"00:01:02");
    EXPECT_STREQ(row->GetText(5), L"") << "a column never set is empty";
    TListInfoUI* info = list->GetListInfo();
    ASSERT_EQ(info->nColumns, 3);
    EXPECT_EQ(info->rcColumn[1].left - info->rcColumn[0].left, 40);
    EXPECT_EQ(info->rcColumn[1].right - info->rcColumn[1].left, 120);
}

TEST(Lists, ClickSelectsThenSendsItemClick) {
    TestWindow w(kLists);
    ASSERT_TRUE(w.Open());
    auto* list = w.Find<CListUI>(L"list");
    for (auto* name : {L"r0", L"r1", L"r2"}) AddRow(list, name);
    w.Pm().UpdateLayout();
    struct RowWatch {
        CListUI* list;
        int selectedAtClick = -2;
        bool OnRow(TNotifyUI* msg) {
            if (msg->sType == DUI_MSGTYPE_ITEMCLICK) selectedAtClick = list->GetCurSel();
            return true;
        }
    } watch{list};
    list->GetItemAt(1)->OnNotify += MakeDelegate(&watch, &RowWatch::OnRow);
    w.log.clear();
    ClickAt(w.GetHWND(), RowCenter(list, 1));
    std::vector<std::string> want = {"itemselect:list", "itemclick:r1"};
    EXPECT_EQ(ItemEvents(w.log), want);
    EXPECT_EQ(watch.selectedAtClick, 1) << "the selection changed before itemclick";
    ClickAt(w.GetHWND(), RowCenter(list, 2), WM_LBUTTONDOWN, WM_LBUTTONUP, MK_CONTROL);
    EXPECT_EQ(Selected(list), (std::vector<int>{1, 2})) << "Ctrl adds to the selection";
    ClickAt(w.GetHWND(), RowCenter(list, 0));
    EXPECT_EQ(Selected(list), (std::vector<int>{0}));
}

TEST(Lists, RightClickSendsMenuWithTheRowAndKeepsTheSelection) {
    TestWindow w(kLists);
    ASSERT_TRUE(w.Open());
    auto* list = w.Find<CListUI>(L"list");
    for (auto* name : {L"r0", L"r1", L"r2"}) AddRow(list, name);
    w.Pm().UpdateLayout();
    list->SelectItem(0);
    CControlUI* menuRow = nullptr;
    w.onMessage = [](UINT, WPARAM, LPARAM, bool& handled) {
        handled = false;
        return LRESULT(0);
    };
    struct MenuWatch {
        CControlUI** row;
        bool OnList(TNotifyUI* msg) {
            if (msg->sType == DUI_MSGTYPE_MENU) *row = reinterpret_cast<CControlUI*>(msg->lParam);
            return true;
        }
    } watch{&menuRow};
    list->OnNotify += MakeDelegate(&watch, &MenuWatch::OnList);
    w.log.clear();
    ClickAt(w.GetHWND(), RowCenter(list, 2), WM_RBUTTONDOWN, WM_RBUTTONUP);
    EXPECT_NE(std::find(w.log.begin(), w.log.end(), "itemrclick:r2"), w.log.end());
    EXPECT_NE(std::find(w.log.begin(), w.log.end(), "menu:list"), w.log.end());
    EXPECT_EQ(menuRow, list->GetItemAt(2));
    EXPECT_EQ(Selected(list), (std::vector<int>{0})) << "the receiver decides what the right click selects";
}

TEST(Lists, SelectionFollowsInsertsAndRemovals) {
    TestWindow w(kLists);
    ASSERT_TRUE(w.Open());
    auto* list = w.Find<CListUI>(L"list");
    for (auto* name : {L"r0", L"r1", L"r2", L"r3"}) AddRow(list, name);
    list->SelectItem(1);
    list->SelectMultiItem(3);
    EXPECT_EQ(list->GetSelectItemCount(), 2);
    EXPECT_EQ(list->GetNextSelItem(3), -1) << "-1 after the last";
    EXPECT_EQ(w.Pm().GetFocus(), nullptr) << "selection without taking the focus";
    AddRow(list, L"top", 0);
    EXPECT_EQ(Selected(list), (std::vector<int>{2, 4}));
    EXPECT_TRUE(list->RemoveAt(2));
    EXPECT_EQ(Selected(list), (std::vector<int>{3}));
    EXPECT_EQ(list->GetItemAt(3)->GetName(), CDuiString(L"r3"));
    EXPECT_FALSE(list->RemoveAt(10));
    list->SelectAllItems();
    EXPECT_EQ(list->GetSelectItemCount(), list->GetCount());
    list->UnSelectAllItems();
    EXPECT_EQ(list->GetCurSel(), -1);
    list->RemoveAll();
    EXPECT_EQ(list->GetCount(), 0);
}

TEST(Lists, ComboItemsAtRunTimeAndChoosingFromTheDropDown) {
    TestWindow w(kLists);
    ASSERT_TRUE(w.Open());
    auto* combo = w.Find<CComboUI>(L"combo");
    for (auto* text : {L"不做任何操作", L"退出程序", L"关机"}) {
        auto* item = new CListLabelElementUI;
        item->SetText(text);
        item->SetName(text);
        item->SetFixedHeight(22);
        combo->Add(item);
    }
    EXPECT_TRUE(combo->SelectItem(1, false));
    EXPECT_EQ(combo->GetText(), CDuiString(L"退出程序"));
    EXPECT_EQ(std::count(w.log.begin(), w.log.end(), "itemselect:combo"), 1);
    EXPECT_EQ(w.Pm().GetFocus(), nullptr);
    w.log.clear();
    ClickAt(w.GetHWND(), w.Center(L"combo"));
    HWND drop = nullptr;
    ASSERT_TRUE(
        PumpUntil([&] { return (drop = FindWindowW(L"ComboWnd", nullptr)) != nullptr && IsWindowVisible(drop); }));
    EXPECT_TRUE(combo->IsDropped());
    ClickAt(drop, POINT{20, 1 + 22 * 2 + 11});
    EXPECT_TRUE(PumpUntil([&] { return !combo->IsDropped(); }));
    EXPECT_EQ(combo->GetText(), CDuiString(L"关机"));
    std::vector<std::string> want = {"itemselect:combo", "itemclick:" + Narrow(L"关机")};
    EXPECT_EQ(ItemEvents(w.log), want);
    EXPECT_TRUE(combo->RemoveAt(2));
    EXPECT_EQ(combo->GetCurSel(), -1);
    EXPECT_EQ(combo->GetText(), CDuiString(L""));
}

// A disabled combo (or one in a disabled row) still shows a choice made by code,
// and keeps it when enabled again; an enabled combo refuses a disabled item.
TEST(Lists, ADisabledComboTakesAChoiceByCode) {
    TestWindow w(kLists);
    ASSERT_TRUE(w.Open());
    auto* combo = w.Find<CComboUI>(L"combo");
    combo->SetEnabled(false);
    for (auto* text : {L"不做任何操作", L"睡眠"}) {
        auto* item = new CListLabelElementUI;
        item->SetText(text);
        combo->Add(item);
    }
    EXPECT_FALSE(combo->GetItemAt(1)->IsEnabled());
    EXPECT_TRUE(combo->SelectItem(1, false, false));
    EXPECT_EQ(combo->GetText(), CDuiString(L"睡眠"));
    combo->SetEnabled(true);
    EXPECT_EQ(combo->GetText(), CDuiString(L"睡眠"));
    combo->GetItemAt(0)->SetEnabled(false);
    EXPECT_FALSE(combo->SelectItem(0, false, false));
    EXPECT_EQ(combo->GetText(), CDuiString(L"睡眠"));
}
