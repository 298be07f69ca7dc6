// The sound device dialog opened from the main window ("sys_audio_set"): it is
// offered the main window's device lists and keeps its choice in "Tessel.ini".
#include "app/main_ini.h"
#include "app/vistrel_frame.h"
#include "common/logger.h"
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
