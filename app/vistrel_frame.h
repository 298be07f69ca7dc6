// CVistrelFrame: the program's one main window ("main.xml"). It owns the recorder,
// the tray icon and the windows it opens, and every other window and thread of the
// program reaches it through window messages (custom_messages.h).
//
// One class, its operations split over files by concern:
//   frame_lifetime.cpp   construction, destruction, the destroy path
//   frame_init.cpp       InitWindow and its steps (controls, ini state, first area)
//   frame_messages.cpp   HandleMessage, HandleCustomMessage (the message hub), timers
//   frame_hub.cpp        the hub's window and area messages (picker, hook, tray, ...)
//   frame_hotkeys.cpp    WM_HOTKEY by the hotkeys' atom ids
//   frame_settings.cpp   the settings dialog
//   frame_plan_start.cpp a scheduled task's start (WM_PLAN_START_RECORD)
//   frame_record_start.cpp  the start of a recording: checks, InitRecord, timers 1 to 3
//   frame_recording.cpp  the recorder: pause, stop, split, progress, completion
//   frame_devices.cpp    capture devices, sound sliders and record-state visuals
//   frame_click.cpp      the click table: every control name and its command
//   frame_commands.cpp   the commands of the table: modes, webcam, mutes, sound source, lists
//   frame_area.cpp       the area menu, presets, exact size and monitor choice
//   frame_region_edge.cpp  the mouse against the region's edges, forced cursors, top-most
//   frame_utils.cpp      small utilities (taskbar, work area, folders, conversions)
//   frame_windows.cpp    the windows the frame owns and their slots
// Whoever adds to the frame adds a file of its own (commands, lists, ...).
//
// A recording: OnClickStartRecord (or a scheduled start) checks, has the recorder
// opened on a worker and shows the countdown (timer 1); the recording runs from timer 1
// until onStopRecord, which closes the file and makes a fresh recorder. Each closed
// file is made whole on its recorder's worker and listed when WM_RECORDING_FINISHED
// comes; a stopped recorder lives on until then. While armed or running no second
// start is taken.
#pragma once

#include <windows.h>

#include <array>
#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "app/capture_devices.h"
#include "app/progress/power_actions.h"
#include "app/progress/progress_board.h"
#include "app/progress/progress_view.h"
#include "app/recorder_opening.h"
#include "app/recording_ui/toolbar_observer.h"
#include "common/audio_endpoints.h"
#include "common/monitor_list.h"
#include "common/record_request.h"
#include "ui/duilib.h"

class CFileLists;
class CProgressThread;
class CRecordingFinisher;
struct FinishedFile;
class CSelfDeletingWnd;
class CVistreler;
// Windows the frame owns, made by their own folders.
class CToolbarWnd;       // recording toolbar (deletes itself with its window)
class CCountdownWnd;     // countdown before a recording (deletes itself with its window)
class CSelAreaWnd;       // region frame over the desktop
class CDrawBoardWnd;     // drawing board
class RecordSettingDlg;  // settings dialog
class CCameraWnd;        // webcam preview (deletes itself with its window)

constexpr wchar_t kMainWindowTitle[] = L"Tessel录屏";
constexpr int kMainWindowWidth = 858;
constexpr int kMainWindowHeight = 300;      // the list area closed
constexpr int kMainWindowOpenHeight = 760;  // the list area open
// WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX: no maximise box.
constexpr DWORD kMainWindowStyle = 0x10CE0000;
constexpr UINT kProgramIconId = 101;
constexpr int kParkedPosition = -10000;  // where the window waits off-screen while recording

// The main window's own timers (SetTimer ids).
enum FrameTimer : UINT_PTR {
    kTimerCountdown = 1,        // the countdown ends, recording begins
    kTimerDeviceControls = 2,   // the device controls are enabled again
    kTimerBorderAnimation = 3,  // the region frame's border animation step
    kTimerHotkeyTip = 5,        // the hotkey conflict tip after start-up
    kTimerExitWaiting = 6,      // Exit waits for the open dialogs' loops to end
    kTimerPlanTaskTip = 7,      // a task that did not record is told once no recording runs
};
constexpr UINT kCountdownMs = 3000;       // timer 1 with the countdown setting on
constexpr UINT kNoCountdownMs = 1000;     // and off
constexpr UINT kDeviceControlsMs = 4000;  // timer 2
constexpr UINT kBorderAnimationMs = 50;   // timer 3
constexpr UINT_PTR kNoTimer = static_cast<UINT_PTR>(-1);

// The name of the default device in the sound device lists.
constexpr wchar_t kDefaultDeviceName[] = L"默认";

// The camera tile "sel_camera": no camera, camera off, camera on.
constexpr wchar_t kCameraTileNone[] = L"file='main/camera_sel.png' source='0,0,130,32'";
constexpr wchar_t kCameraTileOff[] = L"file='main/camera_sel.png' source='0,32,130,64'";
constexpr wchar_t kCameraTileOn[] = L"file='main/camera_sel.png' source='0,64,130,96'";

// Whether names holds name (a capture device the recording needs is present).
bool IsInAudioVec(const std::string& name, const std::vector<std::string>& names);

class CVistrelFrame : public DuiLib::WindowImplBase, public ToolbarObserver, public DuiLib::IListCallbackUI {
public:
    // Opens the log file, sets the recording state to stopped, makes the program's
    // folder the current one and lists the monitors.
    CVistrelFrame();
    // Deletes the recorder and releases the settings.
    ~CVistrelFrame() override;

    // --- start-up steps of InitWindow (frame_init.cpp) ---
    // [Info] MainAudioSel: the sound sources and the label "btn_main_audio_txt".
    void LoadMainAudioChoice();
    // [SelArea]: the size of a new custom area.
    void LoadSelAreaSize();
    // The first record area and the window centred on the screen.
    void PlaceInitialArea();
    void CreateSelAreaWindow();

    // --- the start of a recording (frame_record_start.cpp) ---
    // The record button, the record hotkey and record-at-start: the checks, the
    // output folder, the recorder initialised and the countdown armed. Refused
    // (logged) while a recording runs or counts down.
    void OnClickStartRecord();
    // The checks of the chosen sources and devices and the recorder's opening made
    // ready (EnterRecordingLayout runs it on a worker, OnRecorderOpened hears its
    // end), timer 2 set; false (logged, told to the user) when a check fails. A
    // recorder that cannot be opened is told by FailRecordStart.
    bool InitRecord();
    // The progress attached; the capture threads drop what they read until timer 1
    // makes the state recording.
    void StartRecord();
    // Record-at-start: with no mode chosen yet the whole screen is recorded.
    void OnRecordAtStart();
    // The countdown window, when the settings ask for one.
    void ShowCountdown();
    // The recording toolbar placed against the area (timer 1).
    void CreateRecordToolbar();
    // Whether a recording runs or counts down: a start is refused then.
    bool IsRecordingUnderWay() const;

    // --- the recording (frame_recording.cpp) ---
    // A fresh recorder as every recording starts from.
    void CreateRecorder();
    // ToolbarObserver: stops a running or counting-down recording and finishes its
    // file (a second stop only logs); the toolbar has paused or resumed.
    void onStopRecord() override;
    void onRecordStateChanged(int state) override;
    // Pause or resume, from "btn_pause" (setButton false: the option toggles itself)
    // and the restart hotkey (setButton true).
    void OnClickBtnPause(bool setButton);
    // The main window's page, buttons and tiles for recording (true) or not.
    void SetRecordingLayout(bool recording);
    // The file the recorder finished last joins the list of recordings.
    // A recorder's worker or the recovery: a file is whole; posted to the UI thread.
    void PostFinishedRecording(const CVistreler* recorder, const FinishedFile& file, bool last);
    void OnRecordingFinished(WPARAM wParam);
    void RetireRecorder();
    // How shutdown and sleep are done after an automatic stop; null: the system's.
    void SetPowerActions(PowerActions* power);

    // --- the message hub's area and window operations (frame_hub.cpp) ---
    // Full-screen mode: the whole desktop (or the chosen monitor) as the area.
    void SelectFullScreen();
    // Starts the area picker "Snapwick.exe" beside the program unless a pick is
    // under way; its answer (WM_COPYDATA) becomes the area. The one way to start it.
    void PickCustomArea();
    // A picker window is shown, or the picker started last still runs.
    bool IsPickUnderWay();
    // Without the picker: the region frame shown around the area for the mouse.
    void ShowRegionFrameForPick();
    // Lets go of the handle of the picker started last.
    void ForgetPicker();

    // --- the record area commands (frame_area.cpp) ---
    // The area menu ("sel_set") at its arrow, or at a screen point kept inside the desktop.
    void OpenAreaMenu();
    void ShowAreaMenu(int x, int y);
    // A preset item ("menu_sel_hd" ... "menu_sel_t3") of the open area menu chosen.
    void ChooseAreaPreset(const DuiLib::CDuiString& item);
    // "menu_sel_full": the whole desktop recorded as a region.
    void ChooseWholeDesktop();
    // "menu_sel_custom": the region size dialog, then ApplyExactSize of its answer.
    void ChooseExactSize();
    // A size confirmed in the region size dialog, centred like a preset.
    void ApplyExactSize(SIZE size);
    // The rectangle for a size text such as "1280x720", centred like a new area;
    // empty when the text holds no "x".
    RECT PresetRect(LPCTSTR text) const;
    // Region mode after an area was chosen.
    void SelectRegionMode();
    // The monitor menu ("monitor_set"), opened only with more than one monitor.
    void OpenMonitorMenu();
    // A monitor of the monitor menu chosen by its name ("显示器 n").
    void ChooseMonitor(const std::wstring& name);
    // The area menu while it is open.
    DuiLib::CMenuWnd* AreaMenu() const { return m_pSelMenu; }
    DuiLib::CMenuWnd* MonitorMenu() const { return m_pMonitorMenu; }
    const std::wstring& ChosenMonitor() const { return m_strMonitorSel; }
    int AspectModeChoice() const { return m_aspectMode; }

    // The settings dialog on page (0 the top, 7 the hotkeys), modal; brings an open one forward (frame_settings.cpp).
    void ShowSettingDialog(int page);
    RecordSettingDlg* SettingDialog() const { return m_pSettingDlg; }
    // The close button's request: the close prompt unless the user asked not to
    // be asked, then quit or hide to the tray as chosen (frame_menus.cpp).
    void OnMainCloseRequest();
    // The sound device dialog ("sys_audio_set").
    void ShowAudioSettingDialog();
    // The auto-stop dialog ("auto_stop"); OK makes its options the recording's.
    void ShowAutoStopDialog();
    // The lists' right-click menu while it is open.
    DuiLib::CMenuWnd* ListMenu() const { return m_pListMenu; }

    // The tray menu while it is open.
    DuiLib::CMenuWnd* TrayMenu() const { return m_pTrayMenu; }
    // The sound-source menu while it is open.
    DuiLib::CMenuWnd* MainAudioMenu() const { return m_pMainAudioMenu; }

    // --- devices and sound controls (frame_devices.cpp) ---
    // The device lists filled from source, the camera and sound controls set to
    // match. Called once by InitWindow with the system's devices.
    void InitDevices(CaptureDeviceSource& source);
    // DirectShow capture filters (narrow names, ANSI code page) of one kind.
    void EnumDevice(std::vector<std::string>& list, bool audio, CaptureDeviceSource& source);
    // "默认" followed by the endpoint names of that direction.
    void GetAudioDevices(std::vector<std::wstring>& list, EndpointDirection direction, bool activeOnly,
                         CaptureDeviceSource& source);
    // Delegates of the sliders' notifications and of the device menus' items.
    bool OnVolumeSliderClick(DuiLib::TNotifyUI* msg);
    bool OnMicSliderClick(DuiLib::TNotifyUI* msg);
    bool OnSysDeviceMenuClick(DuiLib::TNotifyUI* msg);
    bool OnMicDeviceMenuClick(DuiLib::TNotifyUI* msg);
    bool OnCameraMenuClick(DuiLib::TNotifyUI* msg);
    // The device menus at their arrows, opened only when they have entries
    // (frame_device_menus.cpp).
    void OpenCameraMenu();
    void OpenMicMenu();
    void OpenVolumeMenu();
    DuiLib::CMenuWnd* CameraMenu() const { return m_pCameraMenu; }
    DuiLib::CMenuWnd* MicMenu() const { return m_pMicMenu; }
    DuiLib::CMenuWnd* VolumeMenu() const { return m_pVolumeMenu; }
    const std::wstring& ChosenCamera() const { return m_strCameraSel; }
    // The slots themselves, cleared by a menu as it goes.
    DuiLib::CMenuWnd* const& CameraMenuSlot() const { return m_pCameraMenu; }
    DuiLib::CMenuWnd* const& MicMenuSlot() const { return m_pMicMenu; }
    DuiLib::CMenuWnd* const& VolumeMenuSlot() const { return m_pVolumeMenu; }
    // Where the sliders' volumes go; null: the endpoints' own master volume.
    void SetVolumeSetter(EndpointVolumeSetter* setter);
    // The device and camera controls usable (true) or not while recording.
    void SetDeviceControlsEnabled(bool enable);
    // The camera option off and its tile back to "camera off".
    void ResetCameraChoice();
    // Turns the camera preview off when it is on.
    void CloseCamera();
    void ShowNoAudio(bool show);
    void UpdateVoiceMeter(int level, bool recordingPanel);
    // The list, start and stop buttons' images for the lists open (alternative) or closed.
    void SetRecordButtonSkins(bool alternative);
    // Normal, hot and pushed images; selected, when given, for an option.
    static void SetButtonImages(DuiLib::CButtonUI* button, LPCTSTR normal, LPCTSTR hot, LPCTSTR selected);
    // The record button shown and the pause and stop buttons hidden, or the other way round.
    void ShowStartButton(bool show);

    // --- the region's edges (frame_region_edge.cpp) ---
    // The part of rect under (x, y): 0 none, 1 to 8 the edges and corners
    // (SelHandle), 9 the move square in the middle; margin m on either side of each
    // edge, strict comparisons. Unless testOnly, forces the matching sizing cursor.
    int HitTestRegionEdge(const RECT& rect, int margin, bool testOnly, int x, int y);
    void ResetSystemCursors();
    void ReplaceSystemCursor(LPCWSTR cursorId, DWORD systemCursorId);
    // Makes the region frame top-most and brings window to the foreground, when
    // the main window is the foreground window.
    void SetWndTopMost(HWND window);
    void RemoveWndTopMost(HWND window);

    // --- utilities (frame_utils.cpp) ---
    // On WM_DESTROY: [SelArea] saved, the mouse hook stopped, the cursors reset.
    void ExitFrame();
    void ShowTaskbar(bool show);
    // The work area moved 8 pixels away from the taskbar.
    RECT GetWorkAreaInset() const;
    // The program's folder in code page 936, with or without its last backslash.
    std::string GetModuleFolder(bool trailingBackslash) const;
    static std::wstring MultiByteToWide(const std::string& text);
    static std::string WideToMultiByte(const std::wstring& text);
    bool HasDeviceChoice() const;
    static std::wstring FindLargestFreeDrive();
    static std::wstring GetAppFilePath(const std::wstring& fileName);
    // SetWindowPos without z-order change or activation; move false keeps the position.
    void MoveMainWindow(int x, int y, int width, int height, bool move);

    // --- owned windows (frame_windows.cpp) ---
    // A window that deletes itself in OnFinalMessage calls this first with itself,
    // so that no slot of the frame points at a window object that is gone.
    template <class W>
    void ForgetWindow(W* window) {
        ForgetWindowAddress(static_cast<const void*>(window));
    }
    // The windows of the owned window objects; null while there is none.
    HWND ToolbarWindow() const;
    HWND SelAreaWindow() const;
    HWND CameraWindow() const;

    // --- messages (frame_messages.cpp) ---
    // Messages HandleCustomMessage leaves at once to the default handling.
    static bool IsPassThroughMessage(UINT uMsg);

    // What the frame holds, for the code that grows it and for tests.
    CVistreler* Recorder() const { return m_vistreler.get(); }
    // Some closed or recovered file is not whole yet, or not yet in the list shown.
    bool FilesBeingFinished() const;
    const std::vector<MonitorInfo>& Monitors() const { return m_monitors; }
    const RECT& MonitorUnion() const { return m_rcMonitorUnion; }
    int MainAudioChoice() const { return m_nMainAudioSel; }
    SIZE CustomAreaSize() const { return {m_selAreaWidth, m_selAreaHeight}; }
    bool IsTrayIconShown() const { return m_trayIcon.IsVisible(); }
    const CProgressThread* ProgressThread() const { return m_progressThread.get(); }
    CProgressBoard& ProgressBoard() { return m_progressBoard; }
    CFileLists* FileLists() const { return m_fileLists.get(); }
    const RecordRequest& PlanTaskParam() const { return plan_task_param_; }
    bool IsSoundEnabled() const { return m_bSoundEnabled; }
    const std::vector<std::string>& VideoDevices() const { return m_vecVideo; }
    const std::vector<std::string>& AudioDevices() const { return m_vecAudio; }
    const std::vector<std::string>& Cameras() const { return m_vecCamera; }
    const std::vector<std::wstring>& SysDevices() const { return vec_sys_devices_; }
    const std::vector<std::wstring>& MicDevices() const { return vec_mic_devices_; }
    const std::wstring& CameraName() const { return m_cameraName; }
    const std::wstring& DefaultMicName() const { return m_defaultMicName; }
    const std::wstring& ChosenMic() const { return m_strMicSel; }
    const std::wstring& ChosenSysDevice() const { return m_strVolumeSel; }

protected:
    LPCTSTR GetWindowClassName() const override;
    UINT GetClassStyle() const override;
    DuiLib::CDuiString GetSkinFile() override;
    LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) override;
    void InitWindow() override;
    LRESULT OnDestroy(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;
    LRESULT HandleCustomMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;
    void OnClick(DuiLib::TNotifyUI& msg) override;
    // A menu item chosen (WM_MENUCLICK with a record of this program's menus).
    void OnMenuCommand(const DuiLib::MenuCmd& cmd);
    // "menu" opens the lists' right-click menu, "scroll" drops a rename under way;
    // the rest as every window (frame_menus.cpp).
    void Notify(DuiLib::TNotifyUI& msg) override;
    DuiLib::CControlUI* CreateControl(LPCTSTR pstrClass) override;
    // Never handed to a list: supplies no text.
    LPCTSTR GetItemText(DuiLib::CControlUI* pList, int iItem, int iSubItem) override;

private:
    // InitWindow's steps (frame_init.cpp).
    // The controls of main.xml into the members below, once.
    void FindMainControls();
    void ApplyMainAudioChoice(int choice);
    void ChooseSoundFromDevices();
    void RegisterFFmpeg();
    void CreateTrayIcon();
    void StartProgressThread();
    void StartMouseHook();
    // The frame's copy of the settings decides whether to record at start.
    void PostRecordAtStartIfSet();

    // Messages (frame_messages.cpp).
    bool OnSysCommandWhileRecording(WPARAM command);
    bool HandleRecordingMessage(UINT uMsg);
    bool HandleWindowMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void OnTimer(UINT_PTR id);
    void OnHotkeyTipTimer();

    // The hub's handlers (frame_hub.cpp, frame_hotkeys.cpp, frame_plan_start.cpp).
    LRESULT OnAreaprobeMouse(WPARAM message, LPARAM record);
    void OnAreaPicked(LPARAM copyData);
    void OnTrayNotify(LPARAM mouseMessage);
    void OnTrayLeftClick();
    void OnTrayRightClick();
    void OnHotkey(WPARAM id);
    void OnApplyRecordArea(WPARAM centre);
    void OnPlanStartRecord(WPARAM request);
    void ApplyPlanArea(const RecordRequest& request);
    void ApplyPlanSound(const RecordRequest& request);
    void ApplyPlanCamera(const RecordRequest& request);
    void ForgetPlannedRequest();
    void TellPlanTaskTip(const wchar_t* text);
    void OnPlanTaskTipTimer();
    // The task list window, modal (frame_plan_tasks.cpp).
    void OpenPlanTaskWindow();
    LRESULT OnShowMainWindow(WPARAM wParam);
    void OnShowSelArea(WPARAM show);
    // The drawing board (frame_draw_board.cpp): made with the recording toolbar,
    // shown and cleared for the drawing toolbar, hidden when recording stops.
    void CreateDrawBoard();
    void HideDrawBoard();
    void DeleteDrawBoard();
    void OnDrawBoardShow(WPARAM show);
    void OnDrawBoardOp(WPARAM tool, LPARAM on);
    void OnRecordScreenshot();
    void OnListDoubleClick(LPARAM point);
    void OnMenuClick(WPARAM record);
    void OnActivate(WPARAM wParam);
    // The main window centred across the area, gap pixels below (or above) it, shown.
    void PlaceMainWindowBesideArea(const RECT& area, int gap, HWND insertAfter);
    // A parked window back at its saved place (top-most while recording); false
    // when it is not parked.
    bool BringParkedWindowBack();
    // Shown, in front, top-most while recording; the region frame too before a recording.
    void ShowMainWindowInFront();
    void ShowSelAreaForMode();
    void ShowSelArea(bool show);
    void HideToolbar();

    // The recording's steps (frame_record_start.cpp, frame_recording.cpp).
    bool EnsureOutputFolder();
    bool ShowGameTip();
    void ShowStartErrorTip();
    void ShowDeviceErrorTip();
    // Why a recording did not start or ended by itself (frame_record_tips.cpp).
    void ShowRecordTip(const wchar_t* text, const wchar_t* windowName);
    void ShowStartFailureTip();
    void CheckWriteFailure();
    void EndForUnwritablePart();
    void ReportListWriteFailure();
    void FinishUnfinishedRecordings();  // frame_unfinished.cpp
    std::string MicrophoneName() const;
    bool SoundOnlyDevicesMissing() const;
    void ArmCountdown();
    void SetStartTimer();
    void EnterRecordingLayout();
    void LeaveRecordingLayout();
    void OnRecorderOpened(WPARAM opening);
    void FailRecordStart();
    void OnCountdownEnd();
    void OnDeviceControlsTimer();
    void StopRecordingWindows();
    void PlaceWindowAfterStop();
    void ResetTimeDigits();
    void OnSplitFile();
    void OnAutoStopReached();
    void OnPlanDurationReached();
    void OnProgressTick();
    void StopByUser();
    // Closes a self-deleting window without hearing from it again, and clears its slot.
    template <class W>
    static void CloseOwnedWindow(W*& slot) {
        CSelfDeletingWnd* window = slot;
        slot = nullptr;
        CloseSelfDeletingWindow(window);
    }
    static void CloseSelfDeletingWindow(CSelfDeletingWnd* window);

    // The area commands' steps (frame_area.cpp).
    void FillAreaMenu();
    void CloseAreaMenu();
    RECT CentreNewArea(SIZE size) const;
    void FillMonitorMenu(DuiLib::CContainerUI* element);
    bool OnMonitorMenuItem(DuiLib::TNotifyUI* msg);

    // The click table's commands (frame_commands.cpp).
    void OnCloseButton();
    void SelectGameMode();
    void SelectSoundOnlyMode();
    void ToggleCamera();
    // Turns the camera on (its capture started): false when there is no camera or
    // it does not start; true and nothing done when it is on already.
    bool OpenCamera();
    // The webcam window in the bottom-right corner, the recorder's preview drawn into it.
    void ShowCameraWindow();
    // The three controls of one sound source: its mute option, volume slider and
    // device menu arrow.
    struct SoundControls {
        DuiLib::COptionUI* option;
        DuiLib::CSliderUI* slider;
        DuiLib::CButtonUI* arrow;
    };
    SoundControls MicControls() const { return {m_pOptMic, m_pSliderMic, m_pMicXia}; }
    SoundControls VolumeControls() const { return {m_pOptVolume, m_pSliderVolume, m_pVolumeXia}; }
    // Mutes a sound source (option not yet selected) or unmutes it, keeping the
    // slider's value across the mute in the slider's user data.
    void ToggleSoundMute(const SoundControls& sound, int32_t sourceBit);
    void OpenMainAudioMenu();
    // An item of the sound-source menu: its sources set, stored, and its caption shown.
    void ChooseMainAudio(const DuiLib::CDuiString& item);
    void ToggleFileLists();
    void ShowListPage(bool videos);
    // The toolbar of the running recording, when its window still exists.
    CToolbarWnd* LiveToolbar() const;

    // The lists' menu, the tray's items and the close request (frame_menus.cpp).
    DuiLib::CListUI* ListInUse() const;
    void OpenListMenu(LPARAM rowControl);
    void SelectAllRows(const DuiLib::CDuiString& itemText);
    void DeleteSelectedRows();
    bool BringWindowBackForMenu();
    void OnTrayExit();
    void OnExitAfterDialogsTimer();

    // The device menus (frame_device_menus.cpp).
    struct DeviceMenu;
    void OpenDeviceMenu(const DeviceMenu& menu);
    void FillDeviceMenu(const DeviceMenu& menu, DuiLib::CContainerUI* element, DuiLib::CMenuWnd* shown);

    // Sliders (frame_devices.cpp).
    bool OnSoundSlider(DuiLib::TNotifyUI* msg, const SoundControls& sound, int32_t sourceBit);
    static void SetSoundControls(bool hasDevices, const SoundControls& sound);
    static void SetSoundControlsEnabled(const SoundControls& sound, bool enabled);
    void SetCameraControls(bool enabled, LPCTSTR tileImage);

    // Steps on the found controls that skip a control the layout lacks (null).
    static bool IsOptionSelected(const DuiLib::COptionUI* option) { return option && option->IsSelected(); }
    static void SetControlEnabled(DuiLib::CControlUI* control, bool enabled) {
        if (control) control->SetEnabled(enabled);
    }
    static void SetControlVisible(DuiLib::CControlUI* control, bool visible) {
        if (control) control->SetVisible(visible);
    }
    RECT FullScreenRect() const;

    // Window placement while recording (frame_utils.cpp).
    bool IsParked() const;
    void Park();
    // Back to the saved place: top-most while recording, else at the top.
    void Unpark();

    void ForgetWindowAddress(const void* window);

    // Owned windows. Those that delete themselves clear their slot (ForgetWindow).
    CToolbarWnd* m_pToolbarWnd = nullptr;
    std::unique_ptr<CVistreler> m_vistreler;  // made in InitWindow, replaced after every stop
    // Stopped recorders whose files are still being made whole.
    std::vector<std::unique_ptr<CVistreler>> m_retiredRecorders;
    std::unique_ptr<CRecordingFinisher> m_recovery;  // recordings found unfinished at the start
    std::atomic<int> m_finishedOnTheWay{0};          // WM_RECORDING_FINISHED posted, not yet handled
    CCountdownWnd* m_pCountdownWnd = nullptr;
    std::unique_ptr<CSelAreaWnd> m_pSelAreaWnd;  // its window goes with the main window's
    RecordSettingDlg* m_pSettingDlg = nullptr;
    CDrawBoardWnd* m_pDrawBoardWnd = nullptr;
    CCameraWnd* m_pCameraWnd = nullptr;  // while the camera is on

    UINT_PTR m_timer1 = kNoTimer;  // set only while kNoTimer
    UINT_PTR m_timer2 = kNoTimer;
    UINT_PTR m_timer3 = kNoTimer;
    bool m_bArmed = false;                     // from a successful start to timer 1 or the stop
    bool m_bStartDue = false;                  // timer 1 came while the recorder was still being opened
    ULONGLONG m_startAskedAt = 0;              // GetTickCount64 when the start was asked for
    RecorderOpening::OpenStep m_openRecorder;  // made by InitRecord, run by EnterRecordingLayout
    RecorderOpening m_opening;                 // the recorder's devices opening on a worker
    bool m_bListTipShown = false;              // "videolist.txt" could not be written: told once
    bool m_bDestroying = false;                // WM_DESTROY came: no more tips
    bool m_bPictureTipShown = false;           // the screen changed its size: told once per recording
    bool m_bSoundEnabled = true;               // false while a scheduled task asks for no sound
    bool m_bToolbarShown = true;               // the toolbar comes back when the window is minimised while recording
    int m_nMainAudioSel = 0;                   // the sound-source menu's choice ([Info] MainAudioSel): 1 to 4
    RECT m_rcSavedWindow = {};                 // where the window stood before it was parked
    int m_selAreaWidth = 0;                    // size of a new custom area ([SelArea])
    int m_selAreaHeight = 0;

    std::vector<MonitorInfo> m_monitors;  // sorted by display number
    RECT m_rcMonitorUnion = {};

    // Capture devices (narrow names as DirectShow spells them) and sound endpoints.
    std::string m_screenCaptureRecorder;  // "screen-capture-recorder"
    std::string m_sysAudioCapturer;       // "virtual-audio-capturer"
    std::vector<std::string> m_vecVideo;
    std::vector<std::string> m_vecAudio;
    std::vector<std::string> m_vecCamera;
    std::vector<std::wstring> vec_sys_devices_;
    std::vector<std::wstring> vec_mic_devices_;
    std::wstring m_cameraName;      // the first camera; the preview opens it
    std::wstring m_defaultMicName;  // the default capture endpoint
    std::wstring m_strVolumeSel;    // chosen in the system-sound menu; empty until then
    std::wstring m_strMicSel;       // chosen in the microphone menu; empty or "默认": the default
    SystemCaptureDevices m_systemDevices;
    CoreAudioEndpoints m_endpoints;
    CoreAudioVolume m_endpointVolume;
    EndpointVolumeSetter* m_volumeSetter = &m_endpointVolume;

    // The recording's request when a scheduled task started it, and the area.
    RecordRequest plan_task_param_;
    struct PlanCamera {
        bool opened = false;  // by a task's start that has not begun yet
        std::wstring previousName;
    } m_planCamera;
    std::wstring m_planTipText;                    // waits for its timer while a recording runs
    RECT m_rcFullScreen = {};                      // what full-screen mode records; empty: the whole desktop
    int m_hitCode = 0;                             // the region handle under the last left press (SelHandle)
    int m_aspectMode = 0;                          // AspectMode of the region: 0 free, 1 4:3, 2 16:9
    DuiLib::CMenuWnd* m_pTrayMenu = nullptr;       // cleared by the menu when it goes
    DuiLib::CMenuWnd* m_pMainAudioMenu = nullptr;  // the sound-source menu, likewise
    DuiLib::CMenuWnd* m_pSelMenu = nullptr;        // the area menu, likewise
    DuiLib::CMenuWnd* m_pMonitorMenu = nullptr;    // the monitor menu, likewise
    DuiLib::CMenuWnd* m_pCameraMenu = nullptr;     // the device menus, likewise
    DuiLib::CMenuWnd* m_pListMenu = nullptr;       // the lists' right-click menu, likewise
    DuiLib::CMenuWnd* m_pMicMenu = nullptr;
    DuiLib::CMenuWnd* m_pVolumeMenu = nullptr;
    std::wstring m_strCameraSel;       // chosen in the camera menu; empty until then
    std::wstring m_strMonitorSel;      // the monitor last chosen; empty at start
    HANDLE m_pickerProcess = nullptr;  // the picker started last, until it answers
    std::unique_ptr<CFileLists> m_fileLists;
    SystemPowerActions m_systemPower;
    PowerActions* m_power = &m_systemPower;

    // Controls of main.xml (app/layouts/main_names.h, main_lists_names.h), found
    // once by FindMainControls; owned by the layout, null when it lacks them.
    DuiLib::CListUI* m_pListVideo = nullptr;
    DuiLib::CListUI* m_pListPic = nullptr;
    DuiLib::COptionUI* m_pOptMic = nullptr;
    DuiLib::CSliderUI* m_pSliderMic = nullptr;
    DuiLib::CButtonUI* m_pMicXia = nullptr;
    DuiLib::COptionUI* m_pOptVolume = nullptr;
    DuiLib::CSliderUI* m_pSliderVolume = nullptr;
    DuiLib::CButtonUI* m_pVolumeXia = nullptr;
    DuiLib::CTabLayoutUI* m_pSwitch = nullptr;  // page 0 the modes, 1 the running recording
    DuiLib::COptionUI* m_pBtnAllScreen = nullptr;
    DuiLib::CButtonUI* m_pMonitorSet = nullptr;
    DuiLib::CButtonUI* m_pSelSet = nullptr;
    DuiLib::COptionUI* m_pBtnPartRecord = nullptr;
    DuiLib::COptionUI* m_pBtnAudioRecord = nullptr;
    DuiLib::COptionUI* m_pCamera = nullptr;
    DuiLib::CLabelUI* m_pSelCamera = nullptr;
    DuiLib::CButtonUI* m_pCameraSet = nullptr;
    DuiLib::CControlUI* m_pAudioNo = nullptr;
    DuiLib::CLabelUI* m_pMainAudioTxt = nullptr;
    DuiLib::CControlUI* m_pAudioNoR = nullptr;
    DuiLib::CLabelUI* m_pMainAudioTxtR = nullptr;
    DuiLib::CButtonUI* m_pMainReturn = nullptr;
    DuiLib::COptionUI* m_pBtnVideolist = nullptr;
    DuiLib::CButtonUI* m_pAutoStop = nullptr;
    DuiLib::CButtonUI* m_pPlanTask = nullptr;
    DuiLib::CButtonUI* m_pStart = nullptr;
    DuiLib::COptionUI* m_pBtnPause = nullptr;
    DuiLib::CButtonUI* m_pBtnStop = nullptr;
    std::array<DuiLib::CControlUI*, 23> m_voicePulses = {};   // the first page's level meter, lowest bar first
    std::array<DuiLib::CControlUI*, 23> m_voiceRPulses = {};  // the recording page's
    CProgressView m_progressView;                             // the time digits and the size label

    // The running recording's progress (seconds, split counters, auto-stop options)
    // shared with the progress thread, which is stopped before the settings go.
    CProgressBoard m_progressBoard;
    std::unique_ptr<CProgressThread> m_progressThread;

    DuiLib::CTrayIcon m_trayIcon;
};
