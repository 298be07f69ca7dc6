// The capture devices and sound controls of the main window: the device lists
// filled once at start-up, the system-sound and microphone sliders (which choose
// the sources and set the devices' volume), the device menus' choices, and the
// small operations that switch the record-state visuals.
#include <iterator>

#include "app/camera_wnd.h"
#include "app/vistrel_frame.h"
#include "common/logger.h"
#include "common/record_globals.h"
#include "common/text_convert.h"
#include "common/vistrel_vol.h"
#include "engine/vistreler.h"

using namespace DuiLib;

namespace {

constexpr char kInitDevices[] = "CVistrelFrame::InitDevices";

struct ButtonSkin {
    const wchar_t* normal;
    const wchar_t* hot;
    const wchar_t* selected;  // options only
};

// The list, start and stop buttons (in this order) with the lists open, then closed.
const ButtonSkin kOpenListSkins[] = {
    {L"file='main/btn_list_f.png' source='0,104,66,156'", L"file='main/btn_list_f.png' source='0,52,66,104'",
     L"file='main/btn_list_f.png' source='0,0,66,52'"},
    {L"file='main/anniulan_f.png' source='0,0,195,52'", L"file='main/anniulan_f.png' source='0,52,195,104'", nullptr},
    {L"file='main/hong2.png' source='0,0,90,52'", L"file='main/hong2.png' source='0,52,90,104'", nullptr},
};
const ButtonSkin kClosedListSkins[] = {
    {L"file='main/btn_list.png' source='0,104,66,156'", L"file='main/btn_list.png' source='0,52,66,104'",
     L"file='main/btn_list.png' source='0,0,66,52'"},
    {L"file='main/anniulan.png' source='0,0,195,52'", L"file='main/anniulan.png' source='0,52,195,104'", nullptr},
    {L"file='main/hong2.png' source='0,0,113,52'", L"file='main/hong2.png' source='0,52,113,104'", nullptr},
};

bool IsValueChanged(const TNotifyUI* msg) { return msg && msg->pSender && msg->sType == DUI_MSGTYPE_VALUECHANGED; }

// A device menu's item was clicked: its text is the choice; the menu (its tag) closes.
bool TakeMenuChoice(const TNotifyUI* msg, std::wstring& choice) {
    if (!msg || !msg->pSender || msg->sType != DUI_MSGTYPE_CLICK) return true;
    choice = msg->pSender->GetText().Str();
    if (auto* menu = reinterpret_cast<CMenuWnd*>(msg->pSender->GetTag())) menu->Close();
    return true;  // not consumed
}

}  // namespace

void CVistrelFrame::EnumDevice(std::vector<std::string>& list, bool audio, CaptureDeviceSource& source) {
    for (const std::wstring& name : source.CaptureFilters(audio)) {
        if (IsHiddenDeviceName(name, false)) continue;
        list.push_back(WideToAnsi(name));
        LogBoth("CVistrelFrame::EnumDevice", "[name]%s", WideToUtf8(name).c_str());
    }
}

void CVistrelFrame::GetAudioDevices(std::vector<std::wstring>& list, EndpointDirection direction, bool activeOnly,
                                    CaptureDeviceSource& source) {
    std::vector<std::wstring> names;
    for (const EndpointName& endpoint : source.Endpoints(direction, activeOnly))
        if (!IsHiddenDeviceName(endpoint.name, endpoint.render)) names.push_back(endpoint.name);
    if (names.empty()) return;  // no "默认" without a device it could stand for
    list.push_back(kDefaultDeviceName);
    list.insert(list.end(), names.begin(), names.end());
}

void CVistrelFrame::InitDevices(CaptureDeviceSource& source) {
    m_vecVideo.clear();
    m_vecCamera.clear();
    m_vecAudio.clear();
    vec_sys_devices_.clear();
    vec_mic_devices_.clear();
    m_cameraName.clear();
    EnumDevice(m_vecVideo, false, source);
    for (const std::string& name : m_vecVideo)
        if (name.find(m_screenCaptureRecorder) == std::string::npos) m_vecCamera.push_back(name);
    if (!m_vecCamera.empty()) m_cameraName = AnsiToWide(m_vecCamera.front());
    const bool hasCamera = !m_vecCamera.empty();
    if (m_pCamera) {
        m_pCamera->SetEnabled(hasCamera);
        if (hasCamera) m_pCamera->Selected(false);
    }
    SetCameraControls(hasCamera, hasCamera ? kCameraTileOff : nullptr);
    EnumDevice(m_vecAudio, true, source);
    GetAudioDevices(vec_sys_devices_, EndpointDirection::kRender, true, source);
    GetAudioDevices(vec_mic_devices_, EndpointDirection::kCapture, true, source);
    m_defaultMicName = source.DefaultCaptureEndpoint();
    const auto devices = [](const std::vector<std::wstring>& list) {
        return static_cast<unsigned>(list.empty() ? 0 : list.size() - 1);  // without "默认"
    };
    LogBoth(kInitDevices, "[cameras]%u [playback]%u [capture]%u", static_cast<unsigned>(m_vecCamera.size()),
            devices(vec_sys_devices_), devices(vec_mic_devices_));
    SetSoundControls(vec_sys_devices_.size() > 1, VolumeControls());
    SetSoundControls(vec_mic_devices_.size() > 1, MicControls());
}

// Without a device the option, slider (at 0) and device menu are disabled.
void CVistrelFrame::SetSoundControls(bool hasDevices, const SoundControls& sound) {
    SetSoundControlsEnabled(sound, hasDevices);
    if (sound.slider && !hasDevices) sound.slider->SetValue(0);
}

void CVistrelFrame::SetSoundControlsEnabled(const SoundControls& sound, bool enabled) {
    SetControlEnabled(sound.option, enabled);
    SetControlEnabled(sound.slider, enabled);
    SetControlEnabled(sound.arrow, enabled);
}

// "sel_camera" and "camera_set" follow the camera option; the tile image when given.
void CVistrelFrame::SetCameraControls(bool enabled, LPCTSTR tileImage) {
    if (m_pSelCamera) {
        m_pSelCamera->SetEnabled(enabled);
        if (tileImage) m_pSelCamera->SetBkImage(tileImage);
    }
    if (m_pCameraSet) {
        m_pCameraSet->SetEnabled(enabled);
        m_pCameraSet->SetVisible(enabled);
    }
}

void CVistrelFrame::SetDeviceControlsEnabled(bool enable) {
    if (vec_mic_devices_.size() > 1) SetSoundControlsEnabled(MicControls(), enable);
    if (vec_sys_devices_.size() > 1) SetSoundControlsEnabled(VolumeControls(), enable);
    const bool camera = enable && !m_vecCamera.empty();
    SetControlEnabled(m_pCamera, camera);
    const LPCTSTR tile = !camera ? kCameraTileNone : IsRecordSourceOn(kSourceCamera) ? kCameraTileOn : kCameraTileOff;
    SetCameraControls(camera, tile);
}

void CVistrelFrame::ResetCameraChoice() {
    if (IsOptionSelected(m_pCamera)) {
        RemoveRecordSource(kSourceCamera);
        m_pCamera->Selected(false);
    }
    if (m_pSelCamera) m_pSelCamera->SetBkImage(kCameraTileOff);
}

void CVistrelFrame::CloseCamera() {
    if (!IsRecordSourceOn(kSourceCamera)) return;
    LogBoth("CVistrelFrame::CloseCamera", "%s", "");
    RemoveRecordSource(kSourceCamera);
    if (m_vistreler) m_vistreler->StopCamera();
    CloseOwnedWindow(m_pCameraWnd);
}

void CVistrelFrame::SetVolumeSetter(EndpointVolumeSetter* setter) {
    m_volumeSetter = setter ? setter : &m_endpointVolume;
}

// A slider at 0 mutes its source (the option selected, the device menu off); any
// other value records it.
bool CVistrelFrame::OnSoundSlider(TNotifyUI* msg, const SoundControls& sound, int32_t sourceBit) {
    auto* slider = static_cast<CSliderUI*>(msg->pSender->GetInterface(kSliderInterface));
    if (!slider) return false;
    const int value = slider->GetValue();
    if (value >= 1) {
        if (IsOptionSelected(sound.option)) {
            sound.option->Selected(false);
            SetControlEnabled(sound.arrow, true);
        }
        AddRecordSource(sourceBit);
    } else {
        if (sound.option) sound.option->Selected(true);
        SetControlEnabled(sound.arrow, false);
        RemoveRecordSource(sourceBit);
    }
    LogFile("CVistrelFrame::OnSoundSlider", "[vaule]%d", value);
    return true;
}

bool CVistrelFrame::OnVolumeSliderClick(TNotifyUI* msg) {
    if (!IsValueChanged(msg) || !OnSoundSlider(msg, VolumeControls(), kSourceSystemSound)) return true;
    const int value = static_cast<CSliderUI*>(msg->pSender->GetInterface(kSliderInterface))->GetValue();
    VistrelVol(m_endpoints, *m_volumeSetter).SetSystemVolume(static_cast<uint32_t>(value));
    return true;
}

// The chosen microphone's volume ("默认" or no choice: the default microphone's).
bool CVistrelFrame::OnMicSliderClick(TNotifyUI* msg) {
    if (!IsValueChanged(msg) || !OnSoundSlider(msg, MicControls(), kSourceMicrophone)) return true;
    const int value = static_cast<CSliderUI*>(msg->pSender->GetInterface(kSliderInterface))->GetValue();
    const bool chosen = !m_strMicSel.empty() && m_strMicSel != kDefaultDeviceName;
    const std::wstring device = chosen ? m_strMicSel : m_defaultMicName;
    if (!device.empty()) VistrelVol(m_endpoints, *m_volumeSetter).SetDeviceVolume(device, static_cast<uint32_t>(value));
    return true;
}

bool CVistrelFrame::OnSysDeviceMenuClick(TNotifyUI* msg) { return TakeMenuChoice(msg, m_strVolumeSel); }

bool CVistrelFrame::OnMicDeviceMenuClick(TNotifyUI* msg) { return TakeMenuChoice(msg, m_strMicSel); }

void CVistrelFrame::ShowNoAudio(bool show) {
    SetControlVisible(m_pAudioNo, show);
    SetControlVisible(m_pAudioNoR, show);
    UpdateVoiceMeter(0, g_recordeState != _StopState);
}

void CVistrelFrame::UpdateVoiceMeter(int level, bool recordingPanel) {
    const auto& bars = recordingPanel ? m_voiceRPulses : m_voicePulses;
    for (int i = 1; i <= static_cast<int>(bars.size()); ++i) {
        CControlUI* bar = bars[i - 1];
        if (!bar) continue;
        const int state = level / 2 > 2 * i ? 3 : level / 2 == 2 * i ? 2 : 1;
        const std::wstring kept = std::to_wstring(state);
        if (bar->GetUserData().Str() == kept) continue;
        wchar_t image[64];
        swprintf(image, 64, L"file='common/voice%d.png' dest='0,1,8,3'", state);
        bar->SetBkImage(image);
        bar->SetUserData(kept.c_str());
    }
}

void CVistrelFrame::SetButtonImages(CButtonUI* button, LPCTSTR normal, LPCTSTR hot, LPCTSTR selected) {
    if (!button) return;
    button->SetNormalImage(normal);
    button->SetHotImage(hot);
    button->SetPushedImage(hot);
    auto* option = selected ? static_cast<COptionUI*>(button->GetInterface(kOptionInterface)) : nullptr;
    if (option) option->SetSelectedImage(selected);
}

void CVistrelFrame::SetRecordButtonSkins(bool alternative) {
    CButtonUI* const buttons[] = {m_pBtnVideolist, m_pStart, m_pBtnStop};
    const ButtonSkin* skins = alternative ? kOpenListSkins : kClosedListSkins;
    for (size_t i = 0; i < std::size(buttons); ++i)
        SetButtonImages(buttons[i], skins[i].normal, skins[i].hot, skins[i].selected);
}

void CVistrelFrame::ShowStartButton(bool show) {
    if (!m_pStart || !m_pBtnPause || !m_pBtnStop) return;
    m_pStart->SetVisible(show);
    m_pBtnPause->SetVisible(!show);
    m_pBtnStop->SetVisible(!show);
}
