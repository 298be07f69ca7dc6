// Construction, destruction and the destroy path of the main window.
#include <algorithm>
#include <cwchar>

#include "app/lists/file_lists.h"
#include "app/progress/progress_thread.h"
#include "app/recording_ui/countdown_wnd.h"
#include "app/recording_ui/toolbar_wnd.h"
#include "app/vistrel_frame.h"
#include "common/logger.h"
#include "common/program_path.h"
#include "common/record_globals.h"
#include "common/setting_data.h"
#include "engine/recording_finisher.h"
#include "engine/vistreler.h"
#include "overlay/region/sel_area_wnd.h"
#include "settings/hotkeys/hotkey_setting.h"

namespace {

// The number in a monitor's name "显示器 n"; 0 for any other name.
long MonitorNumber(const MonitorInfo& monitor) {
    static const std::wstring prefix = L"显示器 ";
    if (monitor.name.find(prefix) == std::wstring::npos || monitor.name.size() < prefix.size()) return 0;
    return std::wcstol(monitor.name.c_str() + prefix.size(), nullptr, 10);
}

void SortByDisplayNumber(std::vector<MonitorInfo>& monitors) {
    std::stable_sort(monitors.begin(), monitors.end(),
                     [](const MonitorInfo& a, const MonitorInfo& b) { return MonitorNumber(a) < MonitorNumber(b); });
}

}  // namespace

CVistrelFrame::CVistrelFrame() {
    // A second frame in the same process (tests) keeps the log that is open.
    OpenProgramLog();
    g_recordeState = _StopState;
    SetCurrentDirectoryW(GetProgramFolderW().c_str());
    if (!EnumMonitorList(m_monitors, m_rcMonitorUnion))
        LogBoth("CVistrelFrame::CVistrelFrame", "EnumMonitorList error");
    SortByDisplayNumber(m_monitors);
}

CVistrelFrame::~CVistrelFrame() {
    delete m_pTrayMenu;  // it speaks to this window's paint manager
    delete m_pMainAudioMenu;
    delete m_pSelMenu;
    delete m_pMonitorMenu;
    ForgetPicker();
    if (m_pToolbarWnd) m_pToolbarWnd->SetObserver(nullptr);
    CloseOwnedWindow(m_pToolbarWnd);
    DeleteDrawBoard();
    CloseOwnedWindow(m_pCountdownWnd);
    m_progressBoard.EndRecording();
    m_opening.Finish();  // its worker uses the recorder
    if (m_vistreler) {
        LogConsole("CVistrelFrame::~CVistrelFrame", "delete m_vistreler");
        m_vistreler.reset();
    }
    // Each waits for the files it is making whole: the program ends with none half done.
    m_retiredRecorders.clear();
    m_recovery.reset();
    CHotKeySetting::GetInstance()->UnregisterAll();
    CHotKeySetting::ReleaseInstance();
    m_progressThread.reset();  // it reads the settings
    CSettingData::ReleaseInstance();
    if (m_pSelAreaWnd) m_pSelAreaWnd->SetBorderAnimation(false);
    if (m_hWnd) KillTimer(m_hWnd, kTimerBorderAnimation);
}

LRESULT CVistrelFrame::OnDestroy(UINT, WPARAM, LPARAM, bool& bHandled) {
    m_bDestroying = true;
    onStopRecord();  // a running recording is finished before anything goes
    m_trayIcon.DeleteTrayIcon();
    bHandled = false;  // HandleCustomMessage goes on with ExitFrame
    PostQuitMessage(0);
    return 0;
}
