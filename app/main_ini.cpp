#include "app/main_ini.h"

#include <cstdlib>
#include <cwchar>

#include "common/program_path.h"
#include "common/text_convert.h"

namespace {

constexpr DWORD kMainAudioSelBuffer = 300;
constexpr DWORD kSelAreaBuffer = 100;
constexpr DWORD kDeviceBuffer = 300;

std::string ReadTextA(const char* section, const char* key, DWORD bufferSize, const std::string& fallback = "") {
    std::string buffer(bufferSize, '\0');
    DWORD n =
        GetPrivateProfileStringA(section, key, fallback.c_str(), &buffer[0], bufferSize, GetMainIniPathA().c_str());
    buffer.resize(n);
    return buffer;
}

void WriteTextA(const char* section, const char* key, const std::string& value) {
    WritePrivateProfileStringA(section, key, value.c_str(), GetMainIniPathA().c_str());
}

void WriteIntW(const wchar_t* section, const wchar_t* key, long value) {
    wchar_t text[24];
    swprintf(text, 24, L"%ld", value);
    WritePrivateProfileStringW(section, key, text, GetMainIniPath().c_str());
}

int ReadIntA(const char* section, const char* key, int fallback) {
    return static_cast<int>(GetPrivateProfileIntA(section, key, fallback, GetMainIniPathA().c_str()));
}

}  // namespace

std::wstring GetMainIniPath() { return GetAppFilePath(L"Tessel.ini"); }

std::string GetMainIniPathA() { return WideToChs(GetMainIniPath()); }

std::string ReadMainAudioSel() { return ReadTextA("Info", "MainAudioSel", kMainAudioSelBuffer); }

void WriteMainAudioSel(int choice) { WriteIntW(L"Info", L"MainAudioSel", choice); }

std::string ReadSelAreaText(const char* key) { return ReadTextA("SelArea", key, kSelAreaBuffer); }

int SelAreaSide(const std::string& text, int fallback, int limit) {
    if (text.empty()) return fallback;
    long side = std::strtol(text.c_str(), nullptr, 10);
    if (side <= 0) return kSmallestSelAreaSide;
    if (limit > 0 && side > limit) return limit;
    return static_cast<int>(side);
}

SelAreaSize ReadSelAreaSize(int maxWidth, int maxHeight) {
    return {SelAreaSide(ReadSelAreaText("SelAreaW"), kDefaultSelAreaWidth, maxWidth),
            SelAreaSide(ReadSelAreaText("SelAreaH"), kDefaultSelAreaHeight, maxHeight)};
}

void WriteSelArea(const RECT& area, bool allScreen) {
    WriteIntW(L"SelArea", L"SelAreaW", area.right - area.left);
    WriteIntW(L"SelArea", L"SelAreaH", area.bottom - area.top);
    WritePrivateProfileStringW(L"SelArea", L"AllScreen", allScreen ? L"1" : L"0", GetMainIniPath().c_str());
}

std::wstring ReadSysVolumeDevice(const std::wstring& fallback) {
    return ChsToWide(ReadTextA("Audio", "SysVolume", kDeviceBuffer, WideToChs(fallback)));
}

std::wstring ReadMicVolumeDevice(const std::wstring& fallback) {
    return ChsToWide(ReadTextA("Audio", "MicVolume", kDeviceBuffer, WideToChs(fallback)));
}

void WriteSoundDevices(const std::wstring& sysDevice, const std::wstring& micDevice) {
    WriteTextA("Audio", "SysVolume", WideToChs(sysDevice));
    WriteTextA("Audio", "MicVolume", WideToChs(micDevice));
}

bool ReadHotkeyNoshow() { return ReadIntA("HotkeyTip", "HotkeyNoshow", 0) == 1; }

void WriteHotkeyNoshow() { WriteTextA("HotkeyTip", "HotkeyNoshow", "1"); }

int ReadCheckClosePanel() { return ReadIntA("MainPanel", "Check_close_panel", 0); }

void WriteCheckClosePanel(int value) { WriteTextA("MainPanel", "Check_close_panel", std::to_string(value)); }

bool ReadExitMiniWndRemind() { return ReadIntA("MainPanel", "ExitMiniWndRemind", 1) != 0; }

void WriteExitMiniWndRemind(bool remind) { WriteTextA("MainPanel", "ExitMiniWndRemind", remind ? "1" : "0"); }
