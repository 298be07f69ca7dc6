#include "engine/capture_screen_values.h"

#include "common/logger.h"

namespace {

void SetDword(HKEY key, const wchar_t* name, LONG value) {
    const DWORD data = static_cast<DWORD>(value);
    RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data);
}

bool ReadDword(HKEY key, const wchar_t* name, DWORD* value) {
    DWORD type = 0, size = sizeof *value;
    return RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(value), &size) == ERROR_SUCCESS &&
           type == REG_DWORD;
}

}  // namespace

int32_t FilterFrameRate(const SettingRecord& settings) {
    const int32_t rate = settings.FrameRate;
    if (rate >= kLowestFilterFrameRate && rate <= kHighestFilterFrameRate) return rate;
    LogBoth("CGetVideoThread::init", "[FrameRate]%d unusable: %d is used", rate, kDefaultFilterFrameRate);
    return kDefaultFilterFrameRate;
}

bool WriteScreenFilterValues(const RECT& recordRect, const SettingRecord& settings) {
    HKEY key = nullptr;
    LONG ret = RegCreateKeyExW(HKEY_CURRENT_USER, kScreenFilterKey, 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE,
                               nullptr, &key, nullptr);
    if (ret != ERROR_SUCCESS) {
        LogBoth("CGetVideoThread::init", "[RegCreateKeyExW]%ld error", ret);
        return false;
    }
    DWORD fps = 0;
    if (ReadDword(key, L"default_max_fps", &fps) && fps != 0)
        SetDword(key, L"default_max_fps", FilterFrameRate(settings));
    SetDword(key, L"start_x", recordRect.left);
    SetDword(key, L"start_y", recordRect.top);
    SetDword(key, L"capture_width", recordRect.right - recordRect.left);
    SetDword(key, L"capture_height", recordRect.bottom - recordRect.top);
    SetDword(key, L"rt", recordRect.right);
    SetDword(key, L"bm", recordRect.bottom);
    SetDword(key, L"capture_mouse_default_1", settings.Point ? 1 : 0);
    RegCloseKey(key);
    return true;
}
