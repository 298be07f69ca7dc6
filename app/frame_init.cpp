// InitWindow and its steps, in the order the window is set up.
#include <cstdlib>
#include <cwchar>

#include "app/controls/app_controls.h"
#include "app/layouts/main_lists_names.h"
#include "app/layouts/main_names.h"
#include "app/lists/file_lists.h"
#include "app/progress/progress_thread.h"
#include "app/single_instance.h"
#include "app/vistrel_frame.h"
#include "areaprobe/areaprobe.h"
#include "common/logger.h"
#include "common/main_ini.h"
#include "common/record_globals.h"
#include "common/setting_data.h"
#include "engine/ffmpeg_api.h"
#include "overlay/region/sel_area_ui.h"
#include "overlay/region/sel_area_wnd.h"
#include "schedule/plan_task_manager.h"
#include "settings/hotkeys/hotkey_setting.h"
#include "shell/custom_messages.h"

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

CDuiString CVistrelFrame::GetSkinFile() { return main_names::kLayout; }

CControlUI* CVistrelFrame::CreateControl(LPCTSTR pstrClass) {
    if (wcscmp(pstrClass, L"SelArea") == 0) return new CSelAreaUI;
    return CreateAppControl(pstrClass);  // "SetSlider"
}

LPCTSTR CVistrelFrame::GetItemText(CControlUI*, int, int) { return L""; }

void CVistrelFrame::InitWindow() {
    m_screenCaptureRecorder = "screen-capture-recorder";
    m_sysAudioCapturer = "virtual-audio-capturer";
    FindMainControls();
    CHotKeySetting::GetInstance()->Init(m_hWnd);
    RegisterFFmpeg();
    CreateRecorder();
    InitDevices(m_systemDevices);
    LoadMainAudioChoice();
    CreateTrayIcon();
    StartProgressThread();
    FinishUnfinishedRecordings();
    m_fileLists->LoadVideoList();
    m_fileLists->LoadPicList();
    LoadSelAreaSize();
    PlaceInitialArea();
    StartMouseHook();
    PlanTaskManager::GetInstance().LoadTasks();
    PlanTaskManager::GetInstance().SortTasks();
    PostRecordAtStartIfSet();
    SetTimer(m_hWnd, kTimerHotkeyTip, 500, nullptr);
    LogBoth(kInitWindow, "end");
}

void CVistrelFrame::FindMainControls() {
    const CPaintManagerUI& pm = m_PaintManager;
    m_pListVideo = FindNamed<CListUI>(pm, main_lists_names::kListview);
    m_pListPic = FindNamed<CListUI>(pm, main_lists_names::kListviewS);
    using namespace main_names;
    m_pOptMic = FindNamed<COptionUI>(pm, kMic);
    m_pSliderMic = FindNamed<CSliderUI>(pm, kSliderMic);
    m_pMicXia = FindNamed<CButtonUI>(pm, kMicXia);
    m_pOptVolume = FindNamed<COptionUI>(pm, kVolume);
    m_pSliderVolume = FindNamed<CSliderUI>(pm, kSliderVolume);
    m_pVolumeXia = FindNamed<CButtonUI>(pm, kVolumeXia);
    m_pSwitch = FindNamed<CTabLayoutUI>(pm, kSwitch);
    m_pBtnAllScreen = FindNamed<COptionUI>(pm, kBtnAllScreen);
    m_pMonitorSet = FindNamed<CButtonUI>(pm, kMonitorSet);
    m_pSelSet = FindNamed<CButtonUI>(pm, kSelSet);
    m_pBtnPartRecord = FindNamed<COptionUI>(pm, kBtnPartRecord);
    m_pBtnAudioRecord = FindNamed<COptionUI>(pm, kBtnAudioRecord);
    m_pCamera = FindNamed<COptionUI>(pm, kCamera);
    m_pSelCamera = FindNamed<CLabelUI>(pm, kSelCamera);
    m_pCameraSet = FindNamed<CButtonUI>(pm, kCameraSet);
    m_pAudioNo = FindNamed<CControlUI>(pm, kAudioNo);
    m_pMainAudioTxt = FindNamed<CLabelUI>(pm, kBtnMainAudioTxt);
    m_pAudioNoR = FindNamed<CControlUI>(pm, kAudioNoR);
    m_pMainAudioTxtR = FindNamed<CLabelUI>(pm, kBtnMainAudioTxtR);
    m_pMainReturn = FindNamed<CButtonUI>(pm, kMainReturn);
    m_pBtnVideolist = FindNamed<COptionUI>(pm, kBtnVideolist);
    m_pAutoStop = FindNamed<CButtonUI>(pm, kAutoStop);
    m_pPlanTask = FindNamed<CButtonUI>(pm, kPlanTask);
    m_pStart = FindNamed<CButtonUI>(pm, kStart);
    m_pBtnPause = FindNamed<COptionUI>(pm, kBtnPause);
    m_pBtnStop = FindNamed<CButtonUI>(pm, kBtnStop);
    for (size_t i = 0; i < m_voicePulses.size(); ++i) {
        m_voicePulses[i] = FindNamed<CControlUI>(pm, kVoicePulses[i]);
        m_voiceRPulses[i] = FindNamed<CControlUI>(pm, kVoiceRPulses[i]);
    }
    m_progressView = CProgressView(pm);
    if (m_pSliderMic) m_pSliderMic->OnNotify += MakeDelegate(this, &CVistrelFrame::OnMicSliderClick);
    if (m_pSliderVolume) m_pSliderVolume->OnNotify += MakeDelegate(this, &CVistrelFrame::OnVolumeSliderClick);
    if (m_monitors.size() < 2) SetControlVisible(m_pMonitorSet, false);
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
    m_nMainAudioSel = std::atoi(text.c_str());
    ApplyMainAudioChoice(m_nMainAudioSel);
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
    if (label && m_pMainAudioTxt) m_pMainAudioTxt->SetText(label);
}

// Nothing stored: system sound when there is a playback device, and the
// microphone option set (at volume 0) when there is a microphone.
void CVistrelFrame::ChooseSoundFromDevices() {
    if (IsRecordSourceOn(kSourceSystemSound)) return;
    if (vec_sys_devices_.size() > 1) AddRecordSource(kSourceSystemSound);
    if (vec_mic_devices_.size() > 1) {
        if (m_pOptMic) m_pOptMic->Selected(true);
        if (m_pSliderMic) m_pSliderMic->SetValue(0);
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
