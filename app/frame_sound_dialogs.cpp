// The sound device dialog ("sys_audio_set": offered the main window's device
// lists, it keeps its choice in "Tessel.ini") and the auto-stop dialog ("auto_stop":
// it edits the options the progress logic reads).
#include "app/vistrel_frame.h"
#include "common/logger.h"
#include "common/main_ini.h"
#include "settings/auto_stop/auto_stop_record_dlg.h"
#include "settings/sound/audio_setting_dlg.h"

void CVistrelFrame::ShowAudioSettingDialog() {
    AudioSettingDlg dialog;
    dialog.SetDevices(vec_sys_devices_, vec_mic_devices_);
    dialog.SetIniPath(GetMainIniPath());
    const DWORD style = WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_BORDER | WS_SYSMENU;
    if (!dialog.Create(m_hWnd, L"AudioSettingDialog", style, WS_EX_TOPMOST | WS_EX_TOOLWINDOW)) {
        LogBoth("CVistrelFrame::ShowAudioSettingDialog", "audio_setting.xml could not be shown error");
        return;
    }
    dialog.ShowDialog(m_hWnd, IsWindowVisible(m_hWnd) != FALSE);
}

void CVistrelFrame::ShowAutoStopDialog() {
    AutoStopRecordDlg dialog;
    dialog.SetOptions(m_progressBoard.GetAutoStopOptions());
    const DWORD style = WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_BORDER | WS_SYSMENU;
    if (!dialog.Create(m_hWnd, L"AutoStopRecordDialog", style, WS_EX_TOPMOST | WS_EX_TOOLWINDOW)) {
        LogBoth("CVistrelFrame::ShowAutoStopDialog", "auto_stop_record.xml could not be shown error");
        return;
    }
    if (dialog.ShowDialog(m_hWnd, IsWindowVisible(m_hWnd) != FALSE))
        m_progressBoard.SetAutoStopOptions(dialog.Options());
}
