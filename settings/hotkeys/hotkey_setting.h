// CHotKeySetting: the program's six global hotkeys: the list of entries from
// "record_hotkey.ini" (or the defaults), their registration for the main window,
// and per entry whether its key is registered, failed or held by another program.
// UI thread only.
#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// Modifier bits of an entry, in the hot-key-control convention.
enum HotkeyModifier : uint8_t {
    kHotkeyShift = 1,  // HOTKEYF_SHIFT
    kHotkeyCtrl = 2,   // HOTKEYF_CONTROL
    kHotkeyAlt = 4,    // HOTKEYF_ALT
};

// The result of one registration, also kept as the entry's state.
enum HotkeyState : int32_t {
    kHotkeyNone = 0,        // nothing done (no key, no id, nothing to do)
    kHotkeyFailed = 1,      // RegisterHotKey failed for another reason
    kHotkeyRegistered = 2,  // registered for the owner window
    kHotkeyTaken = 3,       // another program holds the key
};

constexpr wchar_t kNoHotkeyText[] = L"无";
constexpr int kHotkeySlots = 8;  // slots 4 and 5 have no hotkey

struct HotkeyEntry {
    std::wstring name;     // "RecordStart", ...: the section of the file
    std::wstring caption;  // shown to the user; key "name" of the file
    uint8_t fVirt = 0;     // HotkeyModifier bits
    std::wstring key;      // "A".."Z", "F1".."F12", "无" or empty: no key
    uint8_t changed = 0;   // must be registered again
    int32_t state = kHotkeyNone;

    // "(Ctrl + Shift + Alt + W)": the modifiers set, then the key.
    std::wstring GetDisplayText() const;
};

// The slot of an entry name, -1 for none of the six.
int HotkeySlot(const std::wstring& name);
// Swaps the Shift and Alt bits: hot-key-control bits to MOD_ flags.
UINT ToModFlags(uint8_t fVirt);
// The virtual-key code of a key text; 0 for "无", empty or an unknown text.
UINT HotkeyVirtualKey(const std::wstring& key);

class CHotKeySetting {
public:
    static CHotKeySetting* GetInstance();
    static void ReleaseInstance();

    // Stores the owner, loads the list (file, else defaults) and registers it all.
    int Init(HWND owner);
    const std::vector<HotkeyEntry>& GetHotkeyList() const { return list; }
    // Registers the entries (all with force, else the changed ones; every key
    // that changes is released first), saves what was registered or cleared,
    // and makes them the list.
    int RegisterAll(std::vector<HotkeyEntry> entries, bool force);
    HotkeyState RegisterOne(HotkeyEntry& entry, bool force);
    bool SaveEntry(const HotkeyEntry& entry);
    void UnregisterAll();
    // The list becomes the defaults; registrations and the file stay as they are.
    void RestoreDefaults();
    void LoadDefaults();
    // The six default entries in list order.
    static std::vector<HotkeyEntry> DefaultList();
    // Reads every section of the file (iniPath becomes path).
    void LoadIni(const std::wstring& path = GetIniPath());
    static std::wstring GetIniPath();
    const std::wstring& IniPath() const { return iniPath; }

    // Whether the entry's key and modifiers are what its slot has registered now.
    bool IsRegisteredAs(const HotkeyEntry& entry) const;
    // The id a slot registers under (GlobalAddAtomW of its atom - 0xC000), -1 for none.
    int IdOf(int slot) const { return slot >= 0 && slot < kHotkeySlots ? ids[slot] : -1; }

    virtual ~CHotKeySetting();

private:
    CHotKeySetting();
    void BuildKeyMap();
    void Unregister(int slot);
    // Whether one of this registry's slots has that key registered now.
    bool HoldsKey(uint8_t fVirt, const std::wstring& key) const;
    void SaveUnregisteredOverOwnKeys(const std::vector<HotkeyEntry>& entries);
    // Writes every entry into a new file (a Unicode ini), so later saves land.
    void CreateIniWith(const std::vector<HotkeyEntry>& entries);

    struct Registration {
        bool on = false;
        uint8_t fVirt = 0;
        std::wstring key;
    };

    static CHotKeySetting* instance_;

    int ids[kHotkeySlots];
    std::vector<HotkeyEntry> list;
    std::map<std::wstring, int> keyMap;
    std::wstring iniPath;
    HWND owner = nullptr;
    Registration registered[kHotkeySlots];
};
