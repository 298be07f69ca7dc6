// The main window's buttons and options clicked with real mouse messages, and
// what each click changes: the record mode and sources, the region frame, the
// sliders, the window's size and place, the sound-source menu and "Tessel.ini".
#include <gtest/gtest.h>

#include "common/record_globals.h"
#include "engine/vistreler.h"
#include "tests/app/frame/frame_test_support.h"
#include "tests/app/frame/main_window_fixture.h"
#include "tests/ui/ui_test_support.h"

using namespace frame_test;
using namespace DuiLib;

namespace {

HWND SelAreaWindow() { return FindWindowW(L"selarea_wnd", nullptr); }
bool SelAreaShown() { return SelAreaWindow() && IsWindowVisible(SelAreaWindow()); }

void ClickIn(HWND window, CControlUI* control) {
    control->GetManager()->UpdateLayout();
    const RECT rc = control->GetPos();
    ui_test::ClickAt(window, {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2});
    ui_test::Pump(50);
}

}  // namespace

class CommandsTest : public MainWindowTest {
protected:
    void Click(LPCTSTR name) {
        CControlUI* control = frame->FindControl(name);
        ASSERT_NE(control, nullptr) << name;
        ClickIn(Hwnd(), control);
    }
    // A click on a control the layout does not carry (or one only a recording shows).
    void NotifyClick(LPCTSTR name) {
        CControlUI stand_in;
        stand_in.SetName(name);
        frame->GetPaintManager()->SendNotify(&stand_in, DUI_MSGTYPE_CLICK);
    }
    COptionUI* Option(LPCTSTR name) {
        return static_cast<COptionUI*>(frame->FindControl(name)->GetInterface(L"Option"));
    }
    CSliderUI* Slider(LPCTSTR name) {
        return static_cast<CSliderUI*>(frame->FindControl(name)->GetInterface(L"Slider"));
    }
    void PlaceWindow(int x, int y, int height) {
        SetWindowPos(Hwnd(), nullptr, x, y, 858, height, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    }
};

TEST_F(CommandsTest, RecordModesSetTheModeTheSourcesAndTheRegionFrame) {
    Click(L"btn_all_screen");
    EXPECT_TRUE(ui_test::PumpUntil(SelAreaShown)) << "full screen frames the desktop";
    EXPECT_EQ(g_userSelMode, kSelModeFullScreen);
    AddRecordSource(kSourceCamera);
    AddRecordSource(kSourceSystemSound);

    Click(L"btn_audio_record");
    EXPECT_EQ(g_userSelMode, kSelModeSoundOnly);
    EXPECT_FALSE(SelAreaShown());
    EXPECT_EQ(g_recordSources, kSourceSystemSound) << "neither screen nor camera; the sound kept";

    AddRecordSource(kSourceCamera);
    ShowWindow(SelAreaWindow(), SW_SHOWNOACTIVATE);
    Click(L"btn_audio_record");
    EXPECT_EQ(g_userSelMode, kSelModeSoundOnly);
    EXPECT_FALSE(SelAreaShown()) << "hidden again";
    EXPECT_EQ(g_recordSources, kSourceSystemSound | kSourceCamera) << "a second click changes no source";
    RemoveRecordSource(kSourceCamera);

    Click(L"btn_game_record");
    EXPECT_EQ(g_userSelMode, kSelModeGame);
    EXPECT_TRUE(SelAreaShown());
    EXPECT_FALSE(IsRecordSourceOn(kSourceScreen)) << "the game mode does not put the screen back";

    Click(L"btn_all_screen");
    EXPECT_TRUE(IsRecordSourceOn(kSourceScreen));
    EXPECT_EQ(g_userSelMode, kSelModeFullScreen);
    ui_test::Pump(100);

    // No picker beside this program: the region frame is shown instead, at the
    // custom size in the middle of the desktop, for the mouse to move and resize.
    RemoveRecordSource(kSourceScreen);
    Click(L"btn_part_record");
    EXPECT_EQ(g_userSelMode, kSelModeRegion);
    EXPECT_TRUE(IsRecordSourceOn(kSourceScreen));
    EXPECT_TRUE(ui_test::PumpUntil(SelAreaShown));
    EXPECT_FALSE(IsIconic(Hwnd()));
    const SIZE custom = frame->CustomAreaSize();
    const RECT desktop = frame->MonitorUnion();
    EXPECT_EQ(g_rcSnapwick.right - g_rcSnapwick.left, custom.cx) << RectText(g_rcSnapwick);
    EXPECT_EQ(g_rcSnapwick.bottom - g_rcSnapwick.top, custom.cy);
    EXPECT_EQ(g_rcSnapwick.left, (desktop.right - custom.cx) / 2);
    EXPECT_TRUE(Option(L"btn_part_record")->IsSelected());
    SetWindowPos(Hwnd(), HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

TEST_F(CommandsTest, MuteTogglesKeepTheSlidersValueAcrossTheMute) {
    const struct {
        const wchar_t* option;
        const wchar_t* slider;
        const wchar_t* arrow;
        int32_t bit;
    } cases[] = {
        {L"mic", L"slider_mic", L"mic_xia", kSourceMicrophone},
        {L"volume", L"slider_volume", L"volume_xia", kSourceSystemSound},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.option);
        for (const wchar_t* name : {c.option, c.slider, c.arrow}) frame->FindControl(name)->SetEnabled(true);
        Option(c.option)->Selected(false);
        Slider(c.slider)->SetValue(40);
        AddRecordSource(c.bit);

        Click(c.option);
        EXPECT_TRUE(Option(c.option)->IsSelected()) << "selected means muted";
        EXPECT_EQ(Slider(c.slider)->GetValue(), 0);
        EXPECT_FALSE(IsRecordSourceOn(c.bit));
        EXPECT_FALSE(frame->FindControl(c.arrow)->IsEnabled());

        Click(c.option);
        EXPECT_FALSE(Option(c.option)->IsSelected());
        EXPECT_EQ(Slider(c.slider)->GetValue(), 40) << "the value from before the mute";
        EXPECT_TRUE(IsRecordSourceOn(c.bit));
        EXPECT_TRUE(frame->FindControl(c.arrow)->IsEnabled());

        // Muted by other means, with no value kept: unmuted at 0 and recorded.
        Option(c.option)->Selected(true);
        Slider(c.slider)->SetUserData(L"");
        RemoveRecordSource(c.bit);
        Click(c.option);
        EXPECT_EQ(Slider(c.slider)->GetValue(), 0);
        EXPECT_TRUE(IsRecordSourceOn(c.bit));
    }
}

TEST_F(CommandsTest, TheListAreaOpensCentredInTheWorkAreaAndClosesInPlace) {
    Option(L"btn_videolist")->Selected(false);
    PlaceWindow(200, 100, 300);
    const RECT work = frame->GetWorkAreaInset();

    Click(L"btn_videolist");
    RECT rc = WindowRect(Hwnd());
    EXPECT_EQ(rc.bottom - rc.top, 760);
    EXPECT_EQ(rc.right - rc.left, 858);
    EXPECT_EQ(rc.left, 200) << "its left kept";
    EXPECT_EQ(rc.top, (work.top + work.bottom) / 2 - 380) << "centred top to bottom";
    EXPECT_TRUE(Option(L"btn_videolist")->IsSelected());
    EXPECT_EQ(std::wstring(static_cast<CButtonUI*>(frame->FindControl(L"start"))->GetNormalImage()),
              L"file='main/anniulan_f.png' source='0,0,195,52'");

    Click(L"opt_pic_info");
    EXPECT_FALSE(frame->FindControl(L"listview")->IsVisible());
    EXPECT_TRUE(frame->FindControl(L"listview_s")->IsVisible());
    Click(L"opt_video_info");
    EXPECT_TRUE(frame->FindControl(L"listview")->IsVisible());
    EXPECT_FALSE(frame->FindControl(L"listview_s")->IsVisible());

    Click(L"btn_videolist");
    const RECT closed = WindowRect(Hwnd());
    EXPECT_EQ(closed.bottom - closed.top, 300);
    EXPECT_EQ(closed.left, rc.left) << "closed in place";
    EXPECT_EQ(closed.top, rc.top);
    EXPECT_FALSE(Option(L"btn_videolist")->IsSelected());
    EXPECT_EQ(std::wstring(static_cast<CButtonUI*>(frame->FindControl(L"btn_stop"))->GetNormalImage()),
              L"file='main/hong2.png' source='0,0,113,52'");

    // Partly past the work area's right edge: moved in to meet it.
    PlaceWindow(work.right - 400, 100, 300);
    Click(L"btn_videolist");
    EXPECT_EQ(WindowRect(Hwnd()).right, work.right);
    Click(L"btn_videolist");
}

TEST_F(CommandsTest, TheSoundSourceMenuSetsTheSourcesAndStoresTheChoice) {
    RemoveRecordSource(kSourceMicrophone);
    AddRecordSource(kSourceSystemSound);
    const struct {
        const wchar_t* item;
        int32_t sources;
        const wchar_t* stored;
        const wchar_t* caption;
        bool noSoundMark;
    } cases[] = {
        {L"menu_main_mic", kSourceMicrophone, L"2", L"麦克风", false},
        {L"menu_main_no", 0, L"4", L"不录声音", true},
        {L"menu_main_sys_mic", kSourceSystemSound | kSourceMicrophone, L"3", L"系统和麦克", false},
    };
    // The region frame would take the foreground from the menu under the cursor.
    ShowWindow(SelAreaWindow(), SW_HIDE);
    const wchar_t* expectedSelected = L"menu_main_sys";  // what the bits are before each pick
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.item);
        RemoveRecordSource(kSourceScreen);
        SetCursorPos(40, 40);
        ui_test::Pump(200);  // the hook's reports of the move handled before the menu takes the focus
        NotifyClick(L"btn_main_audio");
        CMenuWnd* menu = frame->MainAudioMenu();
        ASSERT_NE(menu, nullptr) << "the menu opens at the cursor";
        RECT client = {};
        GetClientRect(menu->GetHWND(), &client);
        EXPECT_EQ(client.right, 152);
        auto* current = static_cast<COptionUI*>(menu->FindControl(expectedSelected)->GetInterface(L"Option"));
        EXPECT_TRUE(current->IsSelected()) << "the item of the sources being recorded";

        ui_test::Pump(30);  // laid out at its size
        ASSERT_EQ(frame->MainAudioMenu(), menu) << "still open";
        ClickIn(menu->GetHWND(), menu->FindControl(c.item));
        EXPECT_TRUE(ui_test::PumpUntil([] { return frame->MainAudioMenu() == nullptr; })) << "the menu closes";
        EXPECT_EQ(g_recordSources, c.sources);
        EXPECT_EQ(ReadMainIni(L"Info", L"MainAudioSel"), c.stored);
        EXPECT_EQ(frame->MainAudioChoice(), std::stoi(c.stored));
        EXPECT_EQ(frame->FindControl(L"btn_main_audio_txt")->GetText(), c.caption);
        EXPECT_EQ(frame->FindControl(L"audio_no")->IsVisible(), c.noSoundMark);
        expectedSelected = c.item;
    }
    EXPECT_EQ(frame->FindControl(L"btn_main_audio_txt_r")->GetText(), L"系统和麦克")
        << "the recording page's caption too, except for no sound";
}

TEST_F(CommandsTest, TheCameraOptionStartsAndStopsTheCamera) {
    ASSERT_FALSE(frame->Cameras().empty()) << "the test camera is registered";
    ASSERT_TRUE(frame->FindControl(L"camera")->IsEnabled());
    RemoveRecordSource(kSourceCamera);
    Click(L"camera");
    EXPECT_TRUE(IsRecordSourceOn(kSourceCamera));
    EXPECT_TRUE(Option(L"camera")->IsSelected());
    EXPECT_EQ(frame->FindControl(L"sel_camera")->GetBkImage(),
              std::wstring(L"file='main/camera_sel.png' source='0,64,130,96'"));
    const CGetVideoThread* camera = frame->Recorder()->CameraThread();
    ASSERT_NE(camera, nullptr);
    EXPECT_TRUE(ui_test::PumpUntil([&] { return frame->Recorder()->CameraWidth() == 320; }, 10000))
        << "the camera was opened";

    Click(L"camera");
    EXPECT_FALSE(IsRecordSourceOn(kSourceCamera));
    EXPECT_FALSE(Option(L"camera")->IsSelected());
    EXPECT_EQ(frame->FindControl(L"sel_camera")->GetBkImage(),
              std::wstring(L"file='main/camera_sel.png' source='0,32,130,64'"));
}

TEST_F(CommandsTest, UnknownNamesAndRecordingOnlyCommandsChangeNothing) {
    PlaceWindow(150, 120, 300);
    g_userSelMode = kSelModeGame;
    g_recordSources = kSourceScreen | kSourceSystemSound;
    for (const wchar_t* name :
         {L"no_such_control", L"Start", L"BTN_VIDEOLIST", L"main_spotlight", L"main_draw", L"main_jietu"})
        NotifyClick(name);
    EXPECT_EQ(g_userSelMode, kSelModeGame);
    EXPECT_EQ(g_recordSources, kSourceScreen | kSourceSystemSound);
    EXPECT_EQ(g_recordeState, _StopState);
    EXPECT_EQ(WindowRect(Hwnd()).top, 120);
    EXPECT_EQ(WindowRect(Hwnd()).bottom, 420);
}

// The settings button opens the settings dialog over the main window, modally.
TEST_F(CommandsTest, SettingsButtonOpensTheSettingsDialog) {
    static HWND seen = nullptr;
    static HWND seenOwner = nullptr;
    seen = seenOwner = nullptr;
    SetTimer(nullptr, 0, 200, [](HWND, UINT, UINT_PTR id, DWORD) {
        HWND dialog = FindWindowW(L"RecordSettingWnd", nullptr);
        if (!dialog || !IsWindowVisible(dialog)) return;
        KillTimer(nullptr, id);
        seen = dialog;
        seenOwner = GetWindow(dialog, GW_OWNER);
        PostMessageW(dialog, WM_CLOSE, 0, 0);
    });
    NotifyClick(L"btn_set");  // returns when the dialog is closed
    EXPECT_NE(seen, nullptr);
    EXPECT_EQ(seenOwner, Hwnd());
    EXPECT_EQ(frame->SettingDialog(), nullptr);
    EXPECT_FALSE(IsWindow(seen));
}

TEST_F(CommandsTest, MinimiseAndCloseToTheTrayAsTheUserChose) {
    Click(L"btn_mini");
    EXPECT_TRUE(ui_test::PumpUntil([&] { return IsIconic(Hwnd()) != FALSE; }));
    ShowWindow(Hwnd(), SW_RESTORE);

    WriteMainIni(L"MainPanel", L"Check_close_panel", L"0");
    WriteMainIni(L"MainPanel", L"ExitMiniWndRemind", L"0");
    ShowWindow(SelAreaWindow(), SW_SHOWNOACTIVATE);
    Click(L"btn_close");
    EXPECT_TRUE(IsWindow(Hwnd())) << "hidden to the tray, not closed";
    EXPECT_FALSE(IsWindowVisible(Hwnd()));
    EXPECT_TRUE(ui_test::PumpUntil([] { return !SelAreaShown(); })) << "the region frame goes with it";
    EXPECT_TRUE(frame->IsTrayIconShown());
    ShowWindow(Hwnd(), SW_SHOWNOACTIVATE);
}
