#include "settings/sound/audio_setting_dlg.h"

#include <cwchar>

#include "common/main_ini.h"

using namespace DuiLib;

namespace {

constexpr wchar_t kDefaultDevice[] = L"默认";
constexpr int kItemHeight = 22;
constexpr POINT kParking = {-482, -251};

}  // namespace

void AudioSettingDlg::SetDevices(std::vector<std::wstring> sysDevices, std::vector<std::wstring> micDevices) {
    m_sysDevices = std::move(sysDevices);
    m_micDevices = std::move(micDevices);
}

int AudioSettingDlg::ShowDialog(HWND owner, bool center) {
    m_owner = owner;
    return static_cast<int>(ShowModalFrom(kParking, center));
}

std::wstring AudioSettingDlg::IniPath() {
    if (m_iniPath.empty()) m_iniPath = GetMainIniPath();
    return m_iniPath;
}

void AudioSettingDlg::InitWindow() {
    using namespace audio_setting_names;
    m_pCloseBtn = FindNamed<CButtonUI>(m_PaintManager, kClosebtn);
    m_pVolume = FindNamed<CComboUI>(m_PaintManager, kVolume);
    m_pMic = FindNamed<CComboUI>(m_PaintManager, kMic);
    FillCombo(m_pVolume, m_sysDevices, ReadSoundDevice(kSysVolumeKey, kDefaultDevice, IniPath()));
    FillCombo(m_pMic, m_micDevices, ReadSoundDevice(kMicVolumeKey, kDefaultDevice, IniPath()));
}

void AudioSettingDlg::FillCombo(CComboUI* combo, const std::vector<std::wstring>& names, const std::wstring& chosen) {
    if (!combo) return;
    for (const std::wstring& name : names) {
        auto* item = new CListLabelElementUI;
        item->SetText(name.c_str());
        item->SetFixedHeight(kItemHeight);
        combo->Add(item);
        if (name == chosen) combo->SelectItem(combo->GetCount() - 1, false, false);
    }
}

void AudioSettingDlg::Save() {
    if (m_pVolume) WriteSoundDevice(kSysVolumeKey, m_pVolume->GetText().Str(), IniPath());
    if (m_pMic) WriteSoundDevice(kMicVolumeKey, m_pMic->GetText().Str(), IniPath());
}

void AudioSettingDlg::OnClick(TNotifyUI& msg) {
    using namespace audio_setting_names;
    if (!msg.pSender) return;
    const CDuiString name = msg.pSender->GetName();
    if (name == kBtnOk.name) {
        Save();
        Close(1);
    } else if (name == kBtnCancel.name || msg.pSender == m_pCloseBtn) {
        Close(0);
    }
}

LRESULT AudioSettingDlg::HandleCustomMessage(UINT uMsg, WPARAM wParam, LPARAM, bool& bHandled) {
    if (uMsg == WM_SYS_SOUND_LEVEL || uMsg == WM_MIC_SOUND_LEVEL)
        ShowLevel(uMsg == WM_SYS_SOUND_LEVEL, static_cast<unsigned>(wParam));
    bHandled = false;
    return 0;
}

// Bars below the level lit, the one at it the edge; the last bar keeps its image.
void AudioSettingDlg::ShowLevel(bool systemSound, unsigned level) {
    using namespace audio_setting_names;
    const unsigned n = level / 2;
    for (int i = 1; i < kPulseCount; ++i) {
        wchar_t name[32];
        swprintf(name, 32, systemSound ? kSysPulseFormat : kMicPulseFormat, i);
        CControlUI* bar = m_PaintManager.FindControl(name);
        if (!bar) continue;
        const unsigned index = static_cast<unsigned>(i);
        const int state = n > index ? 3 : n == index ? 2 : 1;
        const std::wstring kept = std::to_wstring(state);
        if (bar->GetUserData().Str() == kept) continue;
        wchar_t image[64];
        swprintf(image, 64, L"file='common/voice2%d.png' dest='0,0,2,14'", state);
        bar->SetBkImage(image);
        bar->SetUserData(kept.c_str());
    }
}
