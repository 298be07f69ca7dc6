// WindowImplBase: the base of every skinned window. A window names its window
// class and its layout, finds its controls in InitWindow and reacts in OnClick
// and Notify; everything else has a default.
//
//   class CMyDlg : public WindowImplBase {
//       LPCTSTR GetWindowClassName() const override { return L"MyDlg"; }
//       CDuiString GetSkinFile() override { return L"my_dlg.xml"; }   // or an id of res.xml
//       void InitWindow() override { m_pOk = FindNamed<CButtonUI>(m_PaintManager, my_dlg_names::kBtnOk); }
//       void OnClick(TNotifyUI& msg) override { if (msg.pSender->GetName() == my_dlg_names::kBtnOk.name) Close(1); }
//   };
//   CMyDlg dlg; dlg.Create(owner, L"MyDlg", WS_POPUP | WS_VISIBLE, WS_EX_TOOLWINDOW);
//   dlg.CenterWindow(); UINT code = dlg.ShowModal();
//
// Message order (HandleMessage, overridable as a whole): the base's own
// handlers (OnCreate, OnClose, OnDestroy, OnSize, OnNcHitTest, OnKeyDown, ...;
// each leaves the message unhandled unless it says otherwise), then
// HandleCustomMessage for every message still unhandled, then the paint
// manager (painting, control input), then the default window procedure.
//
// Notifications: Notify (the window's "message map") sends "click" to OnClick,
// "selectchanged" to OnSelectChanged and "itemselect" to OnItemSelect; override
// Notify for the rest and call WindowImplBase::Notify to keep those.
//
// The window has no system frame: the layout draws everything. Over the
// caption band of the layout (Window caption="l,t,r,height") the window is
// dragged, except over buttons, edits, combos, lists, sliders and scroll bars.
#pragma once

#include <functional>

#include "ui/core/paint_manager.h"
#include "ui/core/window_wnd.h"

namespace DuiLib {

class CControlUI;

class WindowImplBase : public CWindowWnd, public INotifyUI, public IMessageFilterUI, public IDialogBuilderCallback {
public:
    WindowImplBase() = default;
    ~WindowImplBase() override;

    // After the layout is built and attached (from WM_CREATE).
    virtual void InitWindow() {}
    void Notify(TNotifyUI& msg) override;
    virtual void OnClick(TNotifyUI& msg) {}
    virtual void OnSelectChanged(TNotifyUI& msg) {}
    virtual void OnItemSelect(TNotifyUI& msg) {}

    CPaintManagerUI* GetPaintManager() { return &m_PaintManager; }

    // What tells the user that a window's layout could not be loaded: text
    // "加载资源文件失败：" and the layout name, caption "Duilib". A message box
    // unless replaced (tests replace it so that no box waits for a click);
    // null restores the box. UI thread.
    using LayoutFailureNotice = std::function<void(const wchar_t* text, const wchar_t* caption)>;
    static void SetLayoutFailureNotice(LayoutFailureNotice notice);
    // The control of that name, or null when the layout has none.
    CControlUI* FindControl(LPCTSTR pstrName) const { return m_PaintManager.FindControl(pstrName); }

protected:
    LPCTSTR GetWindowClassName() const override = 0;
    // The layout: a file of the skin or an id of res.xml.
    virtual CDuiString GetSkinFile() = 0;
    // Custom controls by layout tag; null for tags the window does not know.
    CControlUI* CreateControl(LPCTSTR pstrClass) override { return nullptr; }
    // The pre-message filter: sees queued key and mouse messages before they are
    // dispatched. Enter and Escape go to ResponseDefaultKeyEvent.
    LRESULT MessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;
    // Enter and Escape have no effect of their own; return with bHandled set
    // from an override of MessageHandler to give them one.
    virtual LRESULT ResponseDefaultKeyEvent(WPARAM wParam) { return 0; }

    LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) override;
    // Every message the base did not take; set bHandled to stop it here.
    virtual LRESULT HandleCustomMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
    void OnFinalMessage(HWND hWnd) override;

    virtual LRESULT OnCreate(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
    virtual LRESULT OnClose(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
    virtual LRESULT OnDestroy(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
    virtual LRESULT OnNcActivate(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
    virtual LRESULT OnNcCalcSize(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
    virtual LRESULT OnNcPaint(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
    virtual LRESULT OnNcHitTest(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
    virtual LRESULT OnGetMinMaxInfo(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
    virtual LRESULT OnMouseWheel(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
    virtual LRESULT OnMouseHover(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
    virtual LRESULT OnSize(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
    virtual LRESULT OnChar(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
    virtual LRESULT OnSysCommand(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
    virtual LRESULT OnKeyDown(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
    virtual LRESULT OnKillFocus(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
    virtual LRESULT OnSetFocus(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
    virtual LRESULT OnLButtonDown(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
    virtual LRESULT OnLButtonUp(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
    virtual LRESULT OnRButtonDown(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
    virtual LRESULT OnRButtonUp(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
    virtual LRESULT OnMouseMove(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);

    // Whether a control under the caption band takes the mouse itself.
    static bool IsInteractive(CControlUI* pControl);

    CPaintManagerUI m_PaintManager;
};

}  // namespace DuiLib
