// Pop-up menus from a layout of the skin:
//
//   <Window bktrans="true">            (optional: window attributes of the pop-up)
//     <Menu bkcolor="#FFFFFFFF" inset="2,2,2,2">
//       <MenuElement name="menu_set" text="设置" height="26"/>
//       <MenuElement line="true"/>                    (a separator)
//       <MenuElement name="menu_main"><VerticalLayout name="menu_main_list"/></MenuElement>
//     </Menu>
//   </Window>
//
// Choosing a plain element hides the menu, then posts WM_MENUCLICK to the
// window of the main paint manager: wParam a MenuCmd (heap, registered as a posted record: the receiver
// claims it with ClaimPostedRecord<MenuCmd> and frees it with
// CPaintManagerUI::DeleteMenuCmd), lParam the MenuCmd's copy of the element
// (valid until the record is freed). Controls inside a menu (options, buttons)
// send their notifications on to the main paint manager's notifiers, so the
// opening window's Notify/OnClick sees them.
//
// A menu deletes itself when it closes (a choice, a click outside, Esc). Keep
// a pointer to it only through a slot given to it: the slot is cleared when it
// goes. Deleting a live menu closes it.
#pragma once

#include <map>

#include "ui/controls/list.h"
#include "ui/core/window_impl_base.h"

namespace DuiLib {

constexpr UINT WM_MENUCLICK = WM_USER + 121;

enum MenuAlignment {
    eMenuAlignment_Left = 1 << 1,    // the menu's left edge at the point (grows right)
    eMenuAlignment_Top = 1 << 2,     // its top at the point (grows down)
    eMenuAlignment_Right = 1 << 3,   // its right edge at the point
    eMenuAlignment_Bottom = 1 << 4,  // its bottom at the point (opens upwards)
};

using CMenuCheckMap = std::map<CDuiString, bool>;

class CMenuElementUI;

// The record of a chosen item.
struct MenuCmd {
    CDuiString name;
    CDuiString userData;
    CDuiString text;
    BOOL checked = FALSE;
    CMenuElementUI* element = nullptr;  // a stand-alone copy, owned by the record
};

// The menu's list of elements.
class CMenuUI : public CListUI {
public:
    CMenuUI();
    LPCTSTR GetClass() const override { return L"MenuUI"; }
    LPVOID GetInterface(LPCTSTR pstrName) override;
    // The size the elements need (widest element, sum of heights, plus inset).
    SIZE ContentSize();
};

// One element: a text row, a separator (line="true"), or a holder of controls.
class CMenuElementUI : public CListContainerElementUI {
public:
    CMenuElementUI();
    LPCTSTR GetClass() const override { return L"MenuElementUI"; }
    LPVOID GetInterface(LPCTSTR pstrName) override;

    bool IsLine() const { return m_bLine; }
    bool IsChecked() const { return m_bChecked; }
    void SetChecked(bool bChecked) {
        m_bChecked = bChecked;
        Invalidate();
    }
    bool IsCheckItem() const { return m_bCheckItem; }
    DWORD GetTextColor() const { return m_dwTextColor; }

    SIZE EstimateSize(SIZE szAvailable) override;
    void DoPaint(HDC hDC, const RECT& rcPaint) override;
    void DoEvent(TEventUI& event) override;
    void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) override;

private:
    bool m_bLine = false;
    bool m_bChecked = false;
    bool m_bCheckItem = false;
    DWORD m_dwLineColor = 0xFFDCDCDC;
    DWORD m_dwTextColor = 0;
    int m_iFont = -1;
    RECT m_rcTextPadding = {24, 0, 16, 0};
};

class CMenuWnd : public WindowImplBase {
public:
    // slot: a pointer of the caller's that holds this menu; cleared when it goes.
    explicit CMenuWnd(CMenuWnd** slot = nullptr);
    ~CMenuWnd() override;

    // Builds the layout and shows the menu at a screen point. pMainPaintManager:
    // the window that gets the commands and notifications. checks: optional
    // checked states by element name (check items flip theirs when chosen).
    bool Init(CMenuElementUI* pOwner, LPCTSTR xml, POINT point, CPaintManagerUI* pMainPaintManager,
              CMenuCheckMap* checks = nullptr, DWORD dwAlignment = eMenuAlignment_Left | eMenuAlignment_Top);
    // new + Init; null (and nothing shown) when the layout cannot be built.
    static CMenuWnd* CreateMenu(CMenuElementUI* pOwner, LPCTSTR xml, POINT point, CPaintManagerUI* pMainPaintManager,
                                CMenuCheckMap* checks = nullptr,
                                DWORD dwAlignment = eMenuAlignment_Left | eMenuAlignment_Top,
                                CMenuWnd** slot = nullptr);

    // Sizes the window to its elements and places it by the point and
    // alignment, inside the monitor's work area.
    void ResizeMenu();
    CMenuUI* GetMenuUI() const { return m_pMenu; }
    CControlUI* FindControl(LPCTSTR pstrName) const { return m_PaintManager.FindControl(pstrName); }
    CPaintManagerUI* GetMainPaintManager() const { return m_pMainManager; }

    void Notify(TNotifyUI& msg) override;

    // Records handed out and not yet freed (for diagnostics and tests).
    static int PendingCommandCount();

protected:
    LPCTSTR GetWindowClassName() const override { return L"DuiMenuWnd"; }
    UINT GetClassStyle() const override { return CS_DBLCLKS | CS_DROPSHADOW; }
    CDuiString GetSkinFile() override { return m_sXml; }
    void InitWindow() override;
    LRESULT MessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;
    LRESULT HandleCustomMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;
    LRESULT OnKillFocus(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;
    void OnFinalMessage(HWND hWnd) override;

private:
    void Choose(CMenuElementUI* element);
    void ClearSlot();

    CMenuWnd** m_ppSlot = nullptr;
    CDuiString m_sXml;
    POINT m_ptBase = {0, 0};
    DWORD m_dwAlignment = eMenuAlignment_Left | eMenuAlignment_Top;
    CPaintManagerUI* m_pMainManager = nullptr;
    CMenuCheckMap* m_pChecks = nullptr;
    CMenuUI* m_pMenu = nullptr;
    bool m_bChosen = false;
    bool m_bOwnsItself = false;  // only a menu that came up deletes itself with its window
};

}  // namespace DuiLib
