// The close prompt answered by real clicks (the remembered choice in "Tessel.ini"
// [MainPanel]), the tray's items, and the file lists' right-click menu with its
// enabling rules and commands on real files.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/lists/file_lists.h"
#include "app/startup.h"
#include "common/record_globals.h"
#include "common/setting_data.h"
#include "engine/vistreler.h"
#include "shell/custom_messages.h"
#include "tests/app/frame/frame_test_support.h"
#include "tests/app/frame/main_window_fixture.h"
#include "tests/fixtures/fixture_devices.h"
#include "tests/support/test_support.h"
#include "tests/ui/ui_test_support.h"

using namespace frame_test;
using namespace DuiLib;

namespace {

void ClickControl(WindowImplBase* window, LPCTSTR name) {
    CControlUI* control = window->FindControl(name);
    if (!control) return;
    window->GetPaintManager()->UpdateLayout();
    const RECT rc = control->GetPos();
    ui_test::ClickAt(window->GetHWND(), {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2});
}

void PostClickOn(WindowImplBase* window, LPCTSTR name) {
    CControlUI* control = window->FindControl(name);
    if (!control) return;
    window->GetPaintManager()->UpdateLayout();
    const RECT rc = control->GetPos();
    ui_test::PostClick(window->GetHWND(), {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2});
}

bool IsSelectedIn(WindowImplBase* window, LPCTSTR name) {
    CControlUI* control = window->FindControl(name);
    auto* option = control ? static_cast<COptionUI*>(control->GetInterface(L"Option")) : nullptr;
    return option && option->IsSelected();
}

// Answers the close prompt while its modal loop runs: each timer tick posts a
// click on the next control of the script (see ui_test::PostClick), and a prompt
// still open after the last one is closed, so the loop returns and the test
// fails instead of waiting; what the prompt showed when it opened is kept.
struct PromptScript {
    std::vector<const wchar_t*> clicks;
    size_t next = 0;
    bool opened = false;
    bool leftOpen = false;  // open after the script's last click
    bool miniSelected = false, exitSelected = false;
    const wchar_t* windowClass = L"exitwnd";

    static PromptScript* current;
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        PromptScript* s = current;
        HWND prompt = FindWindowW(s ? s->windowClass : L"exitwnd", nullptr);
        if (!s || !prompt || !IsWindowVisible(prompt)) return;
        WindowImplBase* window = WindowObject(prompt);
        if (!window) return;
        if (!s->opened) {
            s->opened = true;
            s->miniSelected = IsSelectedIn(window, L"btn_mini");
            s->exitSelected = IsSelectedIn(window, L"btn_exit");
        }
        if (s->next < s->clicks.size()) {
            PostClickOn(window, s->clicks[s->next++]);
        } else {
            s->leftOpen = true;
            PostMessageW(prompt, WM_CLOSE, 0, 0);
        }
    }
    // Runs action (which may open the prompt) with the script answering.
    void Run(const std::function<void()>& action) {
        current = this;
        const UINT_PTR timer = SetTimer(nullptr, 0, 150, &PromptScript::Tick);
        action();
        KillTimer(nullptr, timer);
        current = nullptr;
    }
};
PromptScript* PromptScript::current = nullptr;

}  // namespace

class CloseRequestTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        RemoveIniFiles();
        SetWindowPos(Hwnd(), HWND_TOP, 200, 200, 858, 300, SWP_SHOWWINDOW);
    }
    void TearDown() override {
        RemoveIniFiles();
        ShowWindow(Hwnd(), SW_SHOWNOACTIVATE);
    }
    // The close button clicked, the prompt answered by script.
    void CloseWith(PromptScript& script) {
        script.Run([&] {
            CControlUI* close = frame->FindControl(L"btn_close");
            frame->GetPaintManager()->UpdateLayout();
            const RECT rc = close->GetPos();
            ui_test::ClickAt(Hwnd(), {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2});
        });
        EXPECT_FALSE(script.leftOpen) << "the script's clicks closed the prompt";
        ui_test::Pump(50);
    }
};

TEST_F(CloseRequestTest, TheFirstCloseAsksAndConfirmingHidesToTheTray) {
    PromptScript script{{L"btn_confirm"}};
    CloseWith(script);
    EXPECT_TRUE(script.opened);
    EXPECT_TRUE(script.miniSelected) << "no ini: hide to the tray is offered";
    EXPECT_FALSE(script.exitSelected);
    EXPECT_TRUE(IsWindow(Hwnd()));
    EXPECT_FALSE(IsWindowVisible(Hwnd())) << "hidden, still in the tray";
    EXPECT_TRUE(frame->IsTrayIconShown());
    EXPECT_EQ(ReadMainIni(L"MainPanel", L"Check_close_panel"), L"0");
    EXPECT_EQ(ReadMainIni(L"MainPanel", L"ExitMiniWndRemind"), L"1");
}

TEST_F(CloseRequestTest, CancelAndThePromptsCloseButtonChangeNothing) {
    for (const wchar_t* leave : {L"btn_cancel", L"btn_close"}) {
        PromptScript script{{L"btn_exit", leave}};
        CloseWith(script);
        EXPECT_TRUE(script.opened) << ui_test::Narrow(leave);
        EXPECT_TRUE(IsWindowVisible(Hwnd())) << "nothing happens: " << ui_test::Narrow(leave);
        EXPECT_EQ(ReadMainIni(L"MainPanel", L"Check_close_panel"), L"<missing>") << "nothing written";

        PromptScript again{{L"btn_cancel"}};
        CloseWith(again);
        EXPECT_TRUE(again.miniSelected) << "a cancelled choice does not stick";
    }
}

TEST_F(CloseRequestTest, NotAskingAgainIsRememberedAndTheSettingsModelFollows) {
    PromptScript script{{L"btn_no_remind", L"btn_confirm"}};
    CloseWith(script);
    EXPECT_FALSE(IsWindowVisible(Hwnd()));
    EXPECT_EQ(ReadMainIni(L"MainPanel", L"ExitMiniWndRemind"), L"0");
    EXPECT_EQ(CSettingData::GetInstance()->GetSettings().Check_close_panel, 0);
    ShowWindow(Hwnd(), SW_SHOWNOACTIVATE);

    PromptScript none{{L"btn_cancel"}};
    CloseWith(none);
    EXPECT_FALSE(none.opened) << "not asked again";
    EXPECT_FALSE(IsWindowVisible(Hwnd())) << "hidden at once, as chosen";
}

// A main window of its own: quitting ends it.
TEST(CloseRequestQuits, ChoosingToQuitWithoutAskingAgainQuitsAndTheNextCloseQuitsAtOnce) {
    EnsureProgramSkin();
    RemoveIniFiles();
    for (int round = 0; round < 2; ++round) {
        auto frame = std::make_unique<CVistrelFrame>();
        ASSERT_TRUE(CreateMainWindow(*frame));
        const HWND hwnd = frame->GetHWND();
        PromptScript script;
        if (round == 0) script.clicks = {L"btn_exit", L"btn_no_remind", L"btn_confirm"};
        script.Run([&] {
            frame->GetPaintManager()->UpdateLayout();
            const RECT rc = frame->FindControl(L"btn_close")->GetPos();
            ui_test::ClickAt(hwnd, {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2});
        });
        EXPECT_EQ(script.opened, round == 0) << round;
        EXPECT_FALSE(script.leftOpen) << round;
        EXPECT_FALSE(IsWindow(hwnd)) << "quit, round " << round;
        MSG msg;
        PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);  // the loop's end, when not pumped already
        EXPECT_EQ(ReadMainIni(L"MainPanel", L"Check_close_panel"), L"1");
        EXPECT_EQ(ReadMainIni(L"MainPanel", L"ExitMiniWndRemind"), L"0");
    }
    EXPECT_EQ(CSettingData::GetInstance()->GetSettings().Check_close_panel, 1);
    RemoveIniFiles();
    g_recordSources = 0;
    g_userSelMode = kSelModeNone;
}

// The pictures list with five real files; the menu opened by real right-clicks.
class ListMenuTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        SetWindowPos(Hwnd(), HWND_TOP, 100, 20, 858, 760, SWP_SHOWWINDOW);
        ClickName(L"opt_pic_info");
        list = static_cast<CListUI*>(frame->FindControl(L"listview_s")->GetInterface(L"List"));
        ASSERT_NE(list, nullptr);
        for (int i = 0; i < 5; ++i) {
            const std::wstring path = folder.File(L"shot_" + std::to_wstring(i) + L".png");
            testing_support::WriteFileBytes(path, std::string(100 + i, 'x'));
            files.push_back(path);
            frame->FileLists()->AddScreenshot(path);
        }
        frame->GetPaintManager()->UpdateLayout();
    }
    void TearDown() override {
        delete frame->ListMenu();
        list->UnSelectAllItems();
        for (int i = 0; i < list->GetCount(); ++i) list->SelectMultiItem(i);
        frame->FileLists()->DeleteSelected(false);
        ClickName(L"opt_video_info");
    }
    void ClickName(LPCTSTR name) {
        ClickControl(frame, name);
        ui_test::Pump(50);
    }
    void RightClickRow(int row) {
        frame->GetPaintManager()->UpdateLayout();
        const RECT rc = list->GetItemAt(row)->GetPos();
        ui_test::ClickAt(Hwnd(), {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2}, WM_RBUTTONDOWN, WM_RBUTTONUP);
        ui_test::Pump(50);
    }
    void Select(std::initializer_list<int> rows) {
        list->UnSelectAllItems();
        for (int row : rows) list->SelectMultiItem(row);
    }
    std::vector<int> SelectedRows() const {
        std::vector<int> rows;
        for (int i = 0; i < list->GetCount(); ++i)
            if (static_cast<CListTextElementUI*>(list->GetItemAt(i)->GetInterface(L"ListTextElement"))->IsSelected())
                rows.push_back(i);
        return rows;
    }
    bool ItemEnabled(LPCTSTR name) { return frame->ListMenu()->FindControl(name)->IsEnabled(); }
    std::wstring ItemText(LPCTSTR name) { return frame->ListMenu()->FindControl(name)->GetText().Str(); }
    // A real click on a menu item; the item comes back as WM_MENUCLICK.
    void ChooseItem(LPCTSTR name) {
        CMenuWnd* menu = frame->ListMenu();
        ASSERT_NE(menu, nullptr);
        menu->GetPaintManager()->UpdateLayout();
        const RECT rc = menu->FindControl(name)->GetPos();
        ui_test::ClickAt(menu->GetHWND(), {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2});
        ui_test::PumpUntil([&] { return frame->ListMenu() == nullptr; });
        ui_test::Pump(100);
    }

    testing_support::TempDir folder;
    std::vector<std::wstring> files;
    CListUI* list = nullptr;
};

TEST_F(ListMenuTest, TheClickedRowIsChosenUnlessItLiesInALargerSelection) {
    const struct {
        std::vector<int> selected;
        int clicked;
        std::vector<int> after;
        bool oneRow;  // "preview" and "rename" enabled
    } cases[] = {
        {{1}, 3, {3}, true},
        {{}, 2, {2}, true},
        {{0, 1, 2}, 1, {0, 1, 2}, false},
    };
    for (const auto& c : cases) {
        list->UnSelectAllItems();
        for (int row : c.selected) list->SelectMultiItem(row);
        RightClickRow(c.clicked);
        ASSERT_NE(frame->ListMenu(), nullptr) << c.clicked;
        EXPECT_EQ(SelectedRows(), c.after) << c.clicked;
        EXPECT_EQ(ItemEnabled(L"preview"), c.oneRow) << c.clicked;
        EXPECT_EQ(ItemEnabled(L"rename"), c.oneRow) << c.clicked;
        EXPECT_TRUE(ItemEnabled(L"delete"));
        EXPECT_EQ(ItemText(L"all_sel"), L"全选");
        RECT client = {};
        GetClientRect(frame->ListMenu()->GetHWND(), &client);
        EXPECT_EQ(client.right, 100);
        EXPECT_EQ(client.bottom, 160);
        delete frame->ListMenu();
    }
}

TEST_F(ListMenuTest, SelectAllAndClearTheSelectionByTheItemsText) {
    RightClickRow(0);
    ChooseItem(L"all_sel");
    EXPECT_EQ(SelectedRows(), (std::vector<int>{0, 1, 2, 3, 4}));
    RightClickRow(4);
    ASSERT_NE(frame->ListMenu(), nullptr);
    EXPECT_EQ(ItemText(L"all_sel"), L"取消全选") << "every row selected";
    EXPECT_FALSE(ItemEnabled(L"preview"));
    ChooseItem(L"all_sel");
    EXPECT_TRUE(SelectedRows().empty());
}

TEST_F(ListMenuTest, DeleteAsksFirstAndTakesTheChosenRowOff) {
    RightClickRow(1);
    const std::wstring name = list->GetItemAt(1)->GetName().Str();
    PromptScript cancel{{L"btn_cancel"}};
    cancel.windowClass = L"DelVideoFileTipWnd";
    cancel.Run([&] { ChooseItem(L"delete"); });
    EXPECT_TRUE(cancel.opened);
    EXPECT_EQ(list->GetCount(), 5) << "cancelled: nothing deleted";

    RightClickRow(1);
    PromptScript confirm{{L"btn_ok"}};
    confirm.windowClass = L"DelVideoFileTipWnd";
    confirm.Run([&] { ChooseItem(L"delete"); });
    EXPECT_TRUE(confirm.opened);
    ASSERT_EQ(list->GetCount(), 4);
    for (int i = 0; i < list->GetCount(); ++i) EXPECT_NE(list->GetItemAt(i)->GetName().Str(), name);
    int left = 0;
    for (const std::wstring& f : files) left += GetFileAttributesW(f.c_str()) != INVALID_FILE_ATTRIBUTES ? 1 : 0;
    EXPECT_EQ(left, 5) << "\"从磁盘删除\" not ticked: the file stays";
}

// "选项" of the sound-source menu: the sound device dialog over the main window,
// offered the window's device lists; OK keeps the choice in [Audio].
TEST_F(CloseRequestTest, TheSoundSourceMenusOptionsItemOpensTheSoundDeviceDialog) {
    SetCursorPos(400, 300);
    CControlUI stand_in;  // the sound-source button of the first page
    stand_in.SetName(L"btn_main_audio");
    frame->GetPaintManager()->SendNotify(&stand_in, DUI_MSGTYPE_CLICK);
    ui_test::Pump(50);
    CMenuWnd* menu = frame->MainAudioMenu();
    ASSERT_NE(menu, nullptr);
    menu->GetPaintManager()->UpdateLayout();
    CControlUI* item = menu->FindControl(L"sys_audio_set");
    ASSERT_NE(item, nullptr);
    const RECT rc = item->GetPos();
    PromptScript script{{L"btn_ok"}};
    script.windowClass = L"AudioSettingWnd_Ts";
    script.Run([&] {
        ui_test::ClickAt(menu->GetHWND(), {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2});
        ui_test::PumpUntil(
            [&] { return script.next == script.clicks.size() && !FindWindowW(L"AudioSettingWnd_Ts", nullptr); });
    });
    EXPECT_TRUE(script.opened) << "the dialog opened";
    EXPECT_EQ(ReadMainIni(L"Audio", L"SysVolume"), L"默认");
    EXPECT_EQ(ReadMainIni(L"Audio", L"MicVolume"), L"默认");
}

// The tray's Exit ends the program also while recording: the file is finished.
TEST(TrayExit, EndsTheProgramAndFinishesARunningRecording) {
    EnsureProgramSkin();
    RemoveIniFiles();
    testing_support::TempDir output;
    SettingRecord settings = CSettingData::GetInstance()->GetSettings();
    settings.path = output.path().substr(0, output.path().size() - 1);
    CSettingData::GetInstance()->Save(settings);
    WriteMainIni(L"MainPanel", L"Check_close_panel", L"0");  // closing would only hide it
    WriteMainIni(L"MainPanel", L"ExitMiniWndRemind", L"0");

    auto frame = std::make_unique<CVistrelFrame>();
    ASSERT_TRUE(CreateMainWindow(*frame));
    const HWND hwnd = frame->GetHWND();
    g_userSelMode = kSelModeSoundOnly;
    g_recordSources = kSourceMicrophone;
    ASSERT_TRUE(frame->Recorder()->init("", false, "", false, fixture_devices::kToneDeviceName, true));
    frame->Recorder()->Start();
    g_recordeState = _RecordingState;
    frame->Recorder()->SetRecordState(_RecordingState);
    ui_test::Pump(1500);
    ShowWindow(hwnd, SW_HIDE);

    SetCursorPos(600, 500);
    SendMessageW(hwnd, DuiLib::WM_TRAY_NOTIFY, 101, WM_RBUTTONUP);
    CMenuWnd* menu = frame->TrayMenu();
    ASSERT_NE(menu, nullptr);
    // Laid out here, not by pumping: a menu that loses the activation meanwhile
    // deletes itself, and this pointer with it.
    menu->GetPaintManager()->UpdateLayout();
    const RECT rc = menu->FindControl(L"menu_exit")->GetPos();
    ui_test::ClickAt(menu->GetHWND(), {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2});
    EXPECT_TRUE(ui_test::PumpUntil([&] { return !IsWindow(hwnd); })) << "the program ends";
    EXPECT_EQ(g_recordeState, _StopState);
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((output.path() + L"*.mp3").c_str(), &found);
    ASSERT_NE(search, INVALID_HANDLE_VALUE) << "the running recording was finished";
    FindClose(search);
    MSG msg;
    PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    frame.reset();
    RemoveIniFiles();
    g_recordSources = 0;
    g_userSelMode = kSelModeNone;
}
