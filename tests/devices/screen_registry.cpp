#include "tests/devices/screen_registry.h"

namespace device_testing {

namespace {

const wchar_t kKey[] = L"SOFTWARE\\screen-capture-recorder";

void SetDword(HKEY key, const wchar_t* name, int value) {
    DWORD data = DWORD(value);
    RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data);
}

}  // namespace

ScopedScreenValues::ScopedScreenValues(const ScreenValues& values) {
    RegDeleteTreeW(HKEY_CURRENT_USER, kKey);
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;
    SetDword(key, L"start_x", values.x);
    SetDword(key, L"start_y", values.y);
    SetDword(key, L"capture_width", values.width);
    SetDword(key, L"capture_height", values.height);
    SetDword(key, L"rt", values.x + values.width);
    SetDword(key, L"bm", values.y + values.height);
    if (values.fps) SetDword(key, L"default_max_fps", *values.fps);
    if (values.mouse) SetDword(key, L"capture_mouse_default_1", *values.mouse);
    RegCloseKey(key);
}

ScopedScreenValues::~ScopedScreenValues() { RegDeleteTreeW(HKEY_CURRENT_USER, kKey); }

}  // namespace device_testing
