// The capture devices and sound controls of the main window: the device lists
// filled once at start-up, the system-sound and microphone sliders (which choose
// the sources and set the devices' volume), the device menus' choices, and the
// small operations that switch the record-state visuals.
#include "app/vistrel_frame.h"
#include "common/logger.h"
#include "common/record_globals.h"
#include "common/text_convert.h"
#include "common/vistrel_vol.h"
#include "engine/vistreler.h"

using namespace DuiLib;

namespace {

constexpr char kInitDevices[] = "CVistrelFrame::InitDevices";
constexpr int kVoiceBars = 23;

struct ButtonSkin {
    const wchar_t* name;
    bool option;
    const wchar_t* normal;
    const wchar_t* hot;
    const wchar_t* selected;
};

// The list, start and stop buttons with the lists open, then closed.
const ButtonSkin kOpenListSkins[] = {
    {L"btn_videolist", true, L"file='main/btn_list_f.png' source='0,104,66,156'",
     L"file='main/btn_list_f.png' source='0,52,66,104'", L"file='main/btn_list_f.png' source='0,0,66,52'"},
    {L"start", false, L"file='main/anniulan_f.png' source='0,0,195,52'",
     L"file='main/anniulan_f.png' source='0,52,195,104'", nullptr},
    {L"btn_stop", false, L"file='main/hong2.png' source='0,0,90,52'", L"file='main/hong2.png' source='0,52,90,104'",
     nullptr},
};
const ButtonSkin kClosedListSkins[] = {
    {L"btn_videolist", true, L"file='main/btn_list.png' source='0,104,66,156'",
     L"file='main/btn_list.png' source='0,52,66,104'", L"file='main/btn_list.png' source='0,0,66,52'"},
    {L"start", false, L"file='main/anniulan.png' source='0,0,195,52'",
     L"file='main/anniulan.png' source='0,52,195,104'", nullptr},
    {L"btn_stop", false, L"file='main/hong2.png' source='0,0,113,52'", L"file='main/hong2.png' source='0,52,113,104'",
     nullptr},
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
    list.push_back(kDefaultDeviceName);
    for (const EndpointName& endpoint : source.Endpoints(direction, activeOnly))
        if (!IsHiddenDeviceName(endpoint.name, endpoint.render)) list.push_back(endpoint.name);
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
    if (COptionUI* camera = FindOption(L"camera")) {
        camera->SetEnabled(hasCamera);
        if (hasCamera) camera->Selected(false);
    }
    SetCameraControls(hasCamera, hasCamera ? kCameraTileOff : nullptr);
    EnumDevice(m_vecAudio, true, source);
    GetAudioDevices(vec_sys_devices_, EndpointDirection::kRender, true, source);
    GetAudioDevices(vec_mic_devices_, EndpointDirection::kCapture, true, source);
    m_defaultMicName = source.DefaultCaptureEndpoint();
    LogBoth(kInitDevices, "[cameras]%u [playback]%u [capture]%u", static_cast<unsigned>(m_vecCamera.size()),
            static_cast<unsigned>(vec_sys_devices_.size() - 1), static_cast<unsigned>(vec_mic_devices_.size() - 1));
    SetSoundControls(vec_sys_devices_.size() > 1, L"volume", L"slider_volume", L"volume_xia");
    SetSoundControls(vec_mic_devices_.size() > 1, L"mic", L"slider_mic", L"mic_xia");
}

// Without a device the option, slider (at 0) and device menu are disabled.
void CVistrelFrame::SetSoundControls(bool hasDevices, LPCTSTR option, LPCTSTR slider, LPCTSTR arrow) {
    SetControlEnabled(option, hasDevices);
    SetControlEnabled(slider, hasDevices);
    SetControlEnabled(arrow, hasDevices);
    auto* bar = FindAs<CSliderUI>(slider, L"Slider");
    if (bar && !hasDevices) bar->SetValue(0);
}

// "sel_camera" and "camera_set" follow the camera option; the tile image when given.
void CVistrelFrame::SetCameraControls(bool enabled, LPCTSTR tileImage) {
    if (CControlUI* tile = FindControl(L"sel_camera")) {
        tile->SetEnabled(enabled);
        if (tileImage) tile->SetBkImage(tileImage);
    }
    if (CControlUI* arrow = FindControl(L"camera_set")) {
        arrow->SetEnabled(enabled);
        arrow->SetVisible(enabled);
    }
}

void CVistrelFrame::SetDeviceControlsEnabled(bool enable) {
    if (vec_mic_devices_.size() > 1) {
        SetControlEnabled(L"mic", enable);
        SetControlEnabled(L"slider_mic", enable);
        SetControlEnabled(L"mic_xia", enable);
    }
    if (vec_sys_devices_.size() > 1) {
        SetControlEnabled(L"volume", enable);
        SetControlEnabled(L"slider_volume", enable);
        SetControlEnabled(L"volume_xia", enable);
    }
    const bool camera = enable && !m_vecCamera.empty();
    SetControlEnabled(L"camera", camera);
    SetCameraControls(camera, camera ? kCameraTileOff : kCameraTileNone);
}

void CVistrelFrame::ResetCameraChoice() {
    COptionUI* camera = FindOption(L"camera");
    if (camera && camera->IsSelected()) {
        RemoveRecordSource(kSourceCamera);
        camera->Selected(false);
    }
    if (CControlUI* tile = FindControl(L"sel_camera")) tile->SetBkImage(kCameraTileOff);
}

void CVistrelFrame::CloseCamera() {
    if (!IsRecordSourceOn(kSourceCamera)) return;
    LogBoth("CVistrelFrame::CloseCamera", "%s", "");
    RemoveRecordSource(kSourceCamera);
    if (m_vistreler) m_vistreler->StopCamera();
}

void CVistrelFrame::SetVolumeSetter(EndpointVolumeSetter* setter) {
    m_volumeSetter = setter ? setter : &m_endpointVolume;
}

// A slider at 0 mutes its source (the option selected, the device menu off); any
// other value records it.
bool CVistrelFrame::OnSoundSlider(TNotifyUI* msg, LPCTSTR option, LPCTSTR arrow, int32_t sourceBit) {
    auto* slider = static_cast<CSliderUI*>(msg->pSender->GetInterface(L"Slider"));
    if (!slider) return false;
    const int value = slider->GetValue();
    COptionUI* mute = FindOption(option);
    if (value >= 1) {
        if (mute && mute->IsSelected()) {
            mute->Selected(false);
            SetControlEnabled(arrow, true);
        }
        AddRecordSource(sourceBit);
    } else {
        if (mute) mute->Selected(true);
        SetControlEnabled(arrow, false);
        RemoveRecordSource(sourceBit);
    }
    LogFile("CVistrelFrame::OnSoundSlider", "[vaule]%d", value);
    return true;
}

bool CVistrelFrame::OnVolumeSliderClick(TNotifyUI* msg) {
    if (!IsValueChanged(msg) || !OnSoundSlider(msg, L"volume", L"volume_xia", kSourceSystemSound)) return true;
    const int value = static_cast<CSliderUI*>(msg->pSender->GetInterface(L"Slider"))->GetValue();
    VistrelVol(m_endpoints, *m_volumeSetter).SetSystemVolume(static_cast<uint32_t>(value));
    return true;
}

// The chosen microphone's volume ("默认" or no choice: the default microphone's).
bool CVistrelFrame::OnMicSliderClick(TNotifyUI* msg) {
    if (!IsValueChanged(msg) || !OnSoundSlider(msg, L"mic", L"mic_xia", kSourceMicrophone)) return true;
    const int value = static_cast<CSliderUI*>(msg->pSender->GetInterface(L"Slider"))->GetValue();
    const bool chosen = !m_strMicSel.empty() && m_strMicSel != kDefaultDeviceName;
    const std::wstring device = chosen ? m_strMicSel : m_defaultMicName;
    if (!device.empty()) VistrelVol(m_endpoints, *m_volumeSetter).SetDeviceVolume(device, static_cast<uint32_t>(value));
    return true;
}

bool CVistrelFrame::OnSysDeviceMenuClick(TNotifyUI* msg) { return TakeMenuChoice(msg, m_strVolumeSel); }

bool CVistrelFrame::OnMicDeviceMenuClick(TNotifyUI* msg) { return TakeMenuChoice(msg, m_strMicSel); }

void CVistrelFrame::ShowNoAudio(bool show) {
    SetControlVisible(L"audio_no", show);
    SetControlVisible(L"audio_no_r", show);
    UpdateVoiceMeter(0, g_recordeState != _StopState);
}

void CVistrelFrame::UpdateVoiceMeter(int level, bool recordingPanel) {
    for (int i = 1; i <= kVoiceBars; ++i) {
        wchar_t name[32];
        swprintf(name, 32, recordingPanel ? L"voice_rpulse%d" : L"voice_pulse%d", i);
        CControlUI* bar = FindControl(name);
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

void CVistrelFrame::SetButtonImages(LPCTSTR name, LPCTSTR normal, LPCTSTR hot, bool option, LPCTSTR selected) {
    auto* button = FindAs<CButtonUI>(name, L"Button");
    if (!button) return;
    button->SetNormalImage(normal);
    button->SetHotImage(hot);
    button->SetPushedImage(hot);
    if (option && selected) {
        if (COptionUI* opt = FindOption(name)) opt->SetSelectedImage(selected);
    }
}

void CVistrelFrame::SetRecordButtonSkins(bool alternative) {
    for (const ButtonSkin& skin : alternative ? kOpenListSkins : kClosedListSkins)
        SetButtonImages(skin.name, skin.normal, skin.hot, skin.option, skin.selected);
}

void CVistrelFrame::ShowStartButton(bool show) {
    CControlUI* start = FindControl(L"start");
    CControlUI* pause = FindControl(L"btn_pause");
    CControlUI* stop = FindControl(L"btn_stop");
    if (!start || !pause || !stop) return;
    start->SetVisible(show);
    pause->SetVisible(!show);
    stop->SetVisible(!show);
}

bool CVistrelFrame::IsOptionSelected(LPCTSTR name) const {
    COptionUI* option = FindOption(name);
    return option && option->IsSelected();
}

void CVistrelFrame::SetControlEnabled(LPCTSTR name, bool enabled) {
    if (CControlUI* control = FindControl(name)) control->SetEnabled(enabled);
}

void CVistrelFrame::SetControlVisible(LPCTSTR name, bool visible) {
    if (CControlUI* control = FindControl(name)) control->SetVisible(visible);
}
