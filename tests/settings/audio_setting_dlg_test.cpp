// The sound device dialog from the real skin: the two lists filled from the
// owner's devices with the saved choice selected, OK writing [Audio], cancel
// writing nothing, and the level bars. This program runs under code page 1252
// (its test environment), where Chinese has no ANSI form: device names and the
// path of "Tessel.ini" must still mean the same text to the dialog and to the
// recorder, which reads the file through common/main_ini.h.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/main_ini.h"
#include "settings/sound/audio_setting_dlg.h"
#include "tests/support/test_support.h"
#include "tests/ui/ui_test_support.h"

using namespace DuiLib;

namespace {

const std::vector<std::wstring> kSys = {L"默认", L"扬声器 (Realtek)", L"PulseAudio"};
const std::vector<std::wstring> kMic = {L"默认", L"麦克风 (USB)"};

void QueueClick(AudioSettingDlg& dialog, LPCTSTR name) {
    dialog.GetPaintManager()->UpdateLayout();
    CControlUI* control = dialog.FindControl(name);
    ASSERT_NE(control, nullptr) << ui_test::Narrow(name);
    const RECT rc = control->GetPos();
    const LPARAM pt = MAKELPARAM((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    PostMessageW(dialog.GetHWND(), WM_MOUSEMOVE, 0, pt);
    PostMessageW(dialog.GetHWND(), WM_LBUTTONDOWN, MK_LBUTTON, pt);
    PostMessageW(dialog.GetHWND(), WM_LBUTTONUP, 0, pt);
}

CComboUI* Combo(AudioSettingDlg& dialog, LPCTSTR name) {
    return static_cast<CComboUI*>(dialog.FindControl(name)->GetInterface(L"Combo"));
}

std::wstring ReadKey(const std::wstring& ini, const wchar_t* key) {
    wchar_t buffer[260] = {};
    GetPrivateProfileStringW(L"Audio", key, L"<missing>", buffer, 260, ini.c_str());
    return buffer;
}

class AudioSettingTest : public ::testing::Test {
protected:
    void SetUp() override {
        ui_test::EnsureTestSkin();
        ASSERT_NE(GetACP(), 936u) << "this program runs under another code page than 936";
        const std::wstring chinese = folder.File(L"录屏");
        ASSERT_TRUE(CreateDirectoryW(chinese.c_str(), nullptr));
        ini = chinese + L"\\Tessel.ini";  // a program folder with Chinese in its name
    }
    bool Open(AudioSettingDlg& dialog) {
        dialog.SetDevices(kSys, kMic);
        dialog.SetIniPath(ini);
        return dialog.Create(nullptr, L"AudioSettingDialog", WS_POPUP | WS_VISIBLE, WS_EX_TOOLWINDOW) != nullptr;
    }
    testing_support::TempDir folder;
    std::wstring ini;
};

}  // namespace

TEST_F(AudioSettingTest, WithoutSavedKeysBothListsChooseTheDefaultAndCancelWritesNothing) {
    AudioSettingDlg dialog;
    ASSERT_TRUE(Open(dialog));
    ASSERT_EQ(Combo(dialog, L"volume")->GetCount(), 3);
    ASSERT_EQ(Combo(dialog, L"mic")->GetCount(), 2);
    EXPECT_EQ(Combo(dialog, L"volume")->GetText().Str(), L"默认");
    EXPECT_EQ(Combo(dialog, L"mic")->GetText().Str(), L"默认");
    Combo(dialog, L"volume")->SelectItem(2);
    QueueClick(dialog, L"btn_cancel");
    EXPECT_EQ(dialog.ShowDialog(nullptr, true), 0);
    EXPECT_EQ(GetFileAttributesW(ini.c_str()), INVALID_FILE_ATTRIBUTES) << "cancelled: no file written";
}

TEST_F(AudioSettingTest, OkSavesTheChosenNamesAndTheNextDialogSelectsThem) {
    {
        AudioSettingDlg dialog;
        ASSERT_TRUE(Open(dialog));
        Combo(dialog, L"volume")->SelectItem(1);
        Combo(dialog, L"mic")->SelectItem(1);
        QueueClick(dialog, L"btn_ok");
        EXPECT_EQ(dialog.ShowDialog(nullptr, true), 1);
    }
    EXPECT_EQ(ReadKey(ini, L"SysVolume"), L"扬声器 (Realtek)");
    EXPECT_EQ(ReadKey(ini, L"MicVolume"), L"麦克风 (USB)");
    EXPECT_EQ(ReadSoundDevice(kMicVolumeKey, L"", ini), L"麦克风 (USB)") << "as the recording start reads it";
    AudioSettingDlg again;
    ASSERT_TRUE(Open(again));
    EXPECT_EQ(Combo(again, L"volume")->GetCurSel(), 1);
    EXPECT_EQ(Combo(again, L"mic")->GetCurSel(), 1);
    QueueClick(again, L"closebtn");
    EXPECT_EQ(again.ShowDialog(nullptr, false), 0);
}

// A file an earlier version wrote on this machine (ANSI, code page 1252) still
// selects its devices, and the recorder reads the same names.
TEST_F(AudioSettingTest, AFileOfAnEarlierVersionInThisCodePageSelectsItsDevices) {
    const std::vector<std::wstring> mics = {L"默认", L"Mikrofon (Realtek® Audio)"};
    testing_support::WriteFileBytes(ini,
                                    "[Audio]\r\nSysVolume=PulseAudio\r\nMicVolume=Mikrofon (Realtek\xAE Audio)\r\n");
    EXPECT_EQ(ReadSoundDevice(kMicVolumeKey, L"", ini), mics[1]);
    AudioSettingDlg dialog;
    dialog.SetDevices(kSys, mics);
    dialog.SetIniPath(ini);
    ASSERT_NE(dialog.Create(nullptr, L"AudioSettingDialog", WS_POPUP | WS_VISIBLE, WS_EX_TOOLWINDOW), nullptr);
    EXPECT_EQ(Combo(dialog, L"volume")->GetCurSel(), 2);
    EXPECT_EQ(Combo(dialog, L"mic")->GetCurSel(), 1);
    dialog.Close(0);
}

TEST_F(AudioSettingTest, LevelBarsFollowTheLevelMessages) {
    AudioSettingDlg dialog;
    ASSERT_TRUE(Open(dialog));
    const struct {
        UINT message;
        const wchar_t* format;
        unsigned level;
        int lit;  // bars in state 3; the next one is in state 2
    } cases[] = {{WM_SYS_SOUND_LEVEL, L"sys_voice_pulse%d", 20, 9},
                 {WM_MIC_SOUND_LEVEL, L"mic_voice_pulse%d", 50, 24},
                 {WM_SYS_SOUND_LEVEL, L"sys_voice_pulse%d", 0, 0}};
    for (const auto& c : cases) {
        SendMessageW(dialog.GetHWND(), c.message, c.level, 0);
        for (int i = 1; i <= 53; ++i) {
            wchar_t name[32];
            swprintf(name, 32, c.format, i);
            const int state = i <= c.lit ? 3 : (i == c.lit + 1 && c.level > 0) ? 2 : 1;
            const std::wstring image = L"file='common/voice2" + std::to_wstring(state) + L".png' dest='0,0,2,14'";
            CControlUI* bar = dialog.FindControl(name);
            ASSERT_NE(bar, nullptr) << i;
            EXPECT_EQ(bar->GetBkImage(), image) << c.level << " bar " << i;
        }
    }
    dialog.Close(0);
}
