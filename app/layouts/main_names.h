// The names of main.xml, the main window's layout, that the main window uses; the
// list area of the same layout has its own list (main_lists_names.h).
#pragma once

#include "ui/core/layout_names.h"

namespace main_names {

using DuiLib::LayoutName;

// What CVistrelFrame::GetSkinFile returns: the id of main.xml in res.xml.
constexpr wchar_t kLayout[] = L"XML_MAIN";

// Title bar.
constexpr LayoutName kBtnSet{L"btn_set", DuiLib::kButtonInterface};
constexpr LayoutName kBtnMini{L"btn_mini", DuiLib::kButtonInterface};
constexpr LayoutName kBtnClose{L"btn_close", DuiLib::kButtonInterface};
// The page switch: 0 the modes, 1 the running recording.
constexpr LayoutName kSwitch{L"switch", DuiLib::kTabLayoutInterface};
// Record modes and the webcam.
constexpr LayoutName kBtnAllScreen{L"btn_all_screen", DuiLib::kOptionInterface};
constexpr LayoutName kMonitorSet{L"monitor_set", DuiLib::kButtonInterface};
constexpr LayoutName kBtnPartRecord{L"btn_part_record", DuiLib::kOptionInterface};
constexpr LayoutName kSelSet{L"sel_set", DuiLib::kButtonInterface};
constexpr LayoutName kBtnGameRecord{L"btn_game_record", DuiLib::kOptionInterface};
constexpr LayoutName kBtnAudioRecord{L"btn_audio_record", DuiLib::kOptionInterface};
constexpr LayoutName kCamera{L"camera", DuiLib::kOptionInterface};
constexpr LayoutName kSelCamera{L"sel_camera", DuiLib::kLabelInterface};
constexpr LayoutName kCameraSet{L"camera_set", DuiLib::kButtonInterface};
// The sound source on both pages, and its no-sound marks.
constexpr LayoutName kAudioNo{L"audio_no", DuiLib::kControlInterface};
constexpr LayoutName kBtnMainAudioTxt{L"btn_main_audio_txt", DuiLib::kLabelInterface};
constexpr LayoutName kAudioNoR{L"audio_no_r", DuiLib::kControlInterface};
constexpr LayoutName kBtnMainAudioTxtR{L"btn_main_audio_txt_r", DuiLib::kLabelInterface};
// The recording page: elapsed time as six digit images, size, and its buttons.
constexpr LayoutName kTimeHt{L"time_ht", DuiLib::kLabelInterface};
constexpr LayoutName kTimeHu{L"time_hu", DuiLib::kLabelInterface};
constexpr LayoutName kTimeMt{L"time_mt", DuiLib::kLabelInterface};
constexpr LayoutName kTimeMu{L"time_mu", DuiLib::kLabelInterface};
constexpr LayoutName kTimeSt{L"time_st", DuiLib::kLabelInterface};
constexpr LayoutName kTimeSu{L"time_su", DuiLib::kLabelInterface};
constexpr LayoutName kFilesize{L"filesize", DuiLib::kLabelInterface};
constexpr LayoutName kMainSpotlight{L"main_spotlight", DuiLib::kButtonInterface};
constexpr LayoutName kMainJietu{L"main_jietu", DuiLib::kButtonInterface};
constexpr LayoutName kMainDraw{L"main_draw", DuiLib::kButtonInterface};
constexpr LayoutName kMainReturn{L"main_return", DuiLib::kButtonInterface};
// Bottom bar.
constexpr LayoutName kBtnVideolist{L"btn_videolist", DuiLib::kOptionInterface};
constexpr LayoutName kMic{L"mic", DuiLib::kOptionInterface};
constexpr LayoutName kSliderMic{L"slider_mic", DuiLib::kSliderInterface};
constexpr LayoutName kMicXia{L"mic_xia", DuiLib::kButtonInterface};
constexpr LayoutName kVolume{L"volume", DuiLib::kOptionInterface};
constexpr LayoutName kSliderVolume{L"slider_volume", DuiLib::kSliderInterface};
constexpr LayoutName kVolumeXia{L"volume_xia", DuiLib::kButtonInterface};
constexpr LayoutName kAutoStop{L"auto_stop", DuiLib::kButtonInterface};
constexpr LayoutName kPlanTask{L"plan_task", DuiLib::kButtonInterface};
constexpr LayoutName kStart{L"start", DuiLib::kButtonInterface};
constexpr LayoutName kBtnPause{L"btn_pause", DuiLib::kOptionInterface};
constexpr LayoutName kBtnStop{L"btn_stop", DuiLib::kButtonInterface};

constexpr LayoutName kAll[] = {
    kBtnSet,        kBtnMini,   kBtnClose,        kSwitch,         kBtnAllScreen,     kMonitorSet,
    kBtnPartRecord, kSelSet,    kBtnGameRecord,   kBtnAudioRecord, kCamera,           kSelCamera,
    kCameraSet,     kAudioNo,   kBtnMainAudioTxt, kAudioNoR,       kBtnMainAudioTxtR, kTimeHt,
    kTimeHu,        kTimeMt,    kTimeMu,          kTimeSt,         kTimeSu,           kFilesize,
    kMainSpotlight, kMainJietu, kMainDraw,        kMainReturn,     kBtnVideolist,     kMic,
    kSliderMic,     kMicXia,    kVolume,          kSliderVolume,   kVolumeXia,        kAutoStop,
    kPlanTask,      kStart,     kBtnPause,        kBtnStop,
};

// The sound level meters of the first page and of the recording page: 23 bars
// each, the lowest first.
constexpr LayoutName kVoicePulses[] = {
    {L"voice_pulse1", DuiLib::kControlInterface},  {L"voice_pulse2", DuiLib::kControlInterface},
    {L"voice_pulse3", DuiLib::kControlInterface},  {L"voice_pulse4", DuiLib::kControlInterface},
    {L"voice_pulse5", DuiLib::kControlInterface},  {L"voice_pulse6", DuiLib::kControlInterface},
    {L"voice_pulse7", DuiLib::kControlInterface},  {L"voice_pulse8", DuiLib::kControlInterface},
    {L"voice_pulse9", DuiLib::kControlInterface},  {L"voice_pulse10", DuiLib::kControlInterface},
    {L"voice_pulse11", DuiLib::kControlInterface}, {L"voice_pulse12", DuiLib::kControlInterface},
    {L"voice_pulse13", DuiLib::kControlInterface}, {L"voice_pulse14", DuiLib::kControlInterface},
    {L"voice_pulse15", DuiLib::kControlInterface}, {L"voice_pulse16", DuiLib::kControlInterface},
    {L"voice_pulse17", DuiLib::kControlInterface}, {L"voice_pulse18", DuiLib::kControlInterface},
    {L"voice_pulse19", DuiLib::kControlInterface}, {L"voice_pulse20", DuiLib::kControlInterface},
    {L"voice_pulse21", DuiLib::kControlInterface}, {L"voice_pulse22", DuiLib::kControlInterface},
    {L"voice_pulse23", DuiLib::kControlInterface},
};
constexpr LayoutName kVoiceRPulses[] = {
    {L"voice_rpulse1", DuiLib::kControlInterface},  {L"voice_rpulse2", DuiLib::kControlInterface},
    {L"voice_rpulse3", DuiLib::kControlInterface},  {L"voice_rpulse4", DuiLib::kControlInterface},
    {L"voice_rpulse5", DuiLib::kControlInterface},  {L"voice_rpulse6", DuiLib::kControlInterface},
    {L"voice_rpulse7", DuiLib::kControlInterface},  {L"voice_rpulse8", DuiLib::kControlInterface},
    {L"voice_rpulse9", DuiLib::kControlInterface},  {L"voice_rpulse10", DuiLib::kControlInterface},
    {L"voice_rpulse11", DuiLib::kControlInterface}, {L"voice_rpulse12", DuiLib::kControlInterface},
    {L"voice_rpulse13", DuiLib::kControlInterface}, {L"voice_rpulse14", DuiLib::kControlInterface},
    {L"voice_rpulse15", DuiLib::kControlInterface}, {L"voice_rpulse16", DuiLib::kControlInterface},
    {L"voice_rpulse17", DuiLib::kControlInterface}, {L"voice_rpulse18", DuiLib::kControlInterface},
    {L"voice_rpulse19", DuiLib::kControlInterface}, {L"voice_rpulse20", DuiLib::kControlInterface},
    {L"voice_rpulse21", DuiLib::kControlInterface}, {L"voice_rpulse22", DuiLib::kControlInterface},
    {L"voice_rpulse23", DuiLib::kControlInterface},
};

// Sound-source buttons that the click table answers but this skin's main.xml does
// not have; the table test checks that they are still absent.
constexpr LayoutName kBtnMainAudio{L"btn_main_audio", DuiLib::kButtonInterface};
constexpr LayoutName kBtnMainAudioR{L"btn_main_audio_r", DuiLib::kButtonInterface};
constexpr LayoutName kAbsent[] = {kBtnMainAudio, kBtnMainAudioR};

}  // namespace main_names
