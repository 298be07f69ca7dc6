#include "tests/engine/screen_key.h"

#include "engine/capture_screen_values.h"

ScopedScreenKey::ScopedScreenKey() { RegDeleteKeyW(HKEY_CURRENT_USER, kScreenFilterKey); }
ScopedScreenKey::~ScopedScreenKey() { RegDeleteKeyW(HKEY_CURRENT_USER, kScreenFilterKey); }

std::optional<DWORD> ScopedScreenKey::Read(const wchar_t* name) {
    DWORD value = 0, size = sizeof value, type = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, kScreenFilterKey, name, RRF_RT_REG_DWORD, &type, &value, &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    return value;
}

void ScopedScreenKey::Write(const wchar_t* name, DWORD value) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kScreenFilterKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return;
    RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    RegCloseKey(key);
}
