// The record area commands of the main window: the area menu at this desktop's
// width with its presets clicked for real, the whole desktop, the exact-size
// dialog and the monitor choice. tests/app/frame/area_widths.sh runs this suite
// again on screens 1920, 1366, 1024 and 854 pixels wide.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "common/record_globals.h"
#include "overlay/region/sel_area_wnd.h"
#include "tests/app/frame/frame_test_support.h"
#include "tests/app/frame/main_window_fixture.h"
#include "tests/ui/ui_test_support.h"

using namespace frame_test;
using namespace DuiLib;

namespace {

// What the area menu shows on a desktop of each width: "menu_sel_hd" ... "menu_sel_t3".
const std::map<int, std::vector<std::wstring>> kLabelsByWidth = {
    {1920, {L"1280x720 HD (720P)", L"854x480 SD (480P)", L"1024x768", L"640x480", L"480x360"}},
    {1366, {L"854x480 SD (480P)", L"1024x768", L"640x480", L"480x360", L"480x270"}},
    {1280, {L"854x480 SD (480P)", L"1024x768", L"640x480", L"480x360", L"480x270"}},
    {1024, {L"854x480 SD (480P)", L"640x480", L"480x360", L"480x270", L"480x240"}},
    {854, {L"640x480", L"480x360", L"480x270", L"480x240", L"320x240"}},
};
const wchar_t* const kPresetItems[] = {L"menu_sel_hd", L"menu_sel_sd", L"menu_sel_t1", L"menu_sel_t2", L"menu_sel_t3"};

HWND SelAreaWindow() { return FindWindowW(L"selarea_wnd", nullptr); }

SIZE ScreenSize() { return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

SIZE LabelSize(const std::wstring& label) {
    const int w = _wtoi(label.c_str());
    return {w, _wtoi(label.c_str() + label.find(L'x') + 1)};
}

// Finds the region size dialog while the command's modal loop runs and answers it.
struct DialogAnswer {
    std::wstring width;
    bool ok = true;
    bool seen = false;
};
DialogAnswer* g_answer = nullptr;

POINT CentreOf(WindowImplBase* window, LPCTSTR name) {
    window->GetPaintManager()->UpdateLayout();
    const RECT rc = window->FindControl(name)->GetPos();
    return {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}

void CALLBACK AnswerDialog(HWND, UINT, UINT_PTR id, DWORD) {
    HWND dialog = FindWindowW(L"SelSettingWnd", nullptr);
    if (!dialog || !IsWindowVisible(dialog) || !g_answer) return;
    KillTimer(nullptr, id);
    g_answer->seen = true;
    WindowImplBase* window = WindowObject(dialog);
    ui_test::ClickAt(dialog, CentreOf(window, L"width_edit"));
    ui_test::PressKey(dialog, VK_END);
    for (int i = 0; i < 4; ++i) ui_test::PressKey(dialog, VK_BACK);
    ui_test::TypeText(dialog, g_answer->width);
    ui_test::ClickAt(dialog, CentreOf(window, g_answer->ok ? L"btn_ok" : L"btn_cancel"));
}

}  // namespace

class AreaMenuTest : public MainWindowTest {
protected:
    void Click(LPCTSTR name) {
        CControlUI* control = frame->FindControl(name);
        ASSERT_NE(control, nullptr) << ui_test::Narrow(name);
        control->GetManager()->UpdateLayout();
        const RECT rc = control->GetPos();
        ui_test::ClickAt(Hwnd(), {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2});
        ui_test::Pump(50);
    }
    COptionUI* MenuItem(LPCTSTR name) {
        CControlUI* item = frame->AreaMenu() ? frame->AreaMenu()->FindControl(name) : nullptr;
        return item ? static_cast<COptionUI*>(item->GetInterface(L"Option")) : nullptr;
    }
    void ClickMenuItem(LPCTSTR name) {
        CControlUI* item = frame->AreaMenu() ? frame->AreaMenu()->FindControl(name) : nullptr;
        ASSERT_NE(item, nullptr) << ui_test::Narrow(name);
        item->GetManager()->UpdateLayout();
        const RECT rc = item->GetPos();
        ui_test::ClickAt(frame->AreaMenu()->GetHWND(), {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2});
        ui_test::PumpUntil([this] { return frame->AreaMenu() == nullptr; });
        ui_test::Pump(50);
    }
    // The region frame shown around the area.
    bool RegionFrameAt(const RECT& area) {
        return ui_test::PumpUntil([&] {
            return IsWindowVisible(SelAreaWindow()) && frame->SelAreaWindow() == SelAreaWindow() &&
                   EqualRect(&g_rcSnapwick, &area);
        });
    }
};

TEST_F(AreaMenuTest, TheMenuShowsThisDesktopsPresetsAndAPresetBecomesTheRegion) {
    const SIZE screen = ScreenSize();
    ASSERT_EQ(frame->MonitorUnion().right, screen.cx);
    const auto expected = kLabelsByWidth.find(screen.cx);
    ASSERT_NE(expected, kLabelsByWidth.end()) << "no table for a screen " << screen.cx << " wide";
    const std::vector<std::wstring>& labels = expected->second;

    // The current area has the last preset's size: only that item is marked.
    const SIZE last = LabelSize(labels[4]);
    g_rcSnapwick = {10, 10, 10 + last.cx, 10 + last.cy};
    Click(L"sel_set");
    ASSERT_NE(frame->AreaMenu(), nullptr);
    RECT client = {};
    GetClientRect(frame->AreaMenu()->GetHWND(), &client);
    EXPECT_EQ(client.right, 176);
    wchar_t full[64];
    swprintf(full, 64, L"%ldx%ld (全屏)", screen.cx, screen.cy);
    EXPECT_EQ(MenuItem(L"menu_sel_full")->GetText().Str(), full);
    EXPECT_FALSE(MenuItem(L"menu_sel_full")->IsSelected());
    for (int i = 0; i < 5; ++i) {
        COptionUI* item = MenuItem(kPresetItems[i]);
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->GetText().Str(), labels[i]) << i;
        EXPECT_EQ(item->IsSelected(), i == 4) << i;
    }

    // The first preset, centred (the remembered 900 x 600 decides on which rectangle).
    g_userSelMode = kSelModeFullScreen;
    ClickMenuItem(L"menu_sel_hd");
    const SIZE first = LabelSize(labels[0]);  // one monitor: it is the desktop
    const RECT area = {screen.cx / 2 - first.cx / 2, screen.cy / 2 - first.cy / 2,
                       screen.cx / 2 - first.cx / 2 + first.cx, screen.cy / 2 - first.cy / 2 + first.cy};
    EXPECT_TRUE(RegionFrameAt(area)) << RectText(g_rcSnapwick);
    EXPECT_EQ(g_userSelMode, kSelModeRegion);
    EXPECT_TRUE(IsRecordSourceOn(kSourceScreen));
    COptionUI* region = static_cast<COptionUI*>(frame->FindControl(L"btn_part_record")->GetInterface(L"Option"));
    EXPECT_TRUE(region->IsSelected());
}

TEST_F(AreaMenuTest, TheWholeDesktopItemRecordsTheDesktopAsARegion) {
    g_rcSnapwick = {10, 10, 300, 300};
    Click(L"sel_set");
    ASSERT_NE(frame->AreaMenu(), nullptr);
    ClickMenuItem(L"menu_sel_full");
    EXPECT_TRUE(RegionFrameAt(frame->MonitorUnion())) << RectText(g_rcSnapwick);
    EXPECT_EQ(g_userSelMode, kSelModeRegion);
}

TEST_F(AreaMenuTest, AnExactSizeIsCentredAndTheSameOrALargerOneChangesNothing) {
    const SIZE screen = ScreenSize();
    g_rcSnapwick = {0, 0, 400, 300};
    frame->ApplyExactSize({400, 300});
    EXPECT_EQ(g_rcSnapwick.left, 0) << "the same size: unchanged";
    EXPECT_EQ(g_rcSnapwick.right, 400);
    frame->ApplyExactSize({screen.cx + 2, 300});
    EXPECT_EQ(g_rcSnapwick.right, 400) << "larger than the desktop: ignored";
    frame->ApplyExactSize({320, 240});
    const RECT centred = {screen.cx / 2 - 160, screen.cy / 2 - 120, screen.cx / 2 + 160, screen.cy / 2 + 120};
    EXPECT_TRUE(RegionFrameAt(centred)) << RectText(g_rcSnapwick);

    // The whole command: the dialog answered with a width typed in 16:9.
    frame->ApplyExactSize({400, 300});
    ui_test::Pump(50);
    DialogAnswer answer{L"640"};
    g_answer = &answer;
    SetTimer(nullptr, 0, 50, AnswerDialog);
    Click(L"sel_set");
    ASSERT_NE(frame->AreaMenu(), nullptr);
    ClickMenuItem(L"menu_sel_custom");
    g_answer = nullptr;
    EXPECT_TRUE(answer.seen);
    EXPECT_EQ(g_rcSnapwick.right - g_rcSnapwick.left, 640) << RectText(g_rcSnapwick);
    EXPECT_EQ(g_rcSnapwick.bottom - g_rcSnapwick.top, 300) << "free ratio: the height stays";
    EXPECT_EQ(g_userSelMode, kSelModeRegion);
}

TEST_F(AreaMenuTest, AMonitorChoiceBecomesWhatFullScreenRecords) {
    frame->OpenMonitorMenu();
    EXPECT_EQ(frame->MonitorMenu(), nullptr) << "one monitor: no menu";
    ASSERT_FALSE(frame->Monitors().empty());
    const MonitorInfo& first = frame->Monitors()[0];
    g_userSelMode = kSelModeRegion;
    frame->ChooseMonitor(first.name);
    const RECT monitor = {first.x, first.y, first.x + first.width, first.y + first.height};
    EXPECT_TRUE(RegionFrameAt(monitor)) << RectText(g_rcSnapwick);
    EXPECT_EQ(g_userSelMode, kSelModeFullScreen);
    EXPECT_EQ(frame->ChosenMonitor(), first.name);
    g_rcSnapwick = {0, 0, 200, 200};
    Click(L"btn_all_screen");
    EXPECT_TRUE(EqualRect(&g_rcSnapwick, &monitor)) << "full screen keeps the chosen monitor";
    frame->ChooseMonitor(L"显示器 9");
    EXPECT_TRUE(IsRectEmpty(&g_rcSnapwick)) << "a name no monitor has gives an empty area";
    ui_test::Pump(100);
}
