// The settings dialog from the real skin: navigation and the highlight that
// follows the scroll, placement, every page control to its record field and
// back, restore then close, OK into "setting_record.ini" and the Run value, the
// hotkey rows, and the conflict notice.
#include <gtest/gtest.h>

#include <string>

#include "common/setting_data.h"
#include "settings/dialog/auto_start.h"
#include "settings/dialog/record_setting_dlg.h"
#include "settings/hotkeys/hotkey_tip_dlg.h"
#include "settings/layouts/setting_opt_names.h"
#include "tests/support/test_support.h"
#include "tests/ui/ui_test_support.h"

using namespace DuiLib;
using namespace ui_test;
using testing_support::DeleteFileIfExists;
using testing_support::ReadFileBytes;
namespace page = setting_opt_names;

namespace {

std::wstring RunValue() {
    wchar_t text[1024] = {};
    DWORD size = sizeof(text);
    if (RegGetValueW(HKEY_CURRENT_USER, kRunKeyPath, kAutoStartValueName, RRF_RT_REG_SZ, nullptr, text, &size) !=
        ERROR_SUCCESS)
        return L"<none>";
    return text;
}

void RemoveRunValue() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kRunKeyPath, 0, KEY_WRITE, &key) != ERROR_SUCCESS) return;
    RegDeleteValueW(key, kAutoStartValueName);
    RegCloseKey(key);
}

class HotkeyOwner {
public:
    HotkeyOwner() {
        hwnd = CreateWindowExW(0, L"STATIC", L"owner", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    }
    ~HotkeyOwner() { DestroyWindow(hwnd); }
    HWND hwnd;
};

// Settings files removed, the hotkeys registered for a window of this thread,
// and a settings dialog created (not yet modal).
class SettingDialog : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureTestSkin();
        RemoveFiles();
        RemoveRunValue();
        CHotKeySetting::GetInstance()->Init(owner.hwnd);
        ASSERT_NE(dlg.Create(nullptr, L"RecordConfigDialog", kRecordSettingStyle, kRecordSettingExStyle), nullptr);
        SetWindowPos(dlg.GetHWND(), nullptr, 100, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        dlg.GetPaintManager()->UpdateLayout();
    }
    void TearDown() override {
        if (IsWindow(dlg.GetHWND())) DestroyWindow(dlg.GetHWND());
        CHotKeySetting::ReleaseInstance();
        CSettingData::ReleaseInstance();
        RemoveFiles();
        RemoveRunValue();
    }
    static void RemoveFiles() {
        CSettingData::ReleaseInstance();
        DeleteFileIfExists(CSettingData::GetInstance()->SettingIniPath());
        DeleteFileIfExists(CSettingData::GetInstance()->MainIniPath());
        DeleteFileIfExists(CHotKeySetting::GetIniPath());
        CSettingData::ReleaseInstance();
    }
    template <class T>
    T* Find(const LayoutName& entry) {
        return FindNamed<T>(*dlg.GetPaintManager(), entry);
    }
    void Click(const LayoutName& entry) {
        CControlUI* control = dlg.GetPaintManager()->FindControl(entry.name);
        ASSERT_NE(control, nullptr) << Narrow(entry.name);
        const RECT rc = control->GetPos();
        ClickAt(dlg.GetHWND(), {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2});
        Pump(20);
    }
    COptionUI* Nav(const wchar_t* name) { return static_cast<COptionUI*>(dlg.GetPaintManager()->FindControl(name)); }
    int SectionTop(const LayoutName& entry) { return Find<CContainerUI>(entry)->GetPos().top; }
    std::string SettingIni() { return ReadFileBytes(CSettingData::GetInstance()->SettingIniPath()); }
    std::wstring IniValue(const wchar_t* section, const wchar_t* key) {
        wchar_t text[260] = {};
        GetPrivateProfileStringW(section, key, L"<none>", text, 260,
                                 CSettingData::GetInstance()->SettingIniPath().c_str());
        return text;
    }

    HotkeyOwner owner;
    RecordSettingDlg dlg;
};

TEST_F(SettingDialog, SelectedPagesScrollToTheirSectionsAndTheHighlightFollows) {
    const int outputTop = SectionTop(page::kOutPath);  // the page from the top, as it opens
    dlg.SelectPage(kHotkeySettingPage);
    EXPECT_EQ(SectionTop(page::kShortcutKeys), 45);
    EXPECT_TRUE(Nav(L"optShortcut")->IsSelected());
    EXPECT_FALSE(Nav(L"optOutput")->IsSelected());
    auto* container = static_cast<CContainerUI*>(dlg.GetPaintManager()->FindControl(L"PageContainer"));
    ASSERT_NE(container, nullptr);
    for (int index : {0, 1}) {
        dlg.SelectPage(kHotkeySettingPage);
        ASSERT_GT(container->GetScrollPos().cy, 0) << index;
        dlg.SelectPage(index);
        EXPECT_EQ(container->GetScrollPos().cy, 0) << index << ": the page from the top";
        EXPECT_EQ(SectionTop(page::kOutPath), outputTop) << index;
        EXPECT_TRUE(Nav(L"optOutput")->IsSelected()) << index;
        EXPECT_FALSE(Nav(L"optShortcut")->IsSelected()) << index;
    }
    // A click on a navigation entry scrolls there.
    Click({L"optRecord", kOptionInterface});
    EXPECT_EQ(SectionTop(page::kRecord), 45);
    EXPECT_TRUE(Nav(L"optRecord")->IsSelected());
}

// Opened modally on page 7 over a visible owner near the top left corner: the
// hotkey section under the top edge, and the dialog pushed inside the monitor.
TEST_F(SettingDialog, ShowDialogOpensOnTheHotkeysInsideTheMonitor) {
    HWND ownerWindow = CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"owner", WS_POPUP | WS_VISIBLE, 100, 100, 400, 300,
                                       nullptr, nullptr, nullptr, nullptr);
    static RecordSettingDlg* shown = nullptr;
    static RECT placed = {};
    static int sectionTop = 0;
    static bool highlighted = false;
    shown = &dlg;
    static int ticks = 0;
    static bool openAfterEscape = false;
    ticks = 0;
    SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR id, DWORD) {
        HWND window = shown->GetHWND();
        if (!IsWindowVisible(window)) return;
        if (++ticks == 1) {
            GetWindowRect(window, &placed);
            CPaintManagerUI* pm = shown->GetPaintManager();
            sectionTop = pm->FindControl(L"shortcutkeys")->GetPos().top;
            highlighted = static_cast<COptionUI*>(pm->FindControl(L"optShortcut"))->IsSelected();
            PostMessageW(window, WM_KEYDOWN, VK_ESCAPE, 0);
            return;
        }
        KillTimer(nullptr, id);
        openAfterEscape = true;  // Escape has no effect of its own
        PostMessageW(window, WM_CLOSE, 0, 0);
    });
    dlg.ShowDialog(ownerWindow, kHotkeySettingPage, true);
    EXPECT_EQ(sectionTop, 45);
    EXPECT_TRUE(highlighted);
    EXPECT_EQ(placed.left, 0);
    EXPECT_EQ(placed.top, 0);
    EXPECT_EQ(placed.right - placed.left, 682);
    EXPECT_TRUE(openAfterEscape);
    DestroyWindow(ownerWindow);
}

// Section heights 80, 202, 116, 70, 60, 245, 220, 50, 84, 160 with their gaps.
TEST_F(SettingDialog, ScrollPositionsHighlightTheirSection) {
    const struct {
        int y;
        int page;
    } cases[] = {{0, 1},   {89, 1},   {90, 2},   {301, 2},  {302, 3},   {428, 4},   {508, 5},   {580, 6},
                 {840, 7}, {1069, 7}, {1070, 8}, {1134, 8}, {1135, 10}, {1238, 10}, {1239, 11}, {5000, 11}};
    for (const auto& c : cases) EXPECT_EQ(dlg.PageAtScroll(c.y), c.page) << c.y;
}

TEST(SettingPlacement, CentredAndKeptInsideTheMonitor) {
    const RECT monitor = {0, 0, 1280, 800};
    const struct {
        RECT around;
        POINT expected;
    } cases[] = {
        {{200, 100, 800, 500}, {159, 37}},  // centred
        {{0, 500, 400, 800}, {0, 274}},     // too low and too far left: on the edges
        {{1000, 0, 1280, 100}, {598, 0}},   // too far right and too high
    };
    for (const auto& c : cases) {
        const POINT pt = CenteredInside(c.around, monitor, 682, 526);
        EXPECT_EQ(pt.x, c.expected.x);
        EXPECT_EQ(pt.y, c.expected.y);
    }
}

// Each control against its record field: shown from a record, stored back.
TEST_F(SettingDialog, EveryControlShowsItsFieldAndStoresItBack) {
    SettingRecord record;
    record.VFormat = L"FLV";
    record.FrameRate = 15;
    record.VBitrate = L"8000";
    record.Definition = L"原画";
    record.AFormat = L"MP3";
    record.ABitrate = L"64";
    record.SFormat = L"BMP";
    record.Point = true;
    record.Division = true;
    record.Check_division = 1;
    record.Division_time = 25;
    record.Division_size = 1024;
    record.Check_Countdown = false;
    record.Check_Border = false;
    record.Check_AutoStartup = true;
    record.Check_Hide_Task = true;
    record.Record_hide = true;
    record.Startup = true;
    record.Admin_start = true;
    record.Check_close_panel = 1;
    dlg.Page()->LoadControls(record);
    EXPECT_EQ(Narrow(Find<CComboUI>(page::kVOutType)->GetText()), "FLV");
    EXPECT_EQ(Narrow(Find<CComboUI>(page::kFrameRate)->GetText()), "15");
    EXPECT_TRUE(Find<COptionUI>(page::kDiviSize)->IsSelected());
    EXPECT_FALSE(Find<COptionUI>(page::kDiviTime)->IsSelected());
    EXPECT_EQ(Narrow(Find<CEditUI>(page::kDiviSizeEdit)->GetText()), "1024");
    EXPECT_TRUE(Find<COptionUI>(page::kCloseQuit)->IsSelected());

    const SettingRecord stored = dlg.Page()->StoreControls(SettingRecord{});
    EXPECT_EQ(stored.VFormat, L"FLV");
    EXPECT_EQ(stored.FrameRate, 15);
    EXPECT_EQ(stored.VBitrate, L"8000");
    EXPECT_EQ(stored.Definition, L"原画");
    EXPECT_EQ(stored.AFormat, L"MP3");
    EXPECT_EQ(stored.ABitrate, L"64");
    EXPECT_EQ(stored.SFormat, L"BMP");
    EXPECT_TRUE(stored.Point);
    EXPECT_TRUE(stored.Division);
    EXPECT_EQ(stored.Check_division, 1);
    EXPECT_EQ(stored.Division_time, 25);
    EXPECT_EQ(stored.Division_size, 1024);
    EXPECT_FALSE(stored.Check_Countdown);
    EXPECT_FALSE(stored.Check_Border);
    EXPECT_TRUE(stored.Check_AutoStartup);
    EXPECT_TRUE(stored.Check_Hide_Task);
    EXPECT_TRUE(stored.Record_hide);
    EXPECT_TRUE(stored.Startup);
    EXPECT_TRUE(stored.Admin_start);
    EXPECT_EQ(stored.Check_close_panel, 1);

    // Values outside the lists keep the layout's choice; an empty edit stores 0.
    SettingRecord odd;
    odd.AFormat = L"AAC";  // position 1 is past the only item "MP3"
    odd.FrameRate = 60;
    odd.Check_close_panel = 2;
    dlg.Page()->ResetDefaults();
    dlg.Page()->LoadControls(odd);
    Find<CEditUI>(page::kDiviTimeEdit)->SetText(L"");
    const SettingRecord oddStored = dlg.Page()->StoreControls(SettingRecord{});
    EXPECT_EQ(oddStored.AFormat, L"MP3");
    EXPECT_EQ(oddStored.FrameRate, 25);
    EXPECT_EQ(oddStored.Check_close_panel, 1);
    EXPECT_EQ(oddStored.Division_time, 0);
}

TEST_F(SettingDialog, RestoreThenCloseSavesNothing) {
    SettingRecord record;
    record.VFormat = L"FLV";
    record.path = L"C:\\旧的目录";
    CSettingData::GetInstance()->Save(record);
    const std::string before = SettingIni();
    Click({L"btnRescoverDefault", kButtonInterface});
    EXPECT_EQ(Narrow(Find<CComboUI>(page::kVOutType)->GetText()), "MP4");
    Click({L"close", kButtonInterface});
    EXPECT_EQ(SettingIni(), before);
    EXPECT_EQ(RunValue(), L"<none>");
}

TEST_F(SettingDialog, OkSavesTheRecordAndTheRunValue) {
    Find<CComboUI>(page::kVOutType)->SelectItem(1);  // FLV
    Find<CComboUI>(page::kDefinition)->SelectItem(2);
    Find<CCheckBoxUI>(page::kStartOpen)->SetCheck(true);
    Find<CCheckBoxUI>(page::kShowCountdown)->SetCheck(false);
    EXPECT_FALSE(dlg.OnOK());
    EXPECT_EQ(IniValue(L"Video", L"VFormat"), L"FLV");
    EXPECT_EQ(IniValue(L"Video", L"Definition"), L"原画");
    EXPECT_EQ(IniValue(L"Record", L"Check_Countdown"), L"0");
    EXPECT_EQ(RunValue(), L"\"" + GetModulePath() + L"\" -t");
    Find<CCheckBoxUI>(page::kStartOpen)->SetCheck(false);
    dlg.OnOK();
    EXPECT_EQ(RunValue(), L"<none>");
}

TEST_F(SettingDialog, HotkeyRowsEditedWithTheBoxesAndTheCombo) {
    HotkeyLabel* area = Find<HotkeyLabel>(page::kHotkeyCustomArea);
    ASSERT_NE(area, nullptr);
    EXPECT_EQ(dlg.CurrentRow(), area);
    EXPECT_EQ(Narrow(area->GetText()), Narrow(L"自定义录制区域(Alt + R)"));
    EXPECT_TRUE(Find<CCheckBoxUI>(page::kChkAlt)->GetCheck());
    Find<CCheckBoxUI>(page::kChkShift)->SetCheck(true);
    EXPECT_EQ(Narrow(area->GetText()), Narrow(L"自定义录制区域(Shift + Alt + R)"));

    // Selecting the start row by a click shows F8; "无" leaves the row and disables the boxes.
    dlg.SelectPage(kHotkeySettingPage);
    Click(page::kHotkeyStartRecord);
    HotkeyLabel* start = Find<HotkeyLabel>(page::kHotkeyStartRecord);
    EXPECT_EQ(dlg.CurrentRow(), start);
    EXPECT_FALSE(area->IsSelected());
    EXPECT_EQ(Narrow(Find<CComboUI>(page::kComKey)->GetText()), "F8");
    Find<CComboUI>(page::kComKey)->SelectItem(38);
    EXPECT_FALSE(Find<CCheckBoxUI>(page::kChkCtrl)->IsEnabled());
    EXPECT_EQ(Narrow(start->GetKeyText()), "F8");
    Find<CComboUI>(page::kComKey)->SelectItem(9);  // J
    EXPECT_TRUE(Find<CCheckBoxUI>(page::kChkCtrl)->IsEnabled());
    EXPECT_EQ(Narrow(start->GetText()), Narrow(L"开始/停止录制(J)"));

    dlg.OnOK();
    for (const HotkeyEntry& e : CHotKeySetting::GetInstance()->GetHotkeyList()) {
        if (e.name == L"RecordStart") EXPECT_EQ(e.key, L"J");
        if (e.name == L"CustomAera") EXPECT_EQ(e.fVirt, kHotkeyShift | kHotkeyAlt);
    }
    HotkeyOwner other;
    EXPECT_TRUE(RegisterHotKey(other.hwnd, 0x7100, 0, VK_F8)) << "the old key is released";
    UnregisterHotKey(other.hwnd, 0x7100);
    EXPECT_FALSE(RegisterHotKey(other.hwnd, 0x7101, 0, 'J'));
}

// After restoring the defaults, OK registers and stores them even though the
// registry's list would not differ from the rows.
TEST_F(SettingDialog, RestoredDefaultHotkeysAreRegisteredOnOk) {
    Find<CComboUI>(page::kComKey)->SelectItem(9);  // the area row becomes Alt + J
    dlg.OnOK();
    Click({L"btnRescoverDefault", kButtonInterface});
    dlg.OnOK();
    HotkeyOwner other;
    EXPECT_TRUE(RegisterHotKey(other.hwnd, 0x7102, MOD_ALT, 'J'));
    UnregisterHotKey(other.hwnd, 0x7102);
    EXPECT_FALSE(RegisterHotKey(other.hwnd, 0x7103, MOD_ALT, 'R'));
    wchar_t key[16] = {};
    GetPrivateProfileStringW(L"CustomAera", L"key", L"", key, 16, CHotKeySetting::GetIniPath().c_str());
    EXPECT_STREQ(key, L"R");
}

// Two rows given one key: OK is refused with a plain notice naming both rows
// and the dialog stays on the hotkeys, nothing registered or saved; once the
// two rows trade keys, OK registers both.
TEST_F(SettingDialog, OneKeyOnTwoRowsIsRefusedAndTradedKeysAreRegistered) {
    static std::wstring noticeText;
    noticeText.clear();
    HotkeyLabel* start = Find<HotkeyLabel>(page::kHotkeyStartRecord);
    HotkeyLabel* board = Find<HotkeyLabel>(page::kHotkeyShowDrawBoard);
    ASSERT_TRUE(start && board);
    dlg.SelectPage(kHotkeySettingPage);
    Click(page::kHotkeyStartRecord);
    ASSERT_EQ(dlg.CurrentRow(), start);
    Find<CComboUI>(page::kComKey)->SelectItem(26);  // F1, the drawing board's key
    ASSERT_EQ(Narrow(start->GetKeyText()), "F1");
    SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR id, DWORD) {
        HWND notice = FindWindowW(L"MsgTipWnd", nullptr);
        if (!notice || !IsWindowVisible(notice)) return;
        KillTimer(nullptr, id);
        auto* window =
            dynamic_cast<WindowImplBase*>(reinterpret_cast<CWindowWnd*>(GetWindowLongPtrW(notice, GWLP_USERDATA)));
        if (CControlUI* text = window ? window->FindControl(L"tip_text") : nullptr) noticeText = text->GetText().Str();
        PostMessageW(notice, WM_CLOSE, 0, 0);
    });
    dlg.SelectPage(1);
    EXPECT_TRUE(dlg.OnOK()) << "the dialog stays open";
    EXPECT_EQ(Narrow(noticeText.c_str()),
              Narrow(L"“开始/停止录制”和“显示/隐藏涂鸦面板”用了同一个快捷键(F1)，请更改其中一个"));
    EXPECT_EQ(SectionTop(page::kShortcutKeys), 45) << "on the hotkeys";
    for (const HotkeyEntry& e : CHotKeySetting::GetInstance()->GetHotkeyList()) {
        if (e.name == L"RecordStart") {
            EXPECT_EQ(e.key, L"F8") << "nothing registered";
        }
    }
    EXPECT_EQ(ReadFileBytes(CSettingData::GetInstance()->SettingIniPath()), "") << "nothing saved";

    Click(page::kHotkeyShowDrawBoard);
    ASSERT_EQ(dlg.CurrentRow(), board);
    Find<CComboUI>(page::kComKey)->SelectItem(33);  // F8, the start row's old key
    noticeText.clear();
    EXPECT_FALSE(dlg.OnOK());
    EXPECT_EQ(noticeText, L"") << "no notice: the keys were traded";
    for (const HotkeyEntry& e : CHotKeySetting::GetInstance()->GetHotkeyList()) {
        if (e.name == L"RecordStart" || e.name == L"ShowDrawBoard") {
            EXPECT_EQ(e.state, kHotkeyRegistered) << Narrow(e.name.c_str());
        }
    }
    HotkeyOwner other;
    EXPECT_FALSE(RegisterHotKey(other.hwnd, 0x7106, 0, VK_F1));
    EXPECT_FALSE(RegisterHotKey(other.hwnd, 0x7107, 0, VK_F8));
}

// OK with a key another window holds: the notice lists it; its OK keeps the
// settings dialog open on the hotkey section, its close lets OK close it.
TEST_F(SettingDialog, OkWithATakenKeyAsksAndStaysOnTheHotkeys) {
    HotkeyOwner holder;
    ASSERT_TRUE(RegisterHotKey(holder.hwnd, 0x7104, MOD_ALT, 'J'));
    static bool answerOk = false;
    static bool noticeSeen = false;
    for (bool ok : {true, false}) {
        answerOk = ok;
        noticeSeen = false;
        Find<CComboUI>(page::kComKey)->SelectItem(ok ? 9 : 10);  // the area row: Alt + J, then Alt + K
        if (!ok) ASSERT_TRUE(RegisterHotKey(holder.hwnd, 0x7105, MOD_ALT, 'K'));
        SetTimer(nullptr, 0, 200, [](HWND, UINT, UINT_PTR id, DWORD) {
            HWND notice = FindWindowW(L"HotkeyTipWnd", nullptr);
            if (!notice || !IsWindowVisible(notice)) return;
            KillTimer(nullptr, id);
            noticeSeen = true;
            if (!answerOk) {
                PostMessageW(notice, WM_CLOSE, 0, 0);
                return;
            }
            const LPARAM okButton = MAKELPARAM(410, 234);
            PostMessageW(notice, WM_MOUSEMOVE, 0, okButton);
            PostMessageW(notice, WM_LBUTTONDOWN, MK_LBUTTON, okButton);
            PostMessageW(notice, WM_LBUTTONUP, 0, okButton);
        });
        dlg.SelectPage(1);
        EXPECT_EQ(dlg.OnOK(), ok);
        EXPECT_TRUE(noticeSeen);
        if (ok) EXPECT_EQ(SectionTop(page::kShortcutKeys), 45) << "scrolled to the hotkeys";
    }
    UnregisterHotKey(holder.hwnd, 0x7104);
    UnregisterHotKey(holder.hwnd, 0x7105);
}

TEST(HotkeyNotice, TakenKeysBetweenQuotes) {
    std::vector<HotkeyEntry> entries = CHotKeySetting::DefaultList();
    entries[3].state = kHotkeyTaken;  // F1
    entries[5].state = kHotkeyTaken;  // Ctrl + Q
    entries[1].state = kHotkeyRegistered;
    HotkeyTipDlg notice;
    ASSERT_TRUE(notice.CollectConflicts(entries));
    ASSERT_EQ(notice.Conflicts().size(), 2u);
    EXPECT_EQ(notice.Conflicts()[0], L"\"F1\"");
    EXPECT_EQ(notice.Conflicts()[1], L"\"Ctrl + Q\"");
    HotkeyTipDlg none;
    EXPECT_FALSE(none.CollectConflicts(CHotKeySetting::DefaultList()));

    // In the window: one label per taken key, the other four stay hidden.
    EnsureTestSkin();
    ASSERT_NE(notice.Create(nullptr, L"HotkeyDialog", kHotkeyTipStyle, kHotkeyTipExStyle), nullptr);
    const wchar_t* labels[] = {L"tip_text1", L"tip_text2", L"tip_text3", L"tip_text4", L"tip_text5", L"tip_text6"};
    for (int i = 0; i < 6; ++i) {
        CControlUI* label = notice.GetPaintManager()->FindControl(labels[i]);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->IsVisible(), i < 2) << i;
        if (i < 2) EXPECT_EQ(std::wstring(label->GetText().Str()), notice.Conflicts()[i]);
    }
    DestroyWindow(notice.GetHWND());
}

}  // namespace
