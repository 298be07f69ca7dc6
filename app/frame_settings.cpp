// The settings dialog over the main window: from the settings button, the menus
// and the hotkey conflict notice.
#include "app/vistrel_frame.h"
#include "common/logger.h"
#include "settings/dialog/record_setting_dlg.h"

// UI thread. The dialog's modal loop runs inside this call; timers and hotkeys
// keep arriving meanwhile, and a second request only brings it forward.
void CVistrelFrame::ShowSettingDialog(int page) {
    if (m_pSettingDlg) {
        HWND open = m_pSettingDlg->GetHWND();
        if (IsWindow(open) && IsWindowVisible(open)) SetForegroundWindow(open);
        return;
    }
    RecordSettingDlg dialog;
    if (!dialog.Create(m_hWnd, L"RecordConfigDialog", kRecordSettingStyle, kRecordSettingExStyle)) {
        LogBoth("CVistrelFrame::ShowSettingDialog", "the settings dialog could not be created, error %lu",
                GetLastError());
        return;
    }
    m_pSettingDlg = &dialog;
    dialog.ShowDialog(m_hWnd, page, IsWindowVisible(m_hWnd) != FALSE);
    m_pSettingDlg = nullptr;
}
