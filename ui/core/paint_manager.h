// CPaintManagerUI: one per window. It owns the window's control tree, lays it
// out, paints it (double-buffered, or as a per-pixel layered window), turns
// window messages into control events and notifications, and keeps the
// window's fonts, images, default attributes, option groups and control timers.
//
// Its static part holds what every window shares: the program instance, where
// the skin comes from (SetResourceType, SetResourceZip, SetResourcePath), the
// shared image cache and the message loop.
//
// A window that does not use WindowImplBase drives a manager itself:
//   m_pm.Init(hWnd);
//   CControlUI* root = CDialogBuilder().Create(L"x.xml", nullptr, this, &m_pm);
//   m_pm.AttachDialog(root); m_pm.AddNotifier(this);
//   ... in the window procedure: if (m_pm.MessageHandler(msg, w, l, lRes)) return lRes;
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "ui/base/ui_defs.h"

namespace DuiLib {

struct MenuCmd;

class CPaintManagerUI {
public:
    CPaintManagerUI();
    ~CPaintManagerUI();
    CPaintManagerUI(const CPaintManagerUI&) = delete;
    CPaintManagerUI& operator=(const CPaintManagerUI&) = delete;

    // Binds the manager to its window (call from WM_CREATE).
    void Init(HWND hWnd);
    HWND GetPaintWindow() const { return m_hWndPaint; }
    // A DC of the window for measuring text (not for painting).
    HDC GetPaintDC() const { return m_hDcPaint; }
    // The double buffer: a 32-bit top-down DIB of the client size holding the
    // last frame painted (premultiplied ARGB for layered windows).
    HDC GetPaintOffscreenDC() const { return m_hDcOffscreen; }
    HBITMAP GetPaintOffscreenBitmap() const { return m_hbmpOffscreen; }
    const BYTE* GetPaintOffscreenBits() const { return m_pOffscreenBits; }
    SIZE GetPaintOffscreenSize() const { return m_szOffscreen; }
    POINT GetMousePos() const { return m_ptLastMousePos; }
    SIZE GetClientSize() const;

    // Window attributes of the layout (the Window tag).
    SIZE GetInitSize() const { return m_szInitWindowSize; }
    void SetInitSize(int cx, int cy);
    const RECT& GetSizeBox() const { return m_rcSizeBox; }
    void SetSizeBox(const RECT& rc) { m_rcSizeBox = rc; }
    // left, top: insets; right: inset from the right edge; bottom: the band's
    // height (negative: the whole height).
    const RECT& GetCaptionRect() const { return m_rcCaption; }
    void SetCaptionRect(const RECT& rc) { m_rcCaption = rc; }
    SIZE GetRoundCorner() const { return m_szRoundCorner; }
    void SetRoundCorner(int cx, int cy) { m_szRoundCorner = {cx, cy}; }
    SIZE GetMinInfo() const { return m_szMinWindow; }
    void SetMinInfo(int cx, int cy) { m_szMinWindow = {cx, cy}; }
    SIZE GetMaxInfo() const { return m_szMaxWindow; }
    void SetMaxInfo(int cx, int cy) { m_szMaxWindow = {cx, cy}; }

    // Layered (per-pixel alpha) painting: the tree is painted into a
    // premultiplied buffer and shown with UpdateLayeredWindow. Pixels with alpha
    // 0 let the mouse through; give "empty" areas that must catch it alpha 1.
    bool IsLayered() const { return m_bLayered; }
    void SetLayered(bool bLayered);
    // The layout's bktrans: the same per-pixel layered painting.
    void SetBackgroundTransparent(bool bTrans) { SetLayered(bTrans); }
    BYTE GetLayeredOpacity() const { return m_nOpacity; }
    // Whole-window opacity; on a window that is not layered it uses the
    // system's constant-alpha layering.
    void SetLayeredOpacity(BYTE nOpacity);
    // A layered window whose owner pushes its own bitmap (UpdateLayeredWindow
    // from a canvas of its own): paint, invalidate and resize then never paint
    // the control tree over it. The tree still lays out and takes input.
    void SetOwnerPaintsLayered(bool bOwnerPaints) { m_bOwnerPaintsLayered = bOwnerPaints; }
    bool IsOwnerPaintsLayered() const { return m_bOwnerPaintsLayered; }
    // A layered window that repaints only what changed: Invalidate(rect) and
    // WM_PAINT collect rectangles, and the next paint clears and paints just
    // those in the kept buffer and hands the system their bounds as the dirty
    // rectangle (UpdateLayeredWindowIndirect). Invalidate() and a new size
    // still paint it all. Off by default: then every paint is a whole one.
    void SetLayeredPartialPaint(bool bPartial) { m_bLayeredPartial = bPartial; }
    bool IsLayeredPartialPaint() const { return m_bLayeredPartial; }
    // Which paint of the window is under way (or was the last): one number per
    // paint, the same for every rectangle a partial paint goes through.
    UINT GetPaintSerial() const { return m_nPaintSerial; }

    // Repaint and relayout.
    void Invalidate();
    void Invalidate(const RECT& rcItem);
    void NeedUpdate() { m_bUpdateNeeded = true; }
    bool IsUpdateNeeded() const { return m_bUpdateNeeded; }
    // Lays the tree out now if anything asked for it (painting does this too).
    void UpdateLayout();

    // The control tree.
    bool AttachDialog(CControlUI* pControl);
    CControlUI* GetRoot() const { return m_pRoot; }
    // Gives a subtree this manager and runs its controls' Init.
    bool InitControls(CControlUI* pControl, CControlUI* pParent = nullptr);
    // Forgets every reference to a control that is going away (focus, hover,
    // capture, timers, groups).
    void ReapObjects(CControlUI* pControl);
    // Deletes a removed control once the event being handled is finished.
    void AddDelayedCleanup(CControlUI* pControl);
    bool IsDispatching() const { return m_nDispatchDepth > 0; }

    // Lookup. By name: the first control of that name in the tree, hidden ones
    // included; null when the layout has none.
    CControlUI* FindControl(POINT pt) const;
    CControlUI* FindControl(LPCTSTR pstrName) const;
    CControlUI* FindSubControlByPoint(CControlUI* pParent, POINT pt) const;
    CControlUI* FindSubControlByName(CControlUI* pParent, LPCTSTR pstrName) const;
    CControlUI* FindSubControlByClass(CControlUI* pParent, LPCTSTR pstrClass, int iIndex = 0);

    // Notifications: to the sender's OnNotify delegates first, then to every notifier.
    bool AddNotifier(INotifyUI* pControl);
    bool RemoveNotifier(INotifyUI* pControl);
    void SendNotify(TNotifyUI& Msg, bool bAsync = false);
    void SendNotify(CControlUI* pControl, LPCTSTR pstrMessage, WPARAM wParam = 0, LPARAM lParam = 0,
                    bool bAsync = false);
    // Hands a notification to this manager's notifiers only (a pop-up passing
    // its controls' notifications on to the window that opened it).
    void ForwardNotify(TNotifyUI& Msg);

    // Message filters: pre-message filters see queued input before dispatch
    // (CPaintManagerUI::TranslateMessage); message filters see every message
    // reaching MessageHandler first.
    bool AddPreMessageFilter(IMessageFilterUI* pFilter);
    bool RemovePreMessageFilter(IMessageFilterUI* pFilter);
    bool AddMessageFilter(IMessageFilterUI* pFilter);
    bool RemoveMessageFilter(IMessageFilterUI* pFilter);
    bool PreMessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lRes);
    // Handles a window message for the tree; true when it was taken.
    bool MessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lRes);

    // Focus, capture, tab order.
    CControlUI* GetFocus() const { return m_pFocus; }
    void SetFocus(CControlUI* pControl, bool bFocusWnd = true);
    bool SetNextTabControl(bool bForward = true);
    void SetCapture();
    void ReleaseCapture();
    bool IsCaptured() const { return m_bMouseCapture; }

    // Control timers: delivered as UIEVENT_TIMER with the control's own id;
    // they never share ids with the window's SetTimer timers.
    bool SetTimer(CControlUI* pControl, UINT nTimerID, UINT uElapse);
    bool KillTimer(CControlUI* pControl, UINT nTimerID);
    void KillTimer(CControlUI* pControl);
    void RemoveAllTimers();

    // Option groups (Options, CheckBoxes and custom selectable controls).
    bool AddOptionGroup(LPCTSTR pStrGroupName, CControlUI* pControl);
    const std::vector<CControlUI*>* GetOptionGroup(LPCTSTR pStrGroupName) const;
    void RemoveOptionGroup(LPCTSTR pStrGroupName, CControlUI* pControl);
    void RemoveAllOptionGroups();

    // Fonts: index -1 (or an unknown index) is the default font.
    int AddFont(int id, LPCTSTR pStrFontName, int nSize, bool bBold, bool bUnderline, bool bItalic);
    HFONT GetFont(int index);
    TFontInfo* GetFontInfo(int index);
    void SetDefaultFont(LPCTSTR pStrFontName, int nSize, bool bBold, bool bUnderline, bool bItalic);
    TFontInfo* GetDefaultFontInfo();
    DWORD GetDefaultFontColor() const { return m_dwDefaultFontColor; }
    void SetDefaultFontColor(DWORD dwColor) { m_dwDefaultFontColor = dwColor; }
    DWORD GetDefaultDisabledColor() const { return m_dwDefaultDisabledColor; }
    void SetDefaultDisabledColor(DWORD dwColor) { m_dwDefaultDisabledColor = dwColor; }
    DWORD GetDefaultSelectedBkColor() const { return m_dwDefaultSelectedBkColor; }
    void SetDefaultSelectedBkColor(DWORD dwColor) { m_dwDefaultSelectedBkColor = dwColor; }

    // Images. GetImageEx finds a named image of this window (AddImage), then
    // one of the shared cache, else loads the skin file into the shared cache.
    // The records stay owned by the caches.
    const TImageInfo* GetImage(LPCTSTR bitmap) const;
    const TImageInfo* GetImageEx(LPCTSTR bitmap, LPCTSTR type = nullptr, DWORD mask = 0);
    const TImageInfo* AddImage(LPCTSTR bitmap, LPCTSTR type = nullptr, DWORD mask = 0);
    // Adds a bitmap made in memory under a name (usable in image strings as
    // file='name'); the manager takes ownership of hBitmap. Replaces an image
    // of the same name.
    const TImageInfo* AddImage(LPCTSTR bitmap, HBITMAP hBitmap, int iWidth, int iHeight, bool bAlpha);
    bool RemoveImage(LPCTSTR bitmap);
    void RemoveAllImages();
    static void RemoveAllSharedImages();

    // Default attribute lists per control tag, and named styles (style="name").
    void AddDefaultAttributeList(LPCTSTR pStrControlName, LPCTSTR pStrControlAttrList);
    LPCTSTR GetDefaultAttributeList(LPCTSTR pStrControlName) const;
    void AddStyle(LPCTSTR pStrName, LPCTSTR pStrAttrList);
    LPCTSTR GetStyle(LPCTSTR pStrName) const;

    // A pop-up (a combo's drop-down, a menu) falls back to the fonts, named
    // images, default attributes and styles of the window that opened it.
    void SetResourceParent(CPaintManagerUI* pParent);
    CPaintManagerUI* GetResourceParent() const { return m_pResourceParent; }

    // The program and its skin.
    static HINSTANCE GetInstance();
    static CDuiString GetInstancePath();  // the program's folder, ending in '\'
    static CDuiString GetCurrentPath();
    static HINSTANCE GetResourceDll();
    static CDuiString GetResourcePath();
    static int GetResourceType();
    static void SetInstance(HINSTANCE hInst);
    static void SetCurrentPath(LPCTSTR pStrPath);
    static void SetResourceDll(HINSTANCE hInst);
    static void SetResourcePath(LPCTSTR pStrPath);
    // UILIB_ZIPRESOURCE (4): the skin is a ZIP in memory (a program resource).
    static void SetResourceType(int nType);
    // The ZIP's bytes are copied; false when they are not a ZIP archive.
    static bool SetResourceZip(LPVOID pVoid, unsigned int len, LPCSTR password = nullptr);
    // A ZIP file below the resource path (UILIB_ZIP).
    static bool SetResourceZip(LPCTSTR pstrZip, LPCSTR password = nullptr);

    // Runs the message loop until WM_QUIT.
    static void MessageLoop();
    // Told by MessageLoop of each message whose handling took at least thresholdMs
    // (the message and the time, ms); an empty notice watches nothing. UI thread.
    using SlowMessageNotice = std::function<void(const MSG& msg, double ms)>;
    static void SetSlowMessageNotice(double thresholdMs, SlowMessageNotice notice);
    // Gives the pre-message filters of the message's window a look; true when
    // one took it (do not dispatch it then).
    static bool TranslateMessage(const LPMSG pMsg);
    // Frees what the library keeps for the process (shared images, the skin ZIP, GDI+).
    static void Term();

    // Frees a WM_MENUCLICK command record (wParam of the message).
    static void DeleteMenuCmd(MenuCmd* pCmd);

private:
    void OnPaint();
    void PaintLayered();
    void PaintTree(HDC hDC, const RECT& rcPaint);
    bool EnsureOffscreen(int cx, int cy);
    void FreeOffscreen();
    void LayoutRoot();
    void RequestLayeredPaint();
    void AddLayeredDirty(const RECT& rc);
    bool PaintLayeredDirty(SIZE size, RECT* bounds);
    void ApplyLayeredStyle();

    bool HandleMouse(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lRes);
    bool HandleKeys(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lRes);
    void SetHover(CControlUI* pControl, const TEventUI& base);
    void DispatchEvent(CControlUI* pControl, TEventUI& event);
    TEventUI MakeEvent(int type, POINT pt, WPARAM wParam, LPARAM lParam) const;
    void ShowToolTip(CControlUI* pControl);
    void HideToolTip();
    void EndDispatch();

    friend class CDispatchScope;
    static void CALLBACK TimerProc(HWND, UINT, UINT_PTR idEvent, DWORD);

    HWND m_hWndPaint = nullptr;
    HDC m_hDcPaint = nullptr;
    HDC m_hDcOffscreen = nullptr;
    HBITMAP m_hbmpOffscreen = nullptr;
    HGDIOBJ m_hOldOffscreen = nullptr;
    BYTE* m_pOffscreenBits = nullptr;
    SIZE m_szOffscreen = {0, 0};
    HWND m_hwndTooltip = nullptr;
    CControlUI* m_pTooltipControl = nullptr;

    CPaintManagerUI* m_pResourceParent = nullptr;
    CControlUI* m_pRoot = nullptr;
    CControlUI* m_pFocus = nullptr;
    CControlUI* m_pEventHover = nullptr;
    CControlUI* m_pEventClick = nullptr;
    bool m_bMouseTracking = false;
    bool m_bMouseCapture = false;
    bool m_bUpdateNeeded = true;
    bool m_bFirstLayout = true;
    bool m_bLayered = false;
    bool m_bLayeredPending = false;
    bool m_bOwnerPaintsLayered = false;
    bool m_bLayeredPartial = false;
    bool m_bLayeredAll = true;         // the next layered paint paints everything
    std::vector<RECT> m_layeredDirty;  // client rectangles for the next partial paint
    bool m_bConstantAlpha = false;
    BYTE m_nOpacity = 255;
    int m_nDispatchDepth = 0;
    UINT m_nPaintSerial = 0;
    std::shared_ptr<bool> m_alive;
    POINT m_ptLastMousePos = {-1, -1};

    SIZE m_szInitWindowSize = {0, 0};
    SIZE m_szMinWindow = {0, 0};
    SIZE m_szMaxWindow = {0, 0};
    SIZE m_szRoundCorner = {0, 0};
    RECT m_rcSizeBox = {0, 0, 0, 0};
    RECT m_rcCaption = {0, 0, 0, 0};

    std::vector<INotifyUI*> m_notifiers;
    std::vector<IMessageFilterUI*> m_preMessageFilters;
    std::vector<IMessageFilterUI*> m_messageFilters;
    std::vector<CControlUI*> m_delayedCleanup;
    std::map<CDuiString, std::vector<CControlUI*>> m_optionGroups;
    std::map<int, TFontInfo> m_fonts;
    TFontInfo m_defaultFont;
    std::map<CDuiString, TImageInfo*> m_images;
    std::map<CDuiString, CDuiString> m_defaultAttrs;
    std::map<CDuiString, CDuiString> m_styles;
    DWORD m_dwDefaultFontColor = 0xFF000000;
    DWORD m_dwDefaultDisabledColor = 0xFFA7A6AA;
    DWORD m_dwDefaultSelectedBkColor = 0xFFBAE4FF;
};

}  // namespace DuiLib
