// The hotkey registry: display texts and flags as tables, the file read and
// written back, and registration against the real RegisterHotKey, including a
// key that another window already holds.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/hotkeys/hotkey_setting.h"
#include "tests/support/test_support.h"

using testing_support::DeleteFileIfExists;
using testing_support::FileExists;
using testing_support::WriteFileBytes;

std::string ToUtf8(const wchar_t* text) {
    std::string out(WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, &out[0], static_cast<int>(out.size()), nullptr, nullptr);
    out.pop_back();
    return out;
}

namespace {

struct ModCase {
    uint8_t fVirt;
    UINT mod;
};

TEST(HotkeyTexts, ToModFlagsSwapsShiftAndAlt) {
    const ModCase cases[] = {{0, 0}, {1, 4}, {4, 1}, {5, 5}, {2, 2}, {3, 6}, {6, 3}, {7, 7}};
    for (const ModCase& c : cases) EXPECT_EQ(ToModFlags(c.fVirt), c.mod) << int(c.fVirt);
}

TEST(HotkeyTexts, DisplayTextOrdersCtrlShiftAlt) {
    const struct {
        uint8_t fVirt;
        const wchar_t* key;
        const wchar_t* text;
    } cases[] = {
        {0, L"F1", L"(F1)"},
        {7, L"W", L"(Ctrl + Shift + Alt + W)"},
        {kHotkeyAlt, L"R", L"(Alt + R)"},
        {kHotkeyShift | kHotkeyAlt, L"R", L"(Shift + Alt + R)"},
        {kHotkeyCtrl, L"Q", L"(Ctrl + Q)"},
    };
    for (const auto& c : cases) {
        HotkeyEntry entry;
        entry.fVirt = c.fVirt;
        entry.key = c.key;
        EXPECT_EQ(entry.GetDisplayText(), c.text);
    }
}

TEST(HotkeyTexts, KeyTextsOutsideTheListAreNoKey) {
    const struct {
        const wchar_t* key;
        UINT vk;
    } cases[] = {{L"A", 'A'}, {L"Z", 'Z'}, {L"F1", VK_F1}, {L"F12", VK_F12}, {L"无", 0}, {L"", 0},   {L"F13", 0},
                 {L"F0", 0},  {L"F01", 0}, {L"1", 0},      {L"a", 0},        {L"AB", 0}, {L"F", 'F'}};
    for (const auto& c : cases) EXPECT_EQ(HotkeyVirtualKey(c.key), c.vk);
}

// A window of this thread that receives WM_HOTKEY.
class HotkeyWindow {
public:
    HotkeyWindow() {
        hwnd = CreateWindowExW(0, L"STATIC", L"hotkeys", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    }
    ~HotkeyWindow() { DestroyWindow(hwnd); }
    HWND hwnd;
};

// The registry of this test program, with the file beside it removed first.
class HotkeyRegistry : public ::testing::Test {
protected:
    void SetUp() override {
        CHotKeySetting::ReleaseInstance();
        DeleteFileIfExists(CHotKeySetting::GetIniPath());
    }
    void TearDown() override {
        CHotKeySetting::ReleaseInstance();
        DeleteFileIfExists(CHotKeySetting::GetIniPath());
    }
    static CHotKeySetting& Registry() { return *CHotKeySetting::GetInstance(); }
    static void WriteIni(const std::string& utf8Text) {
        // UTF-16 with its mark, as the program creates the file.
        std::wstring wide(MultiByteToWideChar(CP_UTF8, 0, utf8Text.c_str(), -1, nullptr, 0), L'\0');
        MultiByteToWideChar(CP_UTF8, 0, utf8Text.c_str(), -1, &wide[0], static_cast<int>(wide.size()));
        wide.pop_back();
        std::string bytes = "\xFF\xFE";
        bytes.append(reinterpret_cast<const char*>(wide.data()), wide.size() * 2);
        WriteFileBytes(CHotKeySetting::GetIniPath(), bytes);
    }
    static std::wstring IniValue(const wchar_t* section, const wchar_t* key) {
        wchar_t text[260] = {};
        GetPrivateProfileStringW(section, key, L"<none>", text, 260, CHotKeySetting::GetIniPath().c_str());
        return text;
    }
    static const HotkeyEntry* Find(const wchar_t* name) {
        for (const HotkeyEntry& e : Registry().GetHotkeyList())
            if (e.name == name) return &e;
        return nullptr;
    }
    // Whether another window could take the key now (it is then released again).
    static bool KeyIsFree(UINT mod, UINT vk) {
        HotkeyWindow other;
        const bool free = RegisterHotKey(other.hwnd, 0x7001, mod, vk);
        if (free) UnregisterHotKey(other.hwnd, 0x7001);
        return free;
    }

    HotkeyWindow owner;
};

TEST_F(HotkeyRegistry, FirstStartRegistersTheDefaultsAndCreatesTheFile) {
    SetLastError(ERROR_ACCESS_DENIED);  // an older error must not count as a failure
    Registry().Init(owner.hwnd);
    const std::vector<HotkeyEntry>& list = Registry().GetHotkeyList();
    const wchar_t* order[] = {L"CustomAera",    L"RecordStart", L"RecordReStart",
                              L"ShowDrawBoard", L"ScreenShot",  L"OpenSpotLight"};
    ASSERT_EQ(list.size(), 6u);
    for (size_t i = 0; i < list.size(); ++i) {
        EXPECT_EQ(list[i].name, order[i]);
        EXPECT_EQ(list[i].state, kHotkeyRegistered) << i;
    }
    EXPECT_FALSE(KeyIsFree(0, VK_F8));
    EXPECT_FALSE(KeyIsFree(MOD_ALT, 'R'));
    ASSERT_TRUE(FileExists(CHotKeySetting::GetIniPath()));
    EXPECT_EQ(IniValue(L"RecordStart", L"name"), L"开始/停止录制");
    EXPECT_EQ(IniValue(L"RecordStart", L"fVirt"), L"0");
    EXPECT_EQ(IniValue(L"RecordStart", L"key"), L"F8");
    EXPECT_EQ(IniValue(L"OpenSpotLight", L"fVirt"), L"2");
    EXPECT_EQ(IniValue(L"OpenSpotLight", L"key"), L"Q");
    CHotKeySetting::ReleaseInstance();
    EXPECT_TRUE(KeyIsFree(0, VK_F8));  // unregistered with the registry
}

TEST_F(HotkeyRegistry, FileOrderMissingKeysAndUnknownSectionsAreKept) {
    WriteIni(
        "[OpenSpotLight]\r\nname=聚光灯\r\nfVirt=1\r\nkey=K\r\n"
        "[Someone]\r\nname=x\r\nkey=F9\r\n"
        "[RecordStart]\r\nfVirt=2\r\n"
        "[ScreenShot]\r\nname=截图\r\nkey=\r\n");
    Registry().Init(owner.hwnd);
    const std::vector<HotkeyEntry>& list = Registry().GetHotkeyList();
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list[0].name, L"OpenSpotLight");
    EXPECT_EQ(list[0].caption, L"聚光灯");
    EXPECT_EQ(list[0].state, kHotkeyRegistered);
    EXPECT_FALSE(KeyIsFree(MOD_SHIFT, 'K'));
    EXPECT_EQ(list[1].name, L"Someone");  // no slot: kept, never registered
    EXPECT_EQ(list[1].state, kHotkeyNone);
    EXPECT_TRUE(KeyIsFree(0, VK_F9));
    EXPECT_EQ(list[2].caption, L"111");  // no "name" key
    EXPECT_EQ(list[2].key, L"无");       // no "key" key: no key
    EXPECT_EQ(list[2].state, kHotkeyNone);
    EXPECT_EQ(list[3].key, L"");  // empty: never registered
    EXPECT_EQ(list[3].state, kHotkeyNone);
}

TEST_F(HotkeyRegistry, KeyHeldByAnotherWindowIsReportedTakenAndNotSaved) {
    HotkeyWindow holder;
    ASSERT_TRUE(RegisterHotKey(holder.hwnd, 0x7002, 0, VK_F8));
    WriteIni(
        "[RecordStart]\r\nname=开始/"
        "停止录制\r\nfVirt=0\r\nkey=F8\r\n[ShowDrawBoard]\r\nname=d\r\nfVirt=0\r\nkey=F1\r\n");
    Registry().Init(owner.hwnd);
    EXPECT_EQ(Find(L"RecordStart")->state, kHotkeyTaken);
    EXPECT_EQ(Find(L"ShowDrawBoard")->state, kHotkeyRegistered);
    UnregisterHotKey(holder.hwnd, 0x7002);
}

// The settings dialog hands back a changed copy; changes are registered,
// replaced keys released, and what was registered or cleared is in the file.
TEST_F(HotkeyRegistry, ChangedEntriesAreRegisteredAgainAndSaved) {
    Registry().Init(owner.hwnd);
    std::vector<HotkeyEntry> edited = Registry().GetHotkeyList();
    for (HotkeyEntry& e : edited) {
        if (e.name == L"RecordStart") e.key = L"F9", e.changed = 1;
        if (e.name == L"CustomAera") e.key = kNoHotkeyText, e.changed = 1;
        if (e.name == L"OpenSpotLight") e.fVirt = kHotkeyCtrl | kHotkeyShift, e.changed = 1;
        if (e.name == L"ScreenShot") e.key = L"", e.changed = 1;
    }
    Registry().RegisterAll(edited, false);
    EXPECT_TRUE(KeyIsFree(0, VK_F8));
    EXPECT_FALSE(KeyIsFree(0, VK_F9));
    EXPECT_TRUE(KeyIsFree(MOD_ALT, 'R'));  // "无" releases the old key
    EXPECT_TRUE(KeyIsFree(MOD_CONTROL, 'Q'));
    EXPECT_FALSE(KeyIsFree(MOD_CONTROL | MOD_SHIFT, 'Q'));
    EXPECT_TRUE(KeyIsFree(MOD_ALT, 'L'));  // an empty key releases it too
    EXPECT_EQ(IniValue(L"RecordStart", L"key"), L"F9");
    EXPECT_EQ(IniValue(L"CustomAera", L"key"), L"无");
    EXPECT_EQ(IniValue(L"OpenSpotLight", L"fVirt"), L"3");
    EXPECT_EQ(Find(L"CustomAera")->state, kHotkeyNone);

    // After a restart the changed keys are the ones registered.
    CHotKeySetting::ReleaseInstance();
    Registry().Init(owner.hwnd);
    EXPECT_EQ(Find(L"RecordStart")->key, L"F9");
    EXPECT_FALSE(KeyIsFree(0, VK_F9));
    EXPECT_TRUE(KeyIsFree(MOD_ALT, 'R'));
}

// Two rows trading keys, or a row taking the key another row gives up, never
// collide with this program's own old keys: every key that changes is
// released before the new set is registered.
TEST_F(HotkeyRegistry, RowsTradingKeysAreBothRegisteredAndSaved) {
    struct Trade {
        const char* name;
        std::vector<std::pair<const wchar_t*, const wchar_t*>> keys;  // entry, its new key
    } cases[] = {
        {"swap_F8_and_F1", {{L"RecordStart", L"F1"}, {L"ShowDrawBoard", L"F8"}}},
        {"swap_listed_the_other_way", {{L"ShowDrawBoard", L"F8"}, {L"RecordStart", L"F1"}}},
        {"F8_given_up_for_F9", {{L"RecordStart", L"F9"}, {L"ShowDrawBoard", L"F8"}}},
    };
    for (const Trade& c : cases) {
        CHotKeySetting::ReleaseInstance();
        DeleteFileIfExists(CHotKeySetting::GetIniPath());
        Registry().Init(owner.hwnd);
        std::vector<HotkeyEntry> edited = Registry().GetHotkeyList();
        for (const auto& k : c.keys)
            for (HotkeyEntry& e : edited)
                if (e.name == k.first) e.key = k.second, e.changed = 1;
        Registry().RegisterAll(edited, false);
        for (const auto& k : c.keys) {
            EXPECT_EQ(Find(k.first)->state, kHotkeyRegistered) << c.name << " " << ToUtf8(k.first);
            EXPECT_FALSE(KeyIsFree(0, HotkeyVirtualKey(k.second))) << c.name << " " << ToUtf8(k.second);
            EXPECT_EQ(IniValue(k.first, L"key"), k.second) << c.name;
        }
        // And so after a restart.
        CHotKeySetting::ReleaseInstance();
        Registry().Init(owner.hwnd);
        for (const auto& k : c.keys) EXPECT_EQ(Find(k.first)->state, kHotkeyRegistered) << c.name << " restarted";
    }
}

// One row's new key held by another program while a second row takes the
// first row's old key: the file must not end with one key in two sections,
// or the next start would report this program's own key as taken.
TEST_F(HotkeyRegistry, ARowWhoseNewKeyIsTakenLeavesNoKeyTwiceInTheFile) {
    HotkeyWindow holder;
    ASSERT_TRUE(RegisterHotKey(holder.hwnd, 0x7003, 0, 'J'));
    Registry().Init(owner.hwnd);
    std::vector<HotkeyEntry> edited = Registry().GetHotkeyList();
    for (HotkeyEntry& e : edited) {
        if (e.name == L"RecordStart") e.key = L"J", e.changed = 1;
        if (e.name == L"ShowDrawBoard") e.key = L"F8", e.changed = 1;
    }
    Registry().RegisterAll(edited, false);
    EXPECT_EQ(Find(L"RecordStart")->state, kHotkeyTaken);
    EXPECT_EQ(Find(L"ShowDrawBoard")->state, kHotkeyRegistered);
    EXPECT_NE(IniValue(L"RecordStart", L"key"), IniValue(L"ShowDrawBoard", L"key"));
    CHotKeySetting::ReleaseInstance();
    Registry().Init(owner.hwnd);
    EXPECT_EQ(Find(L"ShowDrawBoard")->state, kHotkeyRegistered) << "restarted";
    EXPECT_FALSE(KeyIsFree(0, VK_F8));
    EXPECT_EQ(Find(L"RecordStart")->key, L"J") << "the key the user chose, still another program's";
    EXPECT_EQ(Find(L"RecordStart")->state, kHotkeyTaken);
    UnregisterHotKey(holder.hwnd, 0x7003);
}

// A file that already names one key twice (written before): the second row
// fails, but it is no key of another program's, so no notice blames one.
TEST_F(HotkeyRegistry, OneKeyInTwoSectionsIsNotReportedAsTakenByAnotherProgram) {
    WriteIni(
        "[RecordStart]\r\nname=开始/停止录制\r\nfVirt=0\r\nkey=F8\r\n"
        "[ShowDrawBoard]\r\nname=d\r\nfVirt=0\r\nkey=F8\r\n");
    Registry().Init(owner.hwnd);
    EXPECT_EQ(Find(L"RecordStart")->state, kHotkeyRegistered);
    EXPECT_EQ(Find(L"ShowDrawBoard")->state, kHotkeyFailed);
}

TEST_F(HotkeyRegistry, RestoredDefaultsDifferFromTheRegisteredKeys) {
    WriteIni("[RecordStart]\r\nname=开始/停止录制\r\nfVirt=0\r\nkey=F9\r\n");
    Registry().Init(owner.hwnd);
    Registry().RestoreDefaults();
    const HotkeyEntry* start = Find(L"RecordStart");
    ASSERT_NE(start, nullptr);
    EXPECT_EQ(start->key, L"F8");
    EXPECT_FALSE(Registry().IsRegisteredAs(*start));
    EXPECT_FALSE(KeyIsFree(0, VK_F9));  // restoring alone registers nothing
}

}  // namespace
