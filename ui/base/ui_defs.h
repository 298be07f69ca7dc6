// Shared vocabulary of the UI library: event and notification records, control
// state and search flags, the small interfaces windows implement, and the image
// and font records the paint manager hands out.
#pragma once

#include <windows.h>

#include "ui/base/dui_string.h"

namespace DuiLib {

class CControlUI;
class CPaintManagerUI;

// Where layouts and images come from (CPaintManagerUI::SetResourceType).
enum UILIB_RESOURCETYPE {
    UILIB_FILE = 1,         // files below the resource path
    UILIB_ZIP = 2,          // a ZIP file below the resource path
    UILIB_RESOURCE = 3,     // resources of the resource module
    UILIB_ZIPRESOURCE = 4,  // a ZIP held in memory (SetResourceZip), usually a program resource
};

// Events the paint manager hands to CControlUI::DoEvent.
enum EVENTTYPE_UI {
    UIEVENT__FIRST = 1,
    UIEVENT__KEYBEGIN,
    UIEVENT_KEYDOWN,  // chKey = virtual key
    UIEVENT_KEYUP,
    UIEVENT_CHAR,  // chKey = character
    UIEVENT_SYSKEY,
    UIEVENT__KEYEND,
    UIEVENT__MOUSEBEGIN,
    UIEVENT_MOUSEMOVE,
    UIEVENT_MOUSELEAVE,
    UIEVENT_MOUSEENTER,
    UIEVENT_MOUSEHOVER,
    UIEVENT_BUTTONDOWN,
    UIEVENT_BUTTONUP,
    UIEVENT_RBUTTONDOWN,
    UIEVENT_RBUTTONUP,
    UIEVENT_DBLCLICK,
    UIEVENT_CONTEXTMENU,
    UIEVENT_SCROLLWHEEL,  // wParam SB_LINEDOWN (1) when turned towards the user, else SB_LINEUP (0)
    UIEVENT__MOUSEEND,
    UIEVENT_KILLFOCUS,
    UIEVENT_SETFOCUS,
    UIEVENT_WINDOWSIZE,
    UIEVENT_SETCURSOR,
    UIEVENT_TIMER,  // wParam = the control's own timer id
    UIEVENT__LAST,
};

// CControlUI::GetControlFlags.
constexpr UINT UIFLAG_TABSTOP = 0x00000001;     // takes the focus with Tab
constexpr UINT UIFLAG_SETCURSOR = 0x00000002;   // sets the cursor itself (UIEVENT_SETCURSOR)
constexpr UINT UIFLAG_WANTRETURN = 0x00000004;  // handles Enter itself

// CControlUI::FindControl flags.
constexpr UINT UIFIND_ALL = 0x00000000;
constexpr UINT UIFIND_VISIBLE = 0x00000001;
constexpr UINT UIFIND_ENABLED = 0x00000002;
constexpr UINT UIFIND_HITTEST = 0x00000004;
constexpr UINT UIFIND_TOP_FIRST = 0x00000010;
constexpr UINT UIFIND_ME_FIRST = 0x80000000;

// Button states (CButtonUI and friends keep them in m_uButtonState).
constexpr UINT UISTATE_FOCUSED = 0x00000001;
constexpr UINT UISTATE_SELECTED = 0x00000002;
constexpr UINT UISTATE_DISABLED = 0x00000004;
constexpr UINT UISTATE_HOT = 0x00000008;
constexpr UINT UISTATE_PUSHED = 0x00000010;
constexpr UINT UISTATE_READONLY = 0x00000020;
constexpr UINT UISTATE_CAPTURED = 0x00000040;

// Notification types (TNotifyUI::sType).
constexpr LPCTSTR DUI_MSGTYPE_CLICK = L"click";
constexpr LPCTSTR DUI_MSGTYPE_SELECTCHANGED = L"selectchanged";  // wParam 1 selected, 0 not
constexpr LPCTSTR DUI_MSGTYPE_ITEMSELECT = L"itemselect";        // wParam new index, lParam old
constexpr LPCTSTR DUI_MSGTYPE_ITEMCLICK = L"itemclick";
constexpr LPCTSTR DUI_MSGTYPE_ITEMRCLICK = L"itemrclick";
constexpr LPCTSTR DUI_MSGTYPE_ITEMACTIVATE = L"itemactivate";  // a row double-clicked
constexpr LPCTSTR DUI_MSGTYPE_TEXTCHANGED = L"textchanged";
constexpr LPCTSTR DUI_MSGTYPE_VALUECHANGED = L"valuechanged";
constexpr LPCTSTR DUI_MSGTYPE_KILLFOCUS = L"killfocus";
constexpr LPCTSTR DUI_MSGTYPE_SETFOCUS = L"setfocus";
constexpr LPCTSTR DUI_MSGTYPE_RETURN = L"return";
constexpr LPCTSTR DUI_MSGTYPE_WINDOWINIT = L"windowinit";
constexpr LPCTSTR DUI_MSGTYPE_MENU = L"menu";  // wParam row index or -1, lParam the row
constexpr LPCTSTR DUI_MSGTYPE_SCROLL = L"scroll";
constexpr LPCTSTR DUI_MSGTYPE_DROPDOWN = L"dropdown";

// One input event for a control.
struct TEventUI {
    int Type = 0;
    CControlUI* pSender = nullptr;
    DWORD dwTimestamp = 0;
    POINT ptMouse = {0, 0};  // client coordinates of the paint window
    TCHAR chKey = 0;
    WORD wKeyState = 0;  // MK_* for mouse events, modifier keys for key events
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

// One notification, delivered to the sender's OnNotify delegates and then to
// every INotifyUI registered with the paint manager (the window's Notify).
struct TNotifyUI {
    CDuiString sType;
    CControlUI* pSender = nullptr;
    DWORD dwTimestamp = 0;
    POINT ptMouse = {0, 0};
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

class INotifyUI {
public:
    virtual void Notify(TNotifyUI& msg) = 0;

protected:
    ~INotifyUI() = default;
};

// A pre-translate filter: sees keyboard and mouse messages for the window (and
// its child windows) before they are dispatched. Set bHandled to swallow one.
class IMessageFilterUI {
public:
    virtual LRESULT MessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) = 0;

protected:
    ~IMessageFilterUI() = default;
};

// Makes the controls whose layout tags the library does not know.
class IDialogBuilderCallback {
public:
    virtual CControlUI* CreateControl(LPCTSTR pstrClass) = 0;

protected:
    ~IDialogBuilderCallback() = default;
};

// A decoded image: a 32-bit top-down DIB section with premultiplied alpha.
struct TImageInfo {
    HBITMAP hBitmap = nullptr;
    LPBYTE pBits = nullptr;  // the DIB's pixels (BGRA), null for bitmaps added from outside
    int nX = 0;              // width
    int nY = 0;              // height
    bool bAlpha = false;     // some pixel is not opaque
    CDuiString sResType;
    bool bOwnedByCache = false;  // the paint manager frees it; CRenderEngine::FreeImage leaves it alone
};

// A font of the paint manager's table.
struct TFontInfo {
    HFONT hFont = nullptr;
    CDuiString sFontName;
    int iSize = 0;  // pixel height
    bool bBold = false;
    bool bUnderline = false;
    bool bItalic = false;
    TEXTMETRICW tm = {};
};

// A parsed image string ("file='a.png' source='0,0,10,10' ...").
struct TDrawInfo {
    CDuiString sDrawString;
    CDuiString sImageName;
    CDuiString sResType;
    RECT rcDest = {0, 0, 0, 0};    // relative to the control; used when bHasDest
    RECT rcSource = {0, 0, 0, 0};  // used when bHasSource
    RECT rcCorner = {0, 0, 0, 0};
    BYTE uFade = 255;
    bool bHole = false;
    bool bHasDest = false;
    bool bHasSource = false;
};

}  // namespace DuiLib
