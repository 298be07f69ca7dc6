// The main window's click table: each control name (also those of the controls
// inside its pop-up menus, which hand their clicks on to this window) and the
// command it runs. Names are compared whole and case-sensitively; a name that is
// not here does nothing. Commands that come with later parts of the program log
// that they were skipped.
#include "app/custom_messages.h"
#include "app/pending_step.h"
#include "app/recording_ui/toolbar_wnd.h"
#include "app/vistrel_frame.h"
#include "common/logger.h"
#include "common/record_globals.h"

using namespace DuiLib;

namespace {

constexpr char kOnClick[] = "CVistrelFrame::OnClick";

// Controls whose windows or menus are not part of this build yet.
struct PendingCommand {
    const wchar_t* name;
    const char* step;
};

const PendingCommand kPendingCommands[] = {
    {L"btn_set", "the settings dialog"},    {L"auto_stop", "the auto-stop dialog"},
    {L"plan_task", "the task list window"}, {L"camera_set", "the camera menu"},
    {L"mic_xia", "the microphone menu"},    {L"volume_xia", "the system sound menu"},
};

}  // namespace

void CVistrelFrame::OnClick(TNotifyUI& msg) {
    if (!msg.pSender) return;
    const CDuiString name = msg.pSender->GetName();
    using Command = void (*)(CVistrelFrame&, const CDuiString&);
    static const struct {
        const wchar_t* name;
        Command run;
    } kCommands[] = {
        {L"btn_close", [](CVistrelFrame& f, const CDuiString&) { f.OnCloseButton(); }},
        {L"btn_mini", [](CVistrelFrame& f, const CDuiString&) { f.PostMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0); }},
        {L"btn_pause", [](CVistrelFrame& f, const CDuiString&) { f.OnClickBtnPause(false); }},
        {L"btn_stop",
         [](CVistrelFrame& f, const CDuiString&) {
             LogBoth(kOnClick, "btn_stop");
             f.StopByUser();
         }},
        {L"start", [](CVistrelFrame& f, const CDuiString&) { f.OnClickStartRecord(); }},
        {L"btn_all_screen", [](CVistrelFrame& f, const CDuiString&) { f.SelectFullScreen(); }},
        {L"btn_part_record", [](CVistrelFrame& f, const CDuiString&) { f.PickCustomArea(); }},
        {L"sel_set", [](CVistrelFrame& f, const CDuiString&) { f.OpenAreaMenu(); }},
        {L"monitor_set", [](CVistrelFrame& f, const CDuiString&) { f.OpenMonitorMenu(); }},
        {L"menu_sel_full", [](CVistrelFrame& f, const CDuiString&) { f.ChooseWholeDesktop(); }},
        {L"menu_sel_hd", [](CVistrelFrame& f, const CDuiString& n) { f.ChooseAreaPreset(n); }},
        {L"menu_sel_sd", [](CVistrelFrame& f, const CDuiString& n) { f.ChooseAreaPreset(n); }},
        {L"menu_sel_t1", [](CVistrelFrame& f, const CDuiString& n) { f.ChooseAreaPreset(n); }},
        {L"menu_sel_t2", [](CVistrelFrame& f, const CDuiString& n) { f.ChooseAreaPreset(n); }},
        {L"menu_sel_t3", [](CVistrelFrame& f, const CDuiString& n) { f.ChooseAreaPreset(n); }},
        {L"menu_sel_custom", [](CVistrelFrame& f, const CDuiString&) { f.ChooseExactSize(); }},
        {L"btn_game_record", [](CVistrelFrame& f, const CDuiString&) { f.SelectGameMode(); }},
        {L"btn_audio_record", [](CVistrelFrame& f, const CDuiString&) { f.SelectSoundOnlyMode(); }},
        {L"camera", [](CVistrelFrame& f, const CDuiString&) { f.ToggleCamera(); }},
        {L"btn_main_audio", [](CVistrelFrame& f, const CDuiString&) { f.OpenMainAudioMenu(); }},
        {L"btn_main_audio_r", [](CVistrelFrame& f, const CDuiString&) { f.OpenMainAudioMenu(); }},
        {L"menu_main_sys", [](CVistrelFrame& f, const CDuiString& n) { f.ChooseMainAudio(n); }},
        {L"menu_main_mic", [](CVistrelFrame& f, const CDuiString& n) { f.ChooseMainAudio(n); }},
        {L"menu_main_sys_mic", [](CVistrelFrame& f, const CDuiString& n) { f.ChooseMainAudio(n); }},
        {L"menu_main_no", [](CVistrelFrame& f, const CDuiString& n) { f.ChooseMainAudio(n); }},
        {L"btn_videolist", [](CVistrelFrame& f, const CDuiString&) { f.ToggleFileLists(); }},
        {L"main_spotlight",
         [](CVistrelFrame& f, const CDuiString&) {
             if (CToolbarWnd* toolbar = f.LiveToolbar()) toolbar->ToggleSpotlight();
         }},
        {L"main_jietu", [](CVistrelFrame& f, const CDuiString&) { f.OnRecordScreenshot(); }},
        {L"main_draw",
         [](CVistrelFrame& f, const CDuiString&) {
             if (CToolbarWnd* toolbar = f.LiveToolbar()) toolbar->ToggleDrawToolbar();
         }},
        {L"main_return", [](CVistrelFrame& f, const CDuiString&) { f.PostMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0); }},
        {L"opt_video_info", [](CVistrelFrame& f, const CDuiString&) { f.ShowListPage(true); }},
        {L"opt_pic_info", [](CVistrelFrame& f, const CDuiString&) { f.ShowListPage(false); }},
        {L"mic", [](CVistrelFrame& f,
                    const CDuiString&) { f.ToggleSoundMute(f.m_pMic, L"mic_xia", L"slider_mic", kSourceMicrophone); }},
        {L"volume",
         [](CVistrelFrame& f, const CDuiString&) {
             f.ToggleSoundMute(f.m_pVolume, L"volume_xia", L"slider_volume", kSourceSystemSound);
         }},
    };
    for (const auto& command : kCommands) {
        if (name == command.name) {
            command.run(*this, name);
            return;
        }
    }
    for (const PendingCommand& pending : kPendingCommands) {
        if (name == pending.name) {
            LogPendingStep(kOnClick, pending.step);
            return;
        }
    }
}
