// WM_HOTKEY: the global hotkeys arrive by their ids, the global atoms of
// "Ts_<name>_Hotkey" minus 0xC000, the same ids the hotkey registration uses.
// Each hotkey acts only in its recording state.
#include <cstdio>

#include "app/recording_ui/toolbar_wnd.h"
#include "app/vistrel_frame.h"
#include "common/record_globals.h"
#include "shell/custom_messages.h"

namespace {

enum class HotkeyAction {
    kCustomArea,
    kRecordStart,
    kRecordRestart,
    kShowDrawBoard,
    kOpenZoom,
    kLockZoomArea,
    kScreenShot,
    kOpenSpotLight,
};

struct HotkeyEntry {
    const wchar_t* atomName;
    const char* printed;
    HotkeyAction action;
};

const HotkeyEntry kHotkeys[] = {
    {L"Ts_CustomAera_Hotkey", "WM_HOTKEY::KEYID_CUSTOMAREA", HotkeyAction::kCustomArea},
    {L"Ts_RecordStart_Hotkey", "WM_HOTKEY::KEYID_RECORDSTART", HotkeyAction::kRecordStart},
    {L"Ts_RecordReStart_Hotkey", "WM_HOTKEY::KEYID_RECORDRESTART", HotkeyAction::kRecordRestart},
    {L"Ts_ShowDrawBoard_Hotkey", "WM_HOTKEY::KEYID_SHOWDRAWBOARD", HotkeyAction::kShowDrawBoard},
    {L"Ts_OpenZoom_Hotkey", "WM_HOTKEY::KEYID_OPENZOOM", HotkeyAction::kOpenZoom},
    {L"Ts_LockZoomArea_Hotkey", "WM_HOTKEY::KEYID_LOCKZOOMAREA", HotkeyAction::kLockZoomArea},
    {L"Ts_ScreenShot_Hotkey", "WM_HOTKEY::KEYID_SCREENSHOT", HotkeyAction::kScreenShot},
    {L"Ts_OpenSpotLight_Hotkey", "WM_HOTKEY::KEYID_OPENSPOTLIGHT", HotkeyAction::kOpenSpotLight},
};

// The atoms are added once and kept for the process, so their values never change.
WPARAM HotkeyId(const HotkeyEntry& entry) {
    static WPARAM ids[sizeof(kHotkeys) / sizeof(kHotkeys[0])] = {};
    const size_t index = static_cast<size_t>(&entry - kHotkeys);
    if (!ids[index]) ids[index] = static_cast<WPARAM>(GlobalAddAtomW(entry.atomName)) - 0xC000;
    return ids[index];
}

}  // namespace

// The record hotkey during the countdown stops the recording that is being armed.
void CVistrelFrame::OnHotkey(WPARAM id) {
    const bool idle = !IsRecordingUnderWay();
    const bool running = g_recordeState != _StopState;
    for (const HotkeyEntry& entry : kHotkeys) {
        if (HotkeyId(entry) != id) continue;
        fprintf(stdout, "%s\n", entry.printed);
        fflush(stdout);
        switch (entry.action) {
            case HotkeyAction::kCustomArea:
                if (idle) PickCustomArea();
                break;
            case HotkeyAction::kRecordStart:
                if (idle)
                    OnClickStartRecord();
                else
                    StopByUser();
                break;
            case HotkeyAction::kRecordRestart:
                if (running) OnClickBtnPause(true);
                break;
            case HotkeyAction::kShowDrawBoard:
                if (running && m_pToolbarWnd) m_pToolbarWnd->ToggleDrawToolbar();
                break;
            case HotkeyAction::kScreenShot:
                if (running) PostMessage(WM_RECORD_SCREENSHOT, 0, 0);
                break;
            case HotkeyAction::kOpenSpotLight:
                if (running && m_pToolbarWnd) m_pToolbarWnd->ToggleSpotlight();
                break;
            case HotkeyAction::kOpenZoom:
            case HotkeyAction::kLockZoomArea: break;  // only printed
        }
        return;
    }
}
