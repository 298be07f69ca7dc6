// The names of audio_setting.xml, the sound device dialog (AudioSettingDlg).
#pragma once

#include "ui/core/layout_names.h"

namespace audio_setting_names {

using DuiLib::LayoutName;

constexpr wchar_t kLayout[] = L"audio_setting.xml";

constexpr LayoutName kClosebtn{L"closebtn", DuiLib::kButtonInterface};
constexpr LayoutName kVolume{L"volume", DuiLib::kComboInterface};  // the system-sound device
constexpr LayoutName kMic{L"mic", DuiLib::kComboInterface};
constexpr LayoutName kBtnOk{L"btn_ok", DuiLib::kButtonInterface};
constexpr LayoutName kBtnCancel{L"btn_cancel", DuiLib::kButtonInterface};

constexpr LayoutName kAll[] = {kClosebtn, kVolume, kMic, kBtnOk, kBtnCancel};

// The level bars: "sys_voice_pulse1" ... "sys_voice_pulse54", "mic_voice_pulse1" ...
constexpr int kPulseCount = 54;
constexpr wchar_t kSysPulseFormat[] = L"sys_voice_pulse%d";
constexpr wchar_t kMicPulseFormat[] = L"mic_voice_pulse%d";

}  // namespace audio_setting_names
