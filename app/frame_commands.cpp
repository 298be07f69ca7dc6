// The commands behind the main window's own buttons and options: the record
// modes that are not areas, the webcam, the two mute toggles, the sound-source
// menu and the list area. An option's click arrives before the option changes,
// so "selected" below is always the state before the click.
#include <cwchar>

#include "app/layouts/main_audio_menu_names.h"
#include "app/recording_ui/toolbar_wnd.h"
#include "app/vistrel_frame.h"
#include "app/window_placement.h"
#include "common/logger.h"
#include "common/main_ini.h"
#include "common/record_globals.h"
#include "common/text_convert.h"
#include "engine/vistreler.h"
#include "shell/custom_messages.h"

using namespace DuiLib;

namespace {

constexpr int kMainAudioMenuWidth = 152;

struct MainAudioSource {
    const LayoutName& item;  // the item of the sound-source menu
    int source;              // [Info] MainAudioSel
    bool systemSound;
    bool microphone;
    const wchar_t* caption;
};

const MainAudioSource kMainAudioSources[] = {
    {main_audio_menu_names::kMenuMainSys, 1, true, false, L"系统声音"},
    {main_audio_menu_names::kMenuMainMic, 2, false, true, L"麦克风"},
    {main_audio_menu_names::kMenuMainSysMic, 3, true, true, L"系统和麦克"},
    {main_audio_menu_names::kMenuMainNo, 4, false, false, L"不录声音"},
};

const MainAudioSource* FindMainAudioSource(const CDuiString& item) {
    for (const MainAudioSource& s : kMainAudioSources)
        if (item == s.item.name) return &s;
    return nullptr;
}

// The item that matches the sound bits being recorded.
const MainAudioSource& CurrentMainAudioSource() {
    const bool sys = IsRecordSourceOn(kSourceSystemSound);
    const bool mic = IsRecordSourceOn(kSourceMicrophone);
    for (const MainAudioSource& s : kMainAudioSources)
        if (s.systemSound == sys && s.microphone == mic) return s;
    return kMainAudioSources[3];
}

void SetSourceBit(int32_t bit, bool on) {
    if (on)
        AddRecordSource(bit);
    else
        RemoveRecordSource(bit);
}

}  // namespace

// Quits or hides to the tray, as the close prompt (or the remembered choice) says.
void CVistrelFrame::OnCloseButton() { OnMainCloseRequest(); }

void CVistrelFrame::SelectGameMode() {
    HWND selArea = SelAreaWindow();
    if (selArea && !IsWindowVisible(selArea)) ::ShowWindow(selArea, SW_SHOWNORMAL);
    g_userSelMode = kSelModeGame;
}

// Sound only records neither the screen nor the camera; a second click changes no source.
void CVistrelFrame::SelectSoundOnlyMode() {
    if (HWND selArea = SelAreaWindow()) ::ShowWindow(selArea, SW_HIDE);
    g_userSelMode = kSelModeSoundOnly;
    if (IsOptionSelected(m_pBtnAudioRecord)) return;
    RemoveRecordSource(kSourceScreen);
    RemoveRecordSource(kSourceCamera);
}

void CVistrelFrame::ToggleCamera() {
    const bool turningOn = !IsOptionSelected(m_pCamera);
    if (turningOn) {
        OpenCamera();  // the tile shows "on" even when the camera did not start
        if (m_pSelCamera) m_pSelCamera->SetBkImage(kCameraTileOn);
    } else {
        CloseCamera();
        if (m_pSelCamera) m_pSelCamera->SetBkImage(kCameraTileOff);
    }
}

bool CVistrelFrame::OpenCamera() {
    if (m_vecCamera.empty()) {
        LogBoth("CVistrelFrame::OpenCamera", "m_vecCamera.empty()");
        return false;
    }
    if (IsRecordSourceOn(kSourceCamera) || m_cameraName.empty()) return true;
    AddRecordSource(kSourceCamera);
    m_vistreler->InitCameraThread();
    ShowCameraWindow();
    return m_vistreler->StartCameraVideo(WideToAnsi(m_cameraName));
}

void CVistrelFrame::ToggleSoundMute(const SoundControls& sound, int32_t sourceBit) {
    if (!sound.option) return;
    const bool muting = !sound.option->IsSelected();
    SetControlEnabled(sound.arrow, !muting);
    CSliderUI* slider = sound.slider;
    if (!slider) return;
    if (muting) {
        slider->SetUserData(std::to_wstring(slider->GetValue()).c_str());
        slider->SetValue(0);
        RemoveRecordSource(sourceBit);
    } else {
        slider->SetValue(static_cast<int>(wcstol(slider->GetUserData().Str().c_str(), nullptr, 10)));
        AddRecordSource(sourceBit);
    }
}

// A menu still open is replaced by the new one.
void CVistrelFrame::OpenMainAudioMenu() {
    delete m_pMainAudioMenu;
    POINT pt = {};
    GetCursorPos(&pt);
    CMenuWnd::CreateMenu(nullptr, main_audio_menu_names::kLayout, pt, &m_PaintManager, nullptr,
                         eMenuAlignment_Left | eMenuAlignment_Top, &m_pMainAudioMenu);
    if (!m_pMainAudioMenu) {
        LogBoth("CVistrelFrame::OpenMainAudioMenu", "main_audio_menu.xml could not be shown error");
        return;
    }
    const CPaintManagerUI* menu = m_pMainAudioMenu->GetPaintManager();
    if (auto* option = menu ? FindNamed<COptionUI>(*menu, CurrentMainAudioSource().item) : nullptr)
        option->Selected(true);
    m_pMainAudioMenu->ResizeMenu();
    RECT client = {};
    GetClientRect(m_pMainAudioMenu->GetHWND(), &client);
    m_pMainAudioMenu->ResizeClient(kMainAudioMenuWidth, client.bottom - client.top);
}

void CVistrelFrame::ChooseMainAudio(const CDuiString& item) {
    const MainAudioSource* chosen = FindMainAudioSource(item);
    if (!chosen) return;
    if (chosen->source != m_nMainAudioSel) {
        SetSourceBit(kSourceSystemSound, chosen->systemSound);
        SetSourceBit(kSourceMicrophone, chosen->microphone);
        WriteMainAudioSel(chosen->source);
        m_nMainAudioSel = chosen->source;
    }
    // The click is still being handed out by the menu: it closes by message.
    if (m_pMainAudioMenu) m_pMainAudioMenu->Close();
    if (m_pMainAudioTxt) m_pMainAudioTxt->SetText(chosen->caption);
    if (m_pMainAudioTxtR && chosen->source != 4) m_pMainAudioTxtR->SetText(chosen->caption);
    ShowNoAudio(chosen->source == 4);
}

// Open: the open-list images, 858 x 760, centred top to bottom in the work area
// and kept inside it sideways. Closed: the closed-list images, 858 x 300 in place.
void CVistrelFrame::ToggleFileLists() {
    const bool opening = !IsOptionSelected(m_pBtnVideolist);
    SetRecordButtonSkins(opening);
    if (!opening) {
        MoveMainWindow(0, 0, kMainWindowWidth, kMainWindowHeight, false);
        return;
    }
    MoveMainWindow(0, 0, kMainWindowWidth, kMainWindowOpenHeight, false);
    RECT window = {};
    GetWindowRect(m_hWnd, &window);
    const POINT pt = PlaceWindowForOpenLists(window, GetWorkAreaInset());
    MoveMainWindow(pt.x, pt.y, kMainWindowWidth, kMainWindowOpenHeight, true);
}

void CVistrelFrame::ShowListPage(bool videos) {
    if (!m_pListVideo || !m_pListPic) return;
    m_pListVideo->SetVisible(videos);
    m_pListPic->SetVisible(!videos);
}

CToolbarWnd* CVistrelFrame::LiveToolbar() const {
    HWND toolbar = ToolbarWindow();
    return toolbar && IsWindow(toolbar) ? m_pToolbarWnd : nullptr;
}
