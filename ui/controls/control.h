// CControlUI: the base of every control. A control has a name, text, a place
// in its parent's layout, colours, images and a border; the paint manager
// hands it input events (DoEvent) and asks it to paint (DoPaint).
//
// Painting order of DoPaint: background colour, background image, status image
// (buttons), text, border. A custom control overrides any of the Paint* steps or
// DoPaint itself; hDC is the window's double buffer, already holding what was
// painted below the control, and coordinates are the window's client pixels.
//
// Layout: a control placed by its parent takes its fixed size (width/height)
// when set, else the space the parent gives it; a float control sits at pos
// (relative to its parent's top-left) with the size pos gives.
#pragma once

#include <windows.h>

#include "ui/base/delegate.h"
#include "ui/base/ui_defs.h"
#include "ui/base/ui_parse.h"

namespace DuiLib {

using FINDCONTROLPROC = CControlUI*(CALLBACK*)(CControlUI*, LPVOID);

class CControlUI {
public:
    CControlUI();
    virtual ~CControlUI();
    CControlUI(const CControlUI&) = delete;
    CControlUI& operator=(const CControlUI&) = delete;

    // Identity. GetInterface answers the control's interface names following
    // inheritance (an Option answers "Option", "Button", "Label" and "Control").
    virtual CDuiString GetName() const { return m_sName; }
    virtual void SetName(LPCTSTR pstrName) { m_sName = pstrName; }
    virtual LPCTSTR GetClass() const { return L"ControlUI"; }
    virtual LPVOID GetInterface(LPCTSTR pstrName);
    virtual UINT GetControlFlags() const { return 0; }
    // Does what a click does (buttons send "click"); false when disabled or hidden.
    virtual bool Activate();

    virtual CPaintManagerUI* GetManager() const { return m_pManager; }
    virtual void SetManager(CPaintManagerUI* pManager, CControlUI* pParent, bool bInit = true);
    virtual CControlUI* GetParent() const { return m_pParent; }

    // Text.
    virtual CDuiString GetText() const { return m_sText; }
    virtual void SetText(LPCTSTR pstrText);

    // Colours and images.
    DWORD GetBkColor() const { return m_dwBackColor; }
    void SetBkColor(DWORD dwColor);
    LPCTSTR GetBkImage() const { return m_sBkImage; }
    void SetBkImage(LPCTSTR pStrImage);
    DWORD GetBorderColor() const { return m_dwBorderColor; }
    void SetBorderColor(DWORD dwColor);
    DWORD GetFocusBorderColor() const { return m_dwFocusBorderColor; }
    void SetFocusBorderColor(DWORD dwColor);
    int GetBorderSize() const { return m_nBorderSize; }
    void SetBorderSize(int nSize);
    SIZE GetBorderRound() const { return m_cxyBorderRound; }
    void SetBorderRound(SIZE cxyRound);
    // Draws an image string relative to this control (see CRenderEngine::DrawImageString).
    bool DrawImage(HDC hDC, LPCTSTR pStrImage, LPCTSTR pStrModify = nullptr);

    // Position. GetPos is the rectangle in the window's client pixels.
    virtual const RECT& GetPos() const { return m_rcItem; }
    virtual void SetPos(RECT rc, bool bNeedInvalidate = true);
    virtual int GetWidth() const { return m_rcItem.right - m_rcItem.left; }
    virtual int GetHeight() const { return m_rcItem.bottom - m_rcItem.top; }
    virtual int GetX() const { return m_rcItem.left; }
    virtual int GetY() const { return m_rcItem.top; }
    virtual RECT GetPadding() const { return m_rcPadding; }
    virtual void SetPadding(RECT rcPadding);
    // For float controls: the offset from the parent's top-left.
    virtual SIZE GetFixedXY() const { return m_cXY; }
    virtual void SetFixedXY(SIZE szXY);
    virtual int GetFixedWidth() const { return m_cxyFixed.cx; }
    virtual void SetFixedWidth(int cx);
    virtual int GetFixedHeight() const { return m_cxyFixed.cy; }
    virtual void SetFixedHeight(int cy);
    virtual int GetMinWidth() const { return m_cxyMin.cx; }
    virtual void SetMinWidth(int cx);
    virtual int GetMaxWidth() const { return m_cxyMax.cx; }
    virtual void SetMaxWidth(int cx);
    virtual int GetMinHeight() const { return m_cxyMin.cy; }
    virtual void SetMinHeight(int cy);
    virtual int GetMaxHeight() const { return m_cxyMax.cy; }
    virtual void SetMaxHeight(int cy);
    // The size the control wants inside szAvailable; 0 in a direction means "as much as given".
    virtual SIZE EstimateSize(SIZE szAvailable);
    virtual bool IsFloat() const { return m_bFloat; }
    virtual void SetFloat(bool bFloat = true);

    // Mouse pointer, tooltip, user data.
    virtual CDuiString GetToolTip() const { return m_sToolTip; }
    virtual void SetToolTip(LPCTSTR pstrText);
    // A system cursor id (IDC_HAND, ...) or 0 for the window's cursor.
    LPCTSTR GetCursor() const { return m_cursor; }
    void SetCursor(LPCTSTR cursorId) { m_cursor = cursorId; }
    const CDuiString& GetUserData() const { return m_sUserData; }
    void SetUserData(LPCTSTR pstrText) { m_sUserData = pstrText; }
    UINT_PTR GetTag() const { return m_pTag; }
    void SetTag(UINT_PTR pTag) { m_pTag = pTag; }

    // State.
    virtual bool IsVisible() const { return m_bVisible && m_bInternVisible; }
    virtual void SetVisible(bool bVisible = true);
    // Visibility given by the parent (a hidden container hides its children).
    virtual void SetInternVisible(bool bVisible = true);
    virtual bool IsEnabled() const { return m_bEnabled; }
    virtual void SetEnabled(bool bEnable = true);
    virtual bool IsMouseEnabled() const { return m_bMouseEnabled; }
    virtual void SetMouseEnabled(bool bEnable = true);
    virtual bool IsKeyboardEnabled() const { return m_bKeyboardEnabled; }
    virtual void SetKeyboardEnabled(bool bEnable = true);
    virtual bool IsFocused() const { return m_bFocused; }
    virtual void SetFocus();

    // Search. FindControl visits this control (and children for containers)
    // and returns the first for which proc returns non-null.
    virtual CControlUI* FindControl(FINDCONTROLPROC Proc, LPVOID pData, UINT uFlags);

    // Repaint and relayout requests.
    void Invalidate();
    bool IsUpdateNeeded() const { return m_bUpdateNeeded; }
    void NeedUpdate();
    void NeedParentUpdate();

    // Events. Event runs the OnEvent delegates, then DoEvent unless one said no.
    void Event(TEventUI& event);
    virtual void DoEvent(TEventUI& event);

    // Attributes from the layout; unknown names are ignored.
    virtual void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue);
    // Applies 'name="value" ...' (a Default or Style list).
    void ApplyAttributeList(LPCTSTR pstrList);

    // Painting.
    virtual void DoPaint(HDC hDC, const RECT& rcPaint);
    virtual void PaintBkColor(HDC hDC);
    virtual void PaintBkImage(HDC hDC);
    virtual void PaintStatusImage(HDC hDC);
    virtual void PaintText(HDC hDC);
    virtual void PaintBorder(HDC hDC);

    // A point (relative to the control) through which the background image is
    // drawn as a cross spanning the whole control: one band of the image's
    // height across, one of its width down.
    void SetBmpMidPos(POINT pt);
    void ClearBmpMidPos() {
        m_bHasMidPos = false;
        Invalidate();
    }

    // Called once when the control joins a window (Init runs DoInit, then OnInit).
    virtual void Init();
    virtual void DoInit() {}

    CEventSource OnInit;     // param: CControlUI*
    CEventSource OnDestroy;  // param: CControlUI*
    CEventSource OnEvent;    // param: TEventUI*
    CEventSource OnNotify;   // param: TNotifyUI*

protected:
    // With mouse="false" a control hands its mouse events to its parent; true
    // when it did (the caller then ignores the event).
    bool ForwardMouseWhenDisabled(TEventUI& event);
    // The paint step that draws the background image as a cross (SetBmpMidPos).
    void PaintBkImageCross(HDC hDC);

    CPaintManagerUI* m_pManager = nullptr;
    CControlUI* m_pParent = nullptr;
    CDuiString m_sName;
    CDuiString m_sText;
    CDuiString m_sToolTip;
    CDuiString m_sUserData;
    UINT_PTR m_pTag = 0;
    LPCTSTR m_cursor = nullptr;
    bool m_bUpdateNeeded = true;
    bool m_bVisible = true;
    bool m_bInternVisible = true;
    bool m_bEnabled = true;
    bool m_bMouseEnabled = true;
    bool m_bKeyboardEnabled = true;
    bool m_bFocused = false;
    bool m_bFloat = false;
    bool m_bHasMidPos = false;
    bool m_bInited = false;
    POINT m_ptMidPos = {0, 0};
    RECT m_rcItem = {0, 0, 0, 0};
    RECT m_rcPadding = {0, 0, 0, 0};
    RECT m_rcPaint = {0, 0, 0, 0};
    SIZE m_cXY = {0, 0};
    SIZE m_cxyFixed = {0, 0};
    SIZE m_cxyMin = {0, 0};
    SIZE m_cxyMax = {9999, 9999};
    DWORD m_dwBackColor = 0;
    DWORD m_dwBorderColor = 0;
    DWORD m_dwFocusBorderColor = 0;
    int m_nBorderSize = 0;
    SIZE m_cxyBorderRound = {0, 0};
    CDuiString m_sBkImage;
};

// Looks up a known cursor word ("hand", "arrow", "ibeam", ...) -> IDC_* or null.
LPCTSTR CursorFromName(LPCTSTR name);

}  // namespace DuiLib
