// CVistrelFrame: the program's one main window ("main.xml"). It owns the recorder,
// the tray icon and the windows it opens, and every other window and thread of the
// program reaches it through window messages (custom_messages.h).
//
// One class, its operations split over files by concern:
//   frame_lifetime.cpp   construction, destruction, the destroy path
//   frame_init.cpp       InitWindow and its steps (controls, ini state, first area)
//   frame_messages.cpp   HandleMessage, HandleCustomMessage, timers
//   frame_recording.cpp  the recorder: creation and stopping a recording
//   frame_region_edge.cpp  the mouse against the region's edges, forced cursors, top-most
//   frame_utils.cpp      small utilities (taskbar, work area, folders, conversions)
//   frame_windows.cpp    the windows the frame owns and their slots
// Whoever adds to the frame adds a file of its own (commands, lists, devices, ...).
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "duilib.h"
#include "monitor_list.h"
#include "progress_board.h"
#include "toolbar_observer.h"

class CProgressThread;
class CVistreler;
// Windows the frame owns, made by their own folders.
class CToolbarWnd;       // recording toolbar (deletes itself with its window)
class CCountdownWnd;     // countdown before a recording (deletes itself with its window)
class CSelAreaWnd;       // region frame over the desktop
class CDrawBoardWnd;     // drawing board
class RecordSettingDlg;  // settings dialog

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
};
constexpr UINT_PTR kNoTimer = static_cast<UINT_PTR>(-1);

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

    // --- the recording (frame_recording.cpp) ---
    // A fresh recorder as every recording starts from.
    void CreateRecorder();
    // ToolbarObserver: stops a running recording and finishes its file (a second
    // stop only logs); the toolbar has paused or resumed.
    void onStopRecord() override;
    void onRecordStateChanged(int state) override;

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
    void ForgetWindow(W* window) { ForgetWindowAddress(static_cast<const void*>(window)); }
    // The windows of the owned window objects; null while there is none.
    HWND ToolbarWindow() const;
    HWND SelAreaWindow() const;

    // --- messages (frame_messages.cpp) ---
    // Messages HandleCustomMessage leaves at once to the default handling.
    static bool IsPassThroughMessage(UINT uMsg);

    // What the frame holds, for the code that grows it and for tests.
    CVistreler* Recorder() const { return m_vistreler.get(); }
    const std::vector<MonitorInfo>& Monitors() const { return m_monitors; }
    const RECT& MonitorUnion() const { return m_rcMonitorUnion; }
    int MainAudioChoice() const { return m_mainAudioSel; }
    SIZE CustomAreaSize() const { return {m_selAreaWidth, m_selAreaHeight}; }
    bool IsTrayIconShown() const { return m_trayIcon.IsVisible(); }
    const CProgressThread* ProgressThread() const { return m_progressThread.get(); }
    CProgressBoard& ProgressBoard() { return m_progressBoard; }

protected:
    LPCTSTR GetWindowClassName() const override;
    UINT GetClassStyle() const override;
    DuiLib::CDuiString GetSkinFile() override;
    LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) override;
    void InitWindow() override;
    LRESULT OnDestroy(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;
    LRESULT HandleCustomMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;
    DuiLib::CControlUI* CreateControl(LPCTSTR pstrClass) override;
    // Never handed to a list: supplies no text.
    LPCTSTR GetItemText(DuiLib::CControlUI* pList, int iItem, int iSubItem) override;

private:
    // InitWindow's steps (frame_init.cpp).
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
    void OnTimer(UINT_PTR id);
    void OnHotkeyTipTimer();

    // Window placement while recording (frame_utils.cpp).
    bool IsParked() const;
    void Park();
    void Unpark();

    void ForgetWindowAddress(const void* window);

    // Owned windows. Those that delete themselves clear their slot (ForgetWindow).
    CToolbarWnd* m_pToolbarWnd = nullptr;
    std::unique_ptr<CVistreler> m_vistreler;  // made in InitWindow, replaced after every stop
    CCountdownWnd* m_pCountdownWnd = nullptr;
    std::unique_ptr<CSelAreaWnd> m_pSelAreaWnd;  // its window goes with the main window's
    RecordSettingDlg* m_pSettingDlg = nullptr;
    CDrawBoardWnd* m_pDrawBoardWnd = nullptr;

    UINT_PTR m_timer1 = kNoTimer;  // set only while kNoTimer
    UINT_PTR m_timer2 = kNoTimer;
    UINT_PTR m_timer3 = kNoTimer;
    bool m_bSoundEnabled = true;    // cleared by a scheduled task without sound
    bool m_bToolbarShown = true;  // the toolbar comes back when the window is minimised while recording
    int m_mainAudioSel = 0;       // [Info] MainAudioSel as read at start
    RECT m_rcSavedWindow = {};    // where the window stood before it was parked
    int m_screenWidth = 0;
    int m_screenHeight = 0;
    int m_selAreaWidth = 0;   // size of a new custom area ([SelArea])
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

    // Controls found in InitWindow (owned by the layout; null when it lacks them).
    DuiLib::CListUI* m_pVideoList = nullptr;    // "listview"
    DuiLib::CListUI* m_pPictureList = nullptr;  // "listview_s"
    DuiLib::COptionUI* m_pOptVideoInfo = nullptr;
    DuiLib::COptionUI* m_pOptPicInfo = nullptr;
    DuiLib::CControlUI* m_pRenameEdit = nullptr;
    DuiLib::CControlUI* m_pSwitch2 = nullptr;
    DuiLib::COptionUI* m_pVolume = nullptr;
    DuiLib::COptionUI* m_pMic = nullptr;

    // The running recording's progress (seconds, split counters, auto-stop options)
    // shared with the progress thread, which is stopped before the settings go.
    CProgressBoard m_progressBoard;
    std::unique_ptr<CProgressThread> m_progressThread;

    DuiLib::CTrayIcon m_trayIcon;
    std::string m_logFolder;  // code page 936
    std::string m_logFile;
};
