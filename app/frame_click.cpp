// The main window's click table: each control name (also those of the controls
// inside its pop-up menus, which hand their clicks on to this window) and the
// command it runs. Names are compared whole and case-sensitively; a name that is
// not here does nothing.
#include "app/layouts/main_audio_menu_names.h"
#include "app/layouts/main_lists_names.h"
#include "app/layouts/main_names.h"
#include "app/layouts/main_sel_menu_names.h"
#include "app/recording_ui/toolbar_wnd.h"
#include "app/vistrel_frame.h"
#include "common/logger.h"
#include "common/record_globals.h"
#include "common/text_convert.h"
#include "shell/custom_messages.h"

using namespace DuiLib;

namespace {

constexpr char kOnClick[] = "CVistrelFrame::OnClick";

// The clicked control's name, as the log line of a click that says what it did.
void LogClick(const CDuiString& name) { LogBoth(kOnClick, "%s", WideToUtf8(name.Str()).c_str()); }

}  // namespace

void CVistrelFrame::OnClick(TNotifyUI& msg) {
    if (!msg.pSender) return;
    const CDuiString name = msg.pSender->GetName();
    using Command = void (*)(CVistrelFrame&, const CDuiString&);
    static const struct {
        const LayoutName& entry;
        Command run;
    } kCommands[] = {
        {main_names::kBtnClose,
         [](CVistrelFrame& f, const CDuiString& n) {
             LogClick(n);
             f.OnCloseButton();
         }},
        {main_names::kBtnMini,
         [](CVistrelFrame& f, const CDuiString&) { f.PostMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0); }},
        {main_names::kBtnPause, [](CVistrelFrame& f, const CDuiString&) { f.OnClickBtnPause(false); }},
        {main_names::kBtnStop,
         [](CVistrelFrame& f, const CDuiString& n) {
             LogClick(n);
             f.StopByUser();
         }},
        {main_names::kStart, [](CVistrelFrame& f, const CDuiString&) { f.OnClickStartRecord(); }},
        {main_names::kBtnAllScreen, [](CVistrelFrame& f, const CDuiString&) { f.SelectFullScreen(); }},
        {main_names::kBtnPartRecord, [](CVistrelFrame& f, const CDuiString&) { f.PickCustomArea(); }},
        {main_names::kSelSet, [](CVistrelFrame& f, const CDuiString&) { f.OpenAreaMenu(); }},
        {main_names::kMonitorSet, [](CVistrelFrame& f, const CDuiString&) { f.OpenMonitorMenu(); }},
        {main_names::kAutoStop, [](CVistrelFrame& f, const CDuiString&) { f.ShowAutoStopDialog(); }},
        {main_names::kCameraSet, [](CVistrelFrame& f, const CDuiString&) { f.OpenCameraMenu(); }},
        {main_names::kMicXia, [](CVistrelFrame& f, const CDuiString&) { f.OpenMicMenu(); }},
        {main_names::kVolumeXia, [](CVistrelFrame& f, const CDuiString&) { f.OpenVolumeMenu(); }},
        {main_sel_menu_names::kMenuSelFull, [](CVistrelFrame& f, const CDuiString&) { f.ChooseWholeDesktop(); }},
        {main_sel_menu_names::kMenuSelHd, [](CVistrelFrame& f, const CDuiString& n) { f.ChooseAreaPreset(n); }},
        {main_sel_menu_names::kMenuSelSd, [](CVistrelFrame& f, const CDuiString& n) { f.ChooseAreaPreset(n); }},
        {main_sel_menu_names::kMenuSelT1, [](CVistrelFrame& f, const CDuiString& n) { f.ChooseAreaPreset(n); }},
        {main_sel_menu_names::kMenuSelT2, [](CVistrelFrame& f, const CDuiString& n) { f.ChooseAreaPreset(n); }},
        {main_sel_menu_names::kMenuSelT3, [](CVistrelFrame& f, const CDuiString& n) { f.ChooseAreaPreset(n); }},
        {main_sel_menu_names::kMenuSelCustom, [](CVistrelFrame& f, const CDuiString&) { f.ChooseExactSize(); }},
        {main_names::kBtnGameRecord, [](CVistrelFrame& f, const CDuiString&) { f.SelectGameMode(); }},
        {main_names::kBtnAudioRecord, [](CVistrelFrame& f, const CDuiString&) { f.SelectSoundOnlyMode(); }},
        {main_names::kCamera, [](CVistrelFrame& f, const CDuiString&) { f.ToggleCamera(); }},
        {main_names::kBtnMainAudio, [](CVistrelFrame& f, const CDuiString&) { f.OpenMainAudioMenu(); }},
        {main_names::kBtnMainAudioR, [](CVistrelFrame& f, const CDuiString&) { f.OpenMainAudioMenu(); }},
        {main_audio_menu_names::kMenuMainSys, [](CVistrelFrame& f, const CDuiString& n) { f.ChooseMainAudio(n); }},
        {main_audio_menu_names::kMenuMainMic, [](CVistrelFrame& f, const CDuiString& n) { f.ChooseMainAudio(n); }},
        {main_audio_menu_names::kMenuMainSysMic, [](CVistrelFrame& f, const CDuiString& n) { f.ChooseMainAudio(n); }},
        {main_audio_menu_names::kMenuMainNo, [](CVistrelFrame& f, const CDuiString& n) { f.ChooseMainAudio(n); }},
        {main_names::kBtnVideolist, [](CVistrelFrame& f, const CDuiString&) { f.ToggleFileLists(); }},
        {main_names::kBtnSet, [](CVistrelFrame& f, const CDuiString&) { f.ShowSettingDialog(0); }},
        {main_names::kMainSpotlight,
         [](CVistrelFrame& f, const CDuiString&) {
             if (CToolbarWnd* toolbar = f.LiveToolbar()) toolbar->ToggleSpotlight();
         }},
        {main_names::kMainJietu, [](CVistrelFrame& f, const CDuiString&) { f.OnRecordScreenshot(); }},
        {main_names::kMainDraw,
         [](CVistrelFrame& f, const CDuiString&) {
             if (CToolbarWnd* toolbar = f.LiveToolbar()) toolbar->ToggleDrawToolbar();
         }},
        {main_names::kMainReturn,
         [](CVistrelFrame& f, const CDuiString&) { f.PostMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0); }},
        {main_lists_names::kOptVideoInfo, [](CVistrelFrame& f, const CDuiString&) { f.ShowListPage(true); }},
        {main_lists_names::kOptPicInfo, [](CVistrelFrame& f, const CDuiString&) { f.ShowListPage(false); }},
        {main_names::kMic,
         [](CVistrelFrame& f, const CDuiString&) { f.ToggleSoundMute(f.MicControls(), kSourceMicrophone); }},
        {main_names::kVolume,
         [](CVistrelFrame& f, const CDuiString&) { f.ToggleSoundMute(f.VolumeControls(), kSourceSystemSound); }},
        {main_names::kPlanTask, [](CVistrelFrame& f, const CDuiString&) { f.OpenPlanTaskWindow(); }},
    };
    for (const auto& command : kCommands) {
        if (name == command.entry.name) {
            command.run(*this, name);
            return;
        }
    }
}
