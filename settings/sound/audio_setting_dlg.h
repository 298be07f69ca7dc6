// The sound device dialog ("选项"): the system-sound and microphone devices picked
// from two lists and saved by name in "Tessel.ini" [Audio] SysVolume and
// MicVolume ("默认": the default device); two rows of level bars under them.
#pragma once

#include <string>
#include <vector>

#include "settings/layouts/audio_setting_names.h"
#include "ui/duilib.h"

constexpr UINT WM_SYS_SOUND_LEVEL = WM_USER + 253;  // wParam: the level
constexpr UINT WM_MIC_SOUND_LEVEL = WM_USER + 254;

class AudioSettingDlg : public DuiLib::WindowImplBase {
public:
    // UI thread, before Create: the devices the lists offer.
    void SetDevices(std::vector<std::wstring> sysDevices, std::vector<std::wstring> micDevices);
    // The ini file the choice is kept in (the program's "Tessel.ini" when not set).
    void SetIniPath(std::wstring path) { m_iniPath = std::move(path); }
    // Parked off screen, centred when asked, in front, run modally; the close code.
    int ShowDialog(HWND owner, bool center);
    // A row of bars for a level: the system sound's (true) or the microphone's.
    void ShowLevel(bool systemSound, unsigned level);

protected:
    LPCTSTR GetWindowClassName() const override { return L"AudioSettingWnd_Ts"; }
    DuiLib::CDuiString GetSkinFile() override { return audio_setting_names::kLayout; }
    void InitWindow() override;
    void OnClick(DuiLib::TNotifyUI& msg) override;
    LRESULT HandleCustomMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;

private:
    std::wstring IniPath();
    void FillCombo(DuiLib::CComboUI* combo, const std::vector<std::wstring>& names, const std::wstring& chosen);
    void Save();

    HWND m_owner = nullptr;
    DuiLib::CButtonUI* m_pCloseBtn = nullptr;
    DuiLib::CComboUI* m_pVolume = nullptr;
    DuiLib::CComboUI* m_pMic = nullptr;
    std::vector<std::wstring> m_sysDevices;
    std::vector<std::wstring> m_micDevices;
    std::wstring m_iniPath;
};
