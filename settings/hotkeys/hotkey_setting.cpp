// The hotkey registry: loading, registering, saving and the display texts.
#include "settings/hotkeys/hotkey_setting.h"

#include <shlwapi.h>

#include <cstdio>

#include "common/logger.h"

CHotKeySetting* CHotKeySetting::instance_ = nullptr;

namespace {

struct HotkeyDefault {
    int slot;
    const wchar_t* name;
    const wchar_t* atom;
    const wchar_t* caption;
    uint8_t fVirt;
    const wchar_t* key;
};

// In list order; slots 4 and 5 have no hotkey.
const HotkeyDefault kDefaults[] = {
    {0, L"CustomAera", L"Ts_CustomAera_Hotkey", L"自定义录制区域", kHotkeyAlt, L"R"},
    {1, L"RecordStart", L"Ts_RecordStart_Hotkey", L"开始/停止录制", 0, L"F8"},
    {2, L"RecordReStart", L"Ts_RecordReStart_Hotkey", L"暂停/恢复录制", kHotkeyAlt, L"F2"},
    {3, L"ShowDrawBoard", L"Ts_ShowDrawBoard_Hotkey", L"显示/隐藏涂鸦面板", 0, L"F1"},
    {6, L"ScreenShot", L"Ts_ScreenShot_Hotkey", L"截图", kHotkeyAlt, L"L"},
    {7, L"OpenSpotLight", L"Ts_OpenSpotLight_Hotkey", L"打开/关闭聚光灯", kHotkeyCtrl, L"Q"},
};

constexpr DWORD kTakenByAnother = 1409;  // ERROR_HOTKEY_ALREADY_REGISTERED

std::wstring ReadString(const std::wstring& path, const wchar_t* section, const wchar_t* key, const wchar_t* fallback) {
    wchar_t text[260] = {};
    GetPrivateProfileStringW(section, key, fallback, text, 260, path.c_str());
    return text;
}

bool WriteEntryKeys(const std::wstring& path, const HotkeyEntry& entry) {
    const std::wstring modifiers = std::to_wstring(entry.fVirt);
    const bool virtOk = WritePrivateProfileStringW(entry.name.c_str(), L"fVirt", modifiers.c_str(), path.c_str());
    const bool keyOk = WritePrivateProfileStringW(entry.name.c_str(), L"key", entry.key.c_str(), path.c_str());
    return virtOk && keyOk;
}

bool IsNoKey(const std::wstring& key) { return HotkeyVirtualKey(key) == 0; }

}  // namespace

std::wstring HotkeyEntry::GetDisplayText() const {
    std::wstring text = L"(";
    if (fVirt & kHotkeyCtrl) text += L"Ctrl + ";
    if (fVirt & kHotkeyShift) text += L"Shift + ";
    if (fVirt & kHotkeyAlt) text += L"Alt + ";
    return text + key + L")";
}

int HotkeySlot(const std::wstring& name) {
    for (const HotkeyDefault& d : kDefaults) {
        if (name == d.name) return d.slot;
    }
    return -1;
}

UINT ToModFlags(uint8_t fVirt) {
    const bool shift = fVirt & kHotkeyShift;
    const bool alt = fVirt & kHotkeyAlt;
    if (shift == alt) return fVirt;
    return (fVirt & ~(kHotkeyShift | kHotkeyAlt)) | (shift ? MOD_SHIFT : MOD_ALT);
}

UINT HotkeyVirtualKey(const std::wstring& key) {
    if (key.size() == 1 && key[0] >= L'A' && key[0] <= L'Z') return key[0];
    if (key.size() < 2 || key.size() > 3 || key[0] != L'F') return 0;
    int number = 0;
    for (size_t i = 1; i < key.size(); ++i) {
        if (key[i] < L'0' || key[i] > L'9') return 0;
        number = number * 10 + (key[i] - L'0');
    }
    return number >= 1 && number <= 12 && key[1] != L'0' ? VK_F1 + number - 1 : 0;
}

CHotKeySetting* CHotKeySetting::GetInstance() {
    if (!instance_) instance_ = new CHotKeySetting;
    return instance_;
}

void CHotKeySetting::ReleaseInstance() {
    delete instance_;
    instance_ = nullptr;
}

CHotKeySetting::CHotKeySetting() {
    for (int& id : ids) id = -1;
    for (const HotkeyDefault& d : kDefaults) ids[d.slot] = static_cast<int>(GlobalAddAtomW(d.atom)) - 0xC000;
    BuildKeyMap();
}

CHotKeySetting::~CHotKeySetting() { UnregisterAll(); }

void CHotKeySetting::BuildKeyMap() {
    for (wchar_t c = L'A'; c <= L'Z'; ++c) keyMap[std::wstring(1, c)] = c;
    for (int f = 1; f <= 12; ++f) keyMap[L"F" + std::to_wstring(f)] = VK_F1 + f - 1;
    keyMap[kNoHotkeyText] = -1;
}

int CHotKeySetting::Init(HWND window) {
    owner = window;
    if (list.empty()) LoadIni();
    if (list.empty()) LoadDefaults();
    if (list.empty()) return 0;
    RegisterAll(list, true);
    int registeredCount = 0;
    for (const HotkeyEntry& entry : list) registeredCount += entry.state == kHotkeyRegistered;
    LogBoth("CHotKeySetting::Init", "%d of %zu hotkeys registered", registeredCount, list.size());
    return 0;
}

std::wstring CHotKeySetting::GetIniPath() {
    wchar_t module[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, module, MAX_PATH);
    std::wstring path = module;
    return path.substr(0, path.rfind(L'\\') + 1) + L"record_hotkey.ini";
}

void CHotKeySetting::LoadIni(const std::wstring& path) {
    iniPath = path;
    std::vector<wchar_t> names(4096, L'\0');
    GetPrivateProfileSectionNamesW(names.data(), static_cast<DWORD>(names.size() - 1), iniPath.c_str());
    for (const wchar_t* section = names.data(); *section; section += wcslen(section) + 1) {
        HotkeyEntry entry;
        entry.name = section;
        entry.caption = ReadString(iniPath, section, L"name", L"111");
        entry.fVirt = static_cast<uint8_t>(GetPrivateProfileIntW(section, L"fVirt", 0, iniPath.c_str()));
        entry.key = ReadString(iniPath, section, L"key", kNoHotkeyText);
        list.push_back(entry);
    }
}

std::vector<HotkeyEntry> CHotKeySetting::DefaultList() {
    std::vector<HotkeyEntry> entries;
    for (const HotkeyDefault& d : kDefaults) {
        HotkeyEntry entry;
        entry.name = d.name;
        entry.caption = d.caption;
        entry.fVirt = d.fVirt;
        entry.key = d.key;
        entries.push_back(entry);
    }
    return entries;
}

void CHotKeySetting::LoadDefaults() {
    for (const HotkeyEntry& entry : DefaultList()) list.push_back(entry);
}

void CHotKeySetting::RestoreDefaults() {
    list.clear();
    LoadDefaults();
}

bool CHotKeySetting::IsRegisteredAs(const HotkeyEntry& entry) const {
    const int slot = HotkeySlot(entry.name);
    if (slot < 0) return true;  // never registered, nothing to compare
    const Registration& r = registered[slot];
    if (IsNoKey(entry.key)) return !r.on;
    return r.on && r.fVirt == entry.fVirt && r.key == entry.key;
}

void CHotKeySetting::Unregister(int slot) {
    if (!registered[slot].on) return;
    UnregisterHotKey(owner, ids[slot]);
    registered[slot] = Registration{};
}

// Success is the return value: a successful call leaves an older last error in place.
HotkeyState CHotKeySetting::RegisterOne(HotkeyEntry& entry, bool force) {
    const int slot = HotkeySlot(entry.name);
    if ((!entry.changed && !force) || slot < 0 || ids[slot] < 0) return kHotkeyNone;
    Unregister(slot);
    const UINT vk = HotkeyVirtualKey(entry.key);
    if (!vk) return kHotkeyNone;  // empty, "无" or an unknown text: no key
    if (RegisterHotKey(owner, ids[slot], ToModFlags(entry.fVirt), vk)) {
        registered[slot] = Registration{true, entry.fVirt, entry.key};
        return kHotkeyRegistered;
    }
    if (GetLastError() != kTakenByAnother) return kHotkeyFailed;
    // Another slot of this program's own holding the key is no other program.
    return HoldsKey(entry.fVirt, entry.key) ? kHotkeyFailed : kHotkeyTaken;
}

bool CHotKeySetting::HoldsKey(uint8_t fVirt, const std::wstring& key) const {
    for (const Registration& r : registered)
        if (r.on && r.fVirt == fVirt && r.key == key) return true;
    return false;
}

// Every key about to change is released before any is registered, so that two
// entries may trade keys, or one take the key another gives up.
int CHotKeySetting::RegisterAll(std::vector<HotkeyEntry> entries, bool force) {
    for (const HotkeyEntry& entry : entries) {
        const int slot = HotkeySlot(entry.name);
        if ((entry.changed || force) && slot >= 0 && ids[slot] >= 0) Unregister(slot);
    }
    HotkeyState last = kHotkeyNone;
    for (HotkeyEntry& entry : entries) {
        const bool cleared = entry.changed && IsNoKey(entry.key);
        last = RegisterOne(entry, force);
        switch (last) {
            case kHotkeyTaken:
                fprintf(stdout, "RegisterKey::Occupy\n");
                fflush(stdout);
                entry.state = kHotkeyTaken;
                break;
            case kHotkeyFailed: entry.state = kHotkeyFailed; break;
            case kHotkeyRegistered:
                SaveEntry(entry);
                entry.state = kHotkeyRegistered;
                entry.changed = 0;
                break;
            case kHotkeyNone:
                if (!cleared) break;
                SaveEntry(entry);
                entry.state = kHotkeyNone;
                entry.changed = 0;
                break;
        }
    }
    if (!iniPath.empty() && !PathFileExistsW(iniPath.c_str())) CreateIniWith(entries);
    SaveUnregisteredOverOwnKeys(entries);
    list = entries;
    return last;
}

// A changed entry that could not be registered keeps its old key in the file,
// unless another entry now holds that key: the file then takes the key the
// user chose, so that no key stands in two sections (the next start would
// fail one of them against this program's own registration).
void CHotKeySetting::SaveUnregisteredOverOwnKeys(const std::vector<HotkeyEntry>& entries) {
    if (iniPath.empty()) return;
    for (const HotkeyEntry& entry : entries) {
        if (!entry.changed || (entry.state != kHotkeyTaken && entry.state != kHotkeyFailed)) continue;
        const std::wstring storedKey = ReadString(iniPath, entry.name.c_str(), L"key", L"");
        const auto storedVirt =
            static_cast<uint8_t>(GetPrivateProfileIntW(entry.name.c_str(), L"fVirt", 0, iniPath.c_str()));
        if (!IsNoKey(storedKey) && HoldsKey(storedVirt, storedKey)) SaveEntry(entry);
    }
}

bool CHotKeySetting::SaveEntry(const HotkeyEntry& entry) {
    if (iniPath.empty() || !PathFileExistsW(iniPath.c_str())) return false;
    wchar_t caption[128] = {};
    GetPrivateProfileStringW(entry.name.c_str(), L"name", L"", caption, 128, iniPath.c_str());
    if (entry.caption != caption)
        WritePrivateProfileStringW(entry.name.c_str(), L"name", entry.caption.c_str(), iniPath.c_str());
    return WriteEntryKeys(iniPath, entry);
}

// A file that starts with the UTF-16 mark keeps the Chinese captions on every code page.
void CHotKeySetting::CreateIniWith(const std::vector<HotkeyEntry>& entries) {
    HANDLE file = CreateFileW(iniPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        LogFile("CHotKeySetting::CreateIniWith", "cannot create the hotkey file, error %lu", GetLastError());
        return;
    }
    const unsigned char mark[2] = {0xFF, 0xFE};
    DWORD written = 0;
    WriteFile(file, mark, sizeof(mark), &written, nullptr);
    CloseHandle(file);
    for (const HotkeyEntry& entry : entries) {
        WritePrivateProfileStringW(entry.name.c_str(), L"name", entry.caption.c_str(), iniPath.c_str());
        WriteEntryKeys(iniPath, entry);
    }
}

void CHotKeySetting::UnregisterAll() {
    for (int slot = 0; slot < kHotkeySlots; ++slot) {
        if (ids[slot] >= 0) Unregister(slot);
    }
}
