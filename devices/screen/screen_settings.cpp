#include "devices/screen/screen_settings.h"

namespace {

const wchar_t kSettingsKey[] = L"SOFTWARE\\screen-capture-recorder";

// A REG_DWORD value as the signed number the recorder wrote; false when absent.
bool ReadDword(HKEY key, const wchar_t* name, int& value) {
    DWORD data = 0, size = sizeof data, type = 0;
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&data), &size) != ERROR_SUCCESS ||
        type != REG_DWORD)
        return false;
    value = int(LONG(data));
    return true;
}

RECT WholeDesktop() {
    int x = GetSystemMetrics(SM_XVIRTUALSCREEN), y = GetSystemMetrics(SM_YVIRTUALSCREEN);
    return {x, y, x + GetSystemMetrics(SM_CXVIRTUALSCREEN), y + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

bool UsableSide(int side) { return side > 0 && side <= kMaxCaptureSide; }

}  // namespace

ScreenCaptureSettings ReadScreenCaptureSettings() {
    ScreenCaptureSettings settings{WholeDesktop(), kDefaultFramesPerSecond, true};
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return settings;

    int x = 0, y = 0, width = 0, height = 0;
    bool has_origin = ReadDword(key, L"start_x", x) && ReadDword(key, L"start_y", y);
    bool has_size = ReadDword(key, L"capture_width", width) && ReadDword(key, L"capture_height", height);
    if (has_size && UsableSide(width) && UsableSide(height)) {
        if (!has_origin) x = y = 0;
        settings.area = {x, y, x + width, y + height};
    }

    int fps = 0;
    if (ReadDword(key, L"default_max_fps", fps) && fps > 0)
        settings.frames_per_second = fps < kMaxFramesPerSecond ? fps : kMaxFramesPerSecond;

    int mouse = 1;
    if (ReadDword(key, L"capture_mouse_default_1", mouse)) settings.draw_mouse = mouse == 1;

    RegCloseKey(key);
    return settings;
}
