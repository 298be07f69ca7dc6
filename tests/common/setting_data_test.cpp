#include "common/setting_data.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "common/drives.h"
#include "common/program_path.h"
#include "common/text_convert.h"
#include "tests/support/test_support.h"

using namespace testing_support;

namespace {

// Each test starts with no ini files beside the program and a fresh model.
class SettingData : public ::testing::Test {
protected:
    void SetUp() override { Clean(); }
    void TearDown() override { Clean(); }
    void Clean() {
        CSettingData::ReleaseInstance();
        DeleteFileIfExists(settingIni);
        DeleteFileIfExists(mainIni);
    }
    std::wstring Read(const wchar_t* section, const wchar_t* key, const std::wstring& ini) {
        wchar_t buf[512] = {};
        GetPrivateProfileStringW(section, key, L"<missing>", buf, 512, ini.c_str());
        return buf;
    }

    const std::wstring settingIni = GetAppFilePath(L"setting_record.ini");
    const std::wstring mainIni = GetAppFilePath(L"Tessel.ini");
};

TEST_F(SettingData, EmptyFileGivesTheDefaults) {
    SettingRecord r = CSettingData::GetInstance()->GetSettings();
    EXPECT_FALSE(r.NeedsLoad());
    EXPECT_EQ(r.VFormat, L"MP4");
    EXPECT_EQ(r.FrameRate, 25);
    EXPECT_EQ(r.VBitrate, L"5000");
    EXPECT_EQ(r.Vcodec, L"H264");
    EXPECT_EQ(r.Definition, L"高清");
    EXPECT_EQ(r.AFormat, L"MP3");
    EXPECT_EQ(r.ABitrate, L"128");
    EXPECT_EQ(r.Frequency, 44100);
    EXPECT_EQ(r.SFormat, L"JPG");
    EXPECT_TRUE(r.Point);
    EXPECT_FALSE(r.Area);
    EXPECT_EQ(r.Area_color, 0xFFFF0000u);
    EXPECT_EQ(r.Area_size, 0);
    EXPECT_FALSE(r.Click);
    EXPECT_EQ(r.Click_left, 0xFFFF0000u);
    EXPECT_EQ(r.Click_right, 0xFFFF0000u);
    EXPECT_EQ(r.ZoomArea, L"50%");
    EXPECT_EQ(r.Diam, L"40%");
    EXPECT_FALSE(r.Division);
    EXPECT_EQ(r.Check_division, 0);
    EXPECT_EQ(r.Division_time, 60);
    EXPECT_EQ(r.Division_size, 500);
    EXPECT_TRUE(r.Check_Countdown);
    EXPECT_FALSE(r.Check_Audio);
    EXPECT_TRUE(r.Check_Border);
    for (bool flag :
         {r.Check_Move, r.Check_AutoStartup, r.Check_Hide_Desticon, r.Check_Hide_Task, r.Check_Boost_Trans_Wnd,
          r.Check_Stop_Frame_Static, r.Check_Frame_Collect, r.Record_hide, r.Startup, r.Admin_start, r.Hide_main})
        EXPECT_FALSE(flag);
    EXPECT_EQ(r.Check_close_panel, 0);
}

TEST_F(SettingData, DefaultOutputFolderIsCreatedAtTheRootOfADrive) {
    std::wstring root = FindLargestFreeDrive();
    ASSERT_EQ(root.size(), 3u);
    EXPECT_EQ(root.substr(1), L":\\");
    std::wstring folder = root + L"Tessel录屏";
    RemoveDirectoryW(folder.c_str());

    SettingRecord r = CSettingData::GetInstance()->GetSettings();
    // Free space moves while other programs write, so the drive is checked for its
    // form here and the choice itself in the table below.
    ASSERT_EQ(r.path.size(), folder.size());
    EXPECT_EQ(r.path.substr(1), folder.substr(1));
    DWORD attr = GetFileAttributesW(r.path.c_str());
    ASSERT_NE(attr, INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(attr & FILE_ATTRIBUTE_DIRECTORY);
}

// The Linux folder behind a Windows path under Wine; empty elsewhere.
std::string UnixPathOf(const std::wstring& path) {
    using ToUnix = char*(CDECL*)(LPCWSTR);
    auto toUnix = reinterpret_cast<ToUnix>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (!toUnix) return std::string();
    char* unixPath = toUnix(path.c_str());
    if (!unixPath) return std::string();
    std::string result = unixPath;
    HeapFree(GetProcessHeap(), 0, unixPath);
    return result;
}

// The default output folder goes to the root of a drive: under Wine no drive of
// the test prefix may be the host's root, or a test would write there.
TEST(Drives, NoDriveIsTheHostsRoot) {
    wchar_t list[512] = {};
    ASSERT_GT(GetLogicalDriveStringsW(511, list), 0u);
    int drives = 0;
    for (const wchar_t* root = list; *root; root += wcslen(root) + 1, ++drives) {
        std::string folder = UnixPathOf(root);
        while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
        EXPECT_NE(folder, "/") << WideToUtf8(root);
    }
    EXPECT_GT(drives, 0);
}

TEST(Drives, TheDriveWithTheMostFreeSpaceWinsAndTheFirstOfEqualOnes) {
    struct Case {
        std::vector<DriveSpace> drives;
        const wchar_t* chosen;
    };
    const Case cases[] = {
        {{}, L""},
        {{{L"C:\\", 5}}, L"C:\\"},
        {{{L"C:\\", 5}, {L"D:\\", 9}, {L"E:\\", 7}}, L"D:\\"},
        {{{L"C:\\", 9}, {L"D:\\", 9}}, L"C:\\"},
        {{{L"C:\\", 0}, {L"Z:\\", 0}}, L"C:\\"},
    };
    for (const Case& c : cases) EXPECT_EQ(ChooseLargestDrive(c.drives), c.chosen);
}

TEST_F(SettingData, SavedRecordIsReturnedWithoutReadingTheFile) {
    CSettingData* data = CSettingData::GetInstance();
    SettingRecord r = data->GetSettings();
    r.VFormat = L"FLV";
    r.Division_time = 5;
    data->Save(r);
    // The file changes behind the model's back; the held record does not.
    WritePrivateProfileStringW(L"Video", L"VFormat", L"MP4", settingIni.c_str());
    EXPECT_EQ(data->GetSettings().VFormat, L"FLV");
    EXPECT_EQ(data->GetSettings().Division_time, 5);
    data->Load();
    EXPECT_EQ(data->GetSettings().VFormat, L"MP4");
}

TEST_F(SettingData, EveryValueRoundTripsThroughTheFilesIncludingChinese) {
    SettingRecord r = CSettingData::GetInstance()->GetSettings();
    r.path = L"C:\\录屏 输出\\视频";
    r.Definition = L"原画";
    r.FrameRate = 15;
    r.Area_color = 0x1200FF00;  // alpha is not stored
    r.Click_right = 0xFF0000FF;
    r.Check_Countdown = false;
    r.Check_division = 1;
    r.Admin_start = true;
    r.Check_close_panel = 1;
    CSettingData::GetInstance()->Save(r);
    CSettingData::ReleaseInstance();

    EXPECT_EQ(Read(L"Mouse", L"Area_color", settingIni), L"#FF00FF00");
    EXPECT_EQ(Read(L"Record", L"Check_Countdown", settingIni), L"0");
    EXPECT_EQ(Read(L"MainPanel", L"Check_close_panel", mainIni), L"1");
    EXPECT_EQ(Read(L"MainPanel", L"Check_close_panel", settingIni), L"<missing>");
    // The ANSI profile functions see the same Chinese text in code page 936.
    char narrow[512] = {};
    GetPrivateProfileStringA("Output", "path", "", narrow, 512, WideToChs(settingIni).c_str());
    EXPECT_EQ(narrow, WideToChs(L"C:\\录屏 输出\\视频"));

    SettingRecord back = CSettingData::GetInstance()->GetSettings();
    EXPECT_EQ(back.path, r.path);
    EXPECT_EQ(back.Definition, L"原画");
    EXPECT_EQ(back.FrameRate, 15);
    EXPECT_EQ(back.Area_color, 0xFF00FF00u);
    EXPECT_EQ(back.Click_right, 0xFF0000FFu);
    EXPECT_FALSE(back.Check_Countdown);
    EXPECT_EQ(back.Check_division, 1);
    EXPECT_TRUE(back.Admin_start);
    EXPECT_EQ(back.Check_close_panel, 1);
}

TEST_F(SettingData, ValuesWrittenByHandAreReadAsTheFileFormatSays) {
    WritePrivateProfileStringW(L"Mouse", L"Area_color", L"  #FF00FF00", settingIni.c_str());
    WritePrivateProfileStringW(L"Mouse", L"Click_left", L"FF123456", settingIni.c_str());
    WritePrivateProfileStringW(L"Record", L"Division", L"7", settingIni.c_str());
    WritePrivateProfileStringW(L"Video", L"VBitrate", std::wstring(400, L'9').c_str(), settingIni.c_str());
    SettingRecord r = CSettingData::GetInstance()->GetSettings();
    EXPECT_EQ(r.Area_color, 0xFF00FF00u);
    EXPECT_EQ(r.Click_left, 0xFF123456u);
    EXPECT_TRUE(r.Division);
    EXPECT_EQ(r.VBitrate, std::wstring(259, L'9'));
}

TEST(SettingColor, FormatsAndParses) {
    struct Case {
        uint32_t value;
        const wchar_t* text;
    };
    for (const Case& c :
         {Case{0xFFFF0000, L"#FFFF0000"}, Case{0x0000FF00, L"#FF00FF00"}, Case{0x80ABCDEF, L"#FFABCDEF"}}) {
        EXPECT_EQ(FormatSettingColor(c.value), c.text);
        EXPECT_EQ(ParseSettingColor(c.text), c.value | 0xFF000000u);
    }
    EXPECT_EQ(ParseSettingColor(L"\t #FF00FF00"), 0xFF00FF00u);
    EXPECT_EQ(ParseSettingColor(L"zz"), 0u);
}

}  // namespace
