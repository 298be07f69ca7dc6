// InitWindow and its steps, in the order the window is set up.
#include <cstdlib>
#include <cwchar>

#include "app/controls/app_controls.h"
#include "app/custom_messages.h"
#include "app/lists/file_lists.h"
#include "app/main_ini.h"
#include "app/pending_step.h"
#include "app/progress/progress_thread.h"
#include "app/single_instance.h"
#include "app/vistrel_frame.h"
#include "areaprobe/areaprobe.h"
#include "common/logger.h"
#include "common/record_globals.h"
#include "common/setting_data.h"
#include "engine/ffmpeg_api.h"
#include "overlay/region/sel_area_ui.h"
#include "overlay/region/sel_area_wnd.h"

extern "C" {
#include <libavdevice/avdevice.h>
}

using namespace DuiLib;

namespace {

constexpr char kInitWindow[] = "CVistrelFrame::InitWindow";
constexpr int kAreaMargin = 30;  // kept between the first area and the window

}  // namespace

LPCTSTR CVistrelFrame::GetWindowClassName() const { return kMainWindowClass; }

UINT CVistrelFrame::GetClassStyle() const { return CS_DBLCLKS; }

CDuiString CVistrelFrame::GetSkinFile() { return L"XML_MAIN"; }

CControlUI* CVistrelFrame::CreateControl(LPCTSTR pstrClass) {
    if (wcscmp(pstrClass, L"SelArea") == 0) return new CSelAreaUI;
    return CreateAppControl(pstrClass);  // "SetSlider"
}

LPCTSTR CVistrelFrame::GetItemText(CControlUI*, int, int) { return L""; }

void CVistrelFrame::InitWindow() {
    m_screenCaptureRecorder = "screen-capture-recorder";
    m_sysAudioCapturer = "virtual-audio-capturer";
    FindMainControls();
    LogPendingStep(kInitWindow, "CHotKeySetting::Init");
    RegisterFFmpeg();
    CreateRecorder();
    InitDevices(m_systemDevices);
    LoadMainAudioChoice();
    CreateTrayIcon();
    StartProgressThread();
    m_fileLists->LoadVideoList();
    m_fileLists->LoadPicList();
    LoadSelAreaSize();
    PlaceInitialArea();
    StartMouseHook();
    LogPendingStep(kInitWindow, "PlanTaskManager::LoadTasks");
    PostRecordAtStartIfSet();
    SetTimer(m_hWnd, kTimerHotkeyTip, 500, nullptr);
    LogBoth(kInitWindow, "end");
}

void CVistrelFrame::FindMainControls() {
    m_pVideoList = FindAs<CListUI>(L"listview", L"List");
    m_pPictureList = FindAs<CListUI>(L"listview_s", L"List");
    m_pVolume = FindOption(L"volume");
    m_pMic = FindOption(L"mic");
    if (CControlUI* slider = FindControl(L"slider_mic"))
        slider->OnNotify += MakeDelegate(this, &CVistrelFrame::OnMicSliderClick);
    if (CControlUI* slider = FindControl(L"slider_volume"))
        slider->OnNotify += MakeDelegate(this, &CVistrelFrame::OnVolumeSliderClick);
    if (m_monitors.size() < 2) SetControlVisible(L"monitor_set", false);
    // The lists find their controls by name; they take the rename box's events.
    m_fileLists = std::make_unique<CFileLists>(&m_PaintManager, m_hWnd,
                                               [] { return CSettingData::GetInstance()->GetSettings().path; });
}

void CVistrelFrame::RegisterFFmpeg() {
    // FFmpeg 5 registers its formats itself; the network and the devices are asked for.
    avformat_network_init();
    avdevice_register_all();
}

void CVistrelFrame::CreateTrayIcon() {
    SetIcon(kProgramIconId);
    if (!m_trayIcon.CreateTrayIcon(m_hWnd, kProgramIconId, kMainWindowTitle, WM_TRAY_NOTIFY))
        LogBoth(kInitWindow, "CreateTrayIcon error");
}

void CVistrelFrame::StartProgressThread() {
    m_progressThread = std::make_unique<CProgressThread>(m_progressBoard, m_hWnd);
    if (!m_progressThread->Start()) LogBoth(kInitWindow, "the progress thread could not start error");
}

void CVistrelFrame::StartMouseHook() {
    if (!AreaprobeStart(m_hWnd, 0, 0, 1)) LogBoth(kInitWindow, "AreaprobeStart error");
}

void CVistrelFrame::PostRecordAtStartIfSet() {
    SettingRecord settings = CSettingData::GetInstance()->GetSettings();
    if (settings.Check_AutoStartup) PostMessage(WM_RECORD_AT_START, 0, 0);
}

void CVistrelFrame::LoadMainAudioChoice() {
    std::string text = ReadMainAudioSel();
    if (text.empty()) {
        ChooseSoundFromDevices();
        return;
    }
    m_mainAudioSel = std::atoi(text.c_str());
    ApplyMainAudioChoice(m_mainAudioSel);
}

void CVistrelFrame::ApplyMainAudioChoice(int choice) {
    const wchar_t* label = nullptr;
    switch (choice) {
        case 1:
            AddRecordSource(kSourceSystemSound);
            label = L"系统声音";
            break;
        case 2:
            AddRecordSource(kSourceMicrophone);
            label = L"麦克风";
            break;
        case 3:
            AddRecordSource(kSourceSystemSound);
            AddRecordSource(kSourceMicrophone);
            label = L"系统和麦克";
            break;
        case 4:
            RemoveRecordSource(kSourceSystemSound);
            RemoveRecordSource(kSourceMicrophone);
            ShowNoAudio(true);
            label = L"不录声音";
            break;
        default: AddRecordSource(kSourceSystemSound); break;  // the label stays
    }
    CControlUI* audioText = FindControl(L"btn_main_audio_txt");
    if (label && audioText) audioText->SetText(label);
}

// Nothing stored: system sound when there is a playback device, and the
// microphone option set (at volume 0) when there is a microphone.
void CVistrelFrame::ChooseSoundFromDevices() {
    if (IsRecordSourceOn(kSourceSystemSound)) return;
    if (vec_sys_devices_.size() > 1) AddRecordSource(kSourceSystemSound);
    if (vec_mic_devices_.size() > 1) {
        if (m_pMic) m_pMic->Selected(true);
        if (auto* slider = FindAs<CSliderUI>(L"slider_mic", L"Slider")) slider->SetValue(0);
    }
}

void CVistrelFrame::LoadSelAreaSize() {
    SelAreaSize size =
        ReadSelAreaSize(m_rcMonitorUnion.right - m_rcMonitorUnion.left, m_rcMonitorUnion.bottom - m_rcMonitorUnion.top);
    m_selAreaWidth = size.width;
    m_selAreaHeight = size.height;
}

void CVistrelFrame::PlaceInitialArea() {
    RECT window = {};
    GetWindowRect(m_hWnd, &window);
    const int windowHeight = window.bottom - window.top;
    RECT bounds = m_rcMonitorUnion;
    for (const MonitorInfo& m : m_monitors) {
        if (m.primary && m_selAreaWidth <= m.width && m_selAreaHeight <= m.height) bounds = MonitorRect(m);
    }
    const int boundsWidth = bounds.right - bounds.left, boundsHeight = bounds.bottom - bounds.top;
    g_rcSnapwick.left = bounds.left + (boundsWidth - m_selAreaWidth) / 2;
    g_rcSnapwick.right = g_rcSnapwick.left + m_selAreaWidth;
    if (m_selAreaHeight + windowHeight + kAreaMargin >= bounds.bottom - kAreaMargin) {
        g_rcSnapwick.top = 0;
    } else {
        g_rcSnapwick.top = bounds.top + (boundsHeight - m_selAreaHeight - windowHeight - kAreaMargin) / 2;
    }
    g_rcSnapwick.bottom = g_rcSnapwick.top + m_selAreaHeight;
    MoveMainWindow(bounds.left + (boundsWidth - kMainWindowWidth) / 2,
                   bounds.top + (boundsHeight - kMainWindowHeight) / 2, kMainWindowWidth, kMainWindowHeight, true);
    CreateSelAreaWindow();
}

void CVistrelFrame::CreateSelAreaWindow() {
    auto selArea = std::make_unique<CSelAreaWnd>();
    if (!selArea->CreateOver(m_hWnd, m_rcMonitorUnion)) {
        LogBoth("CVistrelFrame::CreateSelAreaWindow", "the region frame could not be created error");
        return;
    }
    ::ShowWindow(selArea->GetHWND(), SW_HIDE);
    m_pSelAreaWnd = std::move(selArea);
}
