// "Tessel.ini" beside the program: the user-interface state that survives a
// restart (sound choice, last area size, sound devices, hotkey tip, close prompt).
// Every key is read and written here, with the wide profile functions, whoever
// reads or writes it (the main window, the sound device dialog, the hotkey
// notice), so that the file and its path mean the same text on every code page.
// A file written by an earlier version (ANSI text in the machine's code page)
// is read and written as it is; a new file is made as UTF-16 (with its mark),
// which keeps any device name and which the ANSI functions still read.
// Writes ignore failures: a read-only folder only means nothing is remembered.
#pragma once

#include <windows.h>

#include <string>

constexpr int kDefaultSelAreaWidth = 900;
constexpr int kDefaultSelAreaHeight = 600;
constexpr int kSmallestSelAreaSide = 150;  // what a stored 0 (or less) becomes

std::wstring GetMainIniPath();

// Any key of the file at ini (the program's "Tessel.ini" by default); a read
// gives fallback for a missing key and at most bufferSize - 1 characters.
std::wstring ReadMainIniText(const wchar_t* section, const wchar_t* key, const std::wstring& fallback, DWORD bufferSize,
                             const std::wstring& ini = GetMainIniPath());
int ReadMainIniInt(const wchar_t* section, const wchar_t* key, int fallback,
                   const std::wstring& ini = GetMainIniPath());
void WriteMainIniText(const wchar_t* section, const wchar_t* key, const std::wstring& value,
                      const std::wstring& ini = GetMainIniPath());

// [Info] MainAudioSel: "1" system sound, "2" microphone, "3" both, "4" none; empty
// when missing.
std::string ReadMainAudioSel();
void WriteMainAudioSel(int choice);

// [SelArea] SelAreaW / SelAreaH as stored; empty when missing.
std::string ReadSelAreaText(const char* key);
// One side of the stored area: fallback when the text is empty, 150 for 0, a
// negative or a non-number, and at most limit (the desktop's side) when limit > 0.
int SelAreaSide(const std::string& text, int fallback, int limit);
struct SelAreaSize {
    int width;
    int height;
};
// The stored area size, each side kept within the desktop (maxWidth x maxHeight).
SelAreaSize ReadSelAreaSize(int maxWidth, int maxHeight);
// SelAreaW, SelAreaH from the area's size; AllScreen "1" or "0".
void WriteSelArea(const RECT& area, bool allScreen);

// [Audio] SysVolume / MicVolume: the chosen device names, "默认" for the default.
constexpr wchar_t kSysVolumeKey[] = L"SysVolume";
constexpr wchar_t kMicVolumeKey[] = L"MicVolume";
std::wstring ReadSoundDevice(const wchar_t* key, const std::wstring& fallback,
                             const std::wstring& ini = GetMainIniPath());
void WriteSoundDevice(const wchar_t* key, const std::wstring& device, const std::wstring& ini = GetMainIniPath());
std::wstring ReadSysVolumeDevice(const std::wstring& fallback);
std::wstring ReadMicVolumeDevice(const std::wstring& fallback);
void WriteSoundDevices(const std::wstring& sysDevice, const std::wstring& micDevice);

// [HotkeyTip] HotkeyNoshow: true once the user asked never to see the hotkey tip
// again (only 1 keeps it away).
bool ReadHotkeyNoshow();
void WriteHotkeyNoshow();

// [MainPanel] Check_close_panel: 1 closing quits, 0 closing hides to the tray.
int ReadCheckClosePanel();
void WriteCheckClosePanel(int value);
// [MainPanel] ExitMiniWndRemind: whether the close prompt asks (default yes).
bool ReadExitMiniWndRemind();
void WriteExitMiniWndRemind(bool remind);
