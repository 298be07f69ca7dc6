#include "common/main_ini.h"

#include <cstdlib>

#include "common/program_path.h"
#include "common/text_convert.h"

namespace {

constexpr DWORD kMainAudioSelBuffer = 300;
constexpr DWORD kSelAreaBuffer = 100;
constexpr DWORD kDeviceBuffer = 300;

// A missing file is made as UTF-16 with its mark first: the wide functions then
// keep every character in it. An existing file keeps the form it has.
void MakeUnicodeFileIfMissing(const std::wstring& ini) {
    HANDLE file = CreateFileW(ini.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;  // there already, or the folder cannot be written
    const unsigned char mark[2] = {0xFF, 0xFE};
    DWORD written = 0;
    WriteFile(file, mark, sizeof(mark), &written, nullptr);
    CloseHandle(file);
}

}  // namespace

std::wstring GetMainIniPath() { return GetAppFilePath(L"Tessel.ini"); }

std::wstring ReadMainIniText(const wchar_t* section, const wchar_t* key, const std::wstring& fallback, DWORD bufferSize,
                             const std::wstring& ini) {
    std::wstring buffer(bufferSize, L'\0');
    const DWORD n = GetPrivateProfileStringW(section, key, fallback.c_str(), &buffer[0], bufferSize, ini.c_str());
    buffer.resize(n);
    return buffer;
}

int ReadMainIniInt(const wchar_t* section, const wchar_t* key, int fallback, const std::wstring& ini) {
    return static_cast<int>(GetPrivateProfileIntW(section, key, fallback, ini.c_str()));
}

void WriteMainIniText(const wchar_t* section, const wchar_t* key, const std::wstring& value, const std::wstring& ini) {
    MakeUnicodeFileIfMissing(ini);
    WritePrivateProfileStringW(section, key, value.c_str(), ini.c_str());
}

std::string ReadMainAudioSel() {
    return WideToUtf8(ReadMainIniText(L"Info", L"MainAudioSel", L"", kMainAudioSelBuffer));
}

void WriteMainAudioSel(int choice) { WriteMainIniText(L"Info", L"MainAudioSel", std::to_wstring(choice)); }

std::string ReadSelAreaText(const char* key) {
    return WideToUtf8(ReadMainIniText(L"SelArea", Utf8ToWide(key).c_str(), L"", kSelAreaBuffer));
}

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
    WriteMainIniText(L"SelArea", L"SelAreaW", std::to_wstring(area.right - area.left));
    WriteMainIniText(L"SelArea", L"SelAreaH", std::to_wstring(area.bottom - area.top));
    WriteMainIniText(L"SelArea", L"AllScreen", allScreen ? L"1" : L"0");
}

std::wstring ReadSoundDevice(const wchar_t* key, const std::wstring& fallback, const std::wstring& ini) {
    return ReadMainIniText(L"Audio", key, fallback, kDeviceBuffer, ini);
}

void WriteSoundDevice(const wchar_t* key, const std::wstring& device, const std::wstring& ini) {
    WriteMainIniText(L"Audio", key, device, ini);
}

std::wstring ReadSysVolumeDevice(const std::wstring& fallback) { return ReadSoundDevice(kSysVolumeKey, fallback); }

std::wstring ReadMicVolumeDevice(const std::wstring& fallback) { return ReadSoundDevice(kMicVolumeKey, fallback); }

void WriteSoundDevices(const std::wstring& sysDevice, const std::wstring& micDevice) {
    WriteSoundDevice(kSysVolumeKey, sysDevice);
    WriteSoundDevice(kMicVolumeKey, micDevice);
}

bool ReadHotkeyNoshow() { return ReadMainIniInt(L"HotkeyTip", L"HotkeyNoshow", 0) == 1; }

void WriteHotkeyNoshow() { WriteMainIniText(L"HotkeyTip", L"HotkeyNoshow", L"1"); }

int ReadCheckClosePanel() { return ReadMainIniInt(L"MainPanel", L"Check_close_panel", 0); }

void WriteCheckClosePanel(int value) { WriteMainIniText(L"MainPanel", L"Check_close_panel", std::to_wstring(value)); }

bool ReadExitMiniWndRemind() { return ReadMainIniInt(L"MainPanel", L"ExitMiniWndRemind", 1) != 0; }

void WriteExitMiniWndRemind(bool remind) { WriteMainIniText(L"MainPanel", L"ExitMiniWndRemind", remind ? L"1" : L"0"); }
