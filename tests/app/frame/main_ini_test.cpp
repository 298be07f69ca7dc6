// "Tessel.ini": every key read back as written, a file of an earlier version (ANSI
// text in code page 936) read and kept as it is, a new file in UTF-16 that the
// ANSI functions still read, and the stored area size kept usable.
#include <gtest/gtest.h>

#include "common/main_ini.h"
#include "common/text_convert.h"
#include "tests/app/frame/frame_test_support.h"
#include "tests/support/test_support.h"

using namespace frame_test;

class MainIniTest : public ::testing::Test {
protected:
    void SetUp() override { RemoveIniFiles(); }
    void TearDown() override { RemoveIniFiles(); }
};

TEST_F(MainIniTest, PathIsBesideTheProgram) {
    std::wstring path = GetMainIniPath();
    wchar_t module[MAX_PATH];
    GetModuleFileNameW(nullptr, module, MAX_PATH);
    std::wstring folder(module);
    folder.resize(folder.find_last_of(L'\\') + 1);
    EXPECT_EQ(path, folder + L"Tessel.ini");
}

TEST_F(MainIniTest, AMissingFileReadsAsTheDefaults) {
    EXPECT_EQ(ReadMainAudioSel(), "");
    EXPECT_EQ(ReadSelAreaText("SelAreaW"), "");
    SelAreaSize size = ReadSelAreaSize(1280, 800);
    EXPECT_EQ(size.width, kDefaultSelAreaWidth);
    EXPECT_EQ(size.height, kDefaultSelAreaHeight);
    EXPECT_EQ(ReadSysVolumeDevice(L"默认"), L"默认");
    EXPECT_EQ(ReadMicVolumeDevice(L""), L"");
    EXPECT_FALSE(ReadHotkeyNoshow());
    EXPECT_EQ(ReadCheckClosePanel(), 0);
    EXPECT_TRUE(ReadExitMiniWndRemind());
}

TEST_F(MainIniTest, EveryKeyRoundTrips) {
    WriteMainAudioSel(3);
    WriteSelArea({100, 50, 101, 51}, true);  // a 1 x 1 area stays 1 x 1
    WriteSoundDevices(L"扬声器 (Realtek Audio)", L"麦克风 (USB 音频)");
    WriteHotkeyNoshow();
    WriteCheckClosePanel(1);
    WriteExitMiniWndRemind(false);

    EXPECT_EQ(ReadMainAudioSel(), "3");
    EXPECT_EQ(ReadSelAreaText("SelAreaW"), "1");
    EXPECT_EQ(ReadSelAreaText("SelAreaH"), "1");
    EXPECT_EQ(ReadMainIni(L"SelArea", L"AllScreen"), L"1");
    SelAreaSize size = ReadSelAreaSize(1280, 800);
    EXPECT_EQ(size.width, 1);
    EXPECT_EQ(size.height, 1);
    EXPECT_EQ(ReadSysVolumeDevice(L"默认"), L"扬声器 (Realtek Audio)");
    EXPECT_EQ(ReadMicVolumeDevice(L"默认"), L"麦克风 (USB 音频)");
    EXPECT_TRUE(ReadHotkeyNoshow());
    EXPECT_EQ(ReadCheckClosePanel(), 1);
    EXPECT_FALSE(ReadExitMiniWndRemind());

    WriteSelArea({0, 0, 1280, 720}, false);
    EXPECT_EQ(ReadMainIni(L"SelArea", L"SelAreaW"), L"1280");
    EXPECT_EQ(ReadMainIni(L"SelArea", L"SelAreaH"), L"720");
    EXPECT_EQ(ReadMainIni(L"SelArea", L"AllScreen"), L"0");
    WriteExitMiniWndRemind(true);
    EXPECT_TRUE(ReadExitMiniWndRemind());
}

TEST_F(MainIniTest, AnEarlierFileIsReadAndKeptAndANewOneIsUnicode) {
    // A file written by an earlier version (ANSI, GBK bytes) reads as the same
    // text, and a write keeps it ANSI for that version.
    testing_support::WriteFileBytes(GetMainIniPath(), "[Audio]\r\nMicVolume=\xC2\xF3\xBF\xCB\xB7\xE7 2\r\n");
    EXPECT_EQ(ReadMicVolumeDevice(L""), L"麦克风 2");
    WriteSoundDevices(L"默认", L"麦克风");
    std::string file = testing_support::ReadFileBytes(GetMainIniPath());
    EXPECT_EQ(file.rfind("[Audio]", 0), 0u) << "still ANSI";
    EXPECT_NE(file.find("SysVolume=\xC4\xAC\xC8\xCF"), std::string::npos) << "默认 in GBK";
    EXPECT_EQ(ReadMicVolumeDevice(L""), L"麦克风");

    // A new file is UTF-16 with its mark; an earlier version's ANSI read of it
    // still gives its GBK text.
    RemoveIniFiles();
    WriteSoundDevices(L"默认", L"麦克风 (USB 音频)");
    WriteMainAudioSel(2);
    file = testing_support::ReadFileBytes(GetMainIniPath());
    EXPECT_EQ(file.rfind("\xFF\xFE[\0", 0), 0u) << "UTF-16 with its mark";
    char ansi[64] = {};
    GetPrivateProfileStringA("Audio", "MicVolume", "", ansi, 64, WideToChs(GetMainIniPath()).c_str());
    EXPECT_EQ(std::string(ansi), WideToChs(L"麦克风 (USB 音频)"));
    EXPECT_EQ(GetPrivateProfileIntA("Info", "MainAudioSel", 0, WideToChs(GetMainIniPath()).c_str()), 2u);
    EXPECT_EQ(ReadMicVolumeDevice(L""), L"麦克风 (USB 音频)");
}

TEST_F(MainIniTest, StoredAreaSidesAreKeptUsable) {
    struct Case {
        const wchar_t* stored;  // nullptr: no key
        int expected;
    } cases[] = {
        {nullptr, kDefaultSelAreaWidth},
        {L"", kDefaultSelAreaWidth},  // a key without a value reads as nothing
        {L"0", 150},
        {L"-20", 150},
        {L"abc", 150},
        {L"1", 1},
        {L"640", 640},
        {L"1280", 1280},
        {L"5000", 1280},  // larger than the desktop: the desktop's side
        {L"  42", 42},
    };
    for (const Case& c : cases) {
        RemoveIniFiles();
        if (c.stored) WriteMainIni(L"SelArea", L"SelAreaW", c.stored);
        EXPECT_EQ(ReadSelAreaSize(1280, 800).width, c.expected) << (c.stored ? WideToUtf8(c.stored) : "missing");
    }
    WriteMainIni(L"SelArea", L"SelAreaH", L"900");
    EXPECT_EQ(ReadSelAreaSize(1280, 800).height, 800);
    EXPECT_EQ(SelAreaSide("700", 600, 0), 700) << "no limit";
}
