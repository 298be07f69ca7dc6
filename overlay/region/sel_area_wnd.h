// CSelAreaWnd: the region frame, a layered window over the screen bounds that
// shows the region to record with its drag button and size label
// ("selarea_wnd.xml"). It takes no mouse input of its own: the main window
// hears every mouse event through its hook, works out the handle under the
// mouse and hands both to OnSelMouse. Every change of the region is written to
// g_rcSnapwick at once. UI thread only.
//
//   CSelAreaWnd* frame = new CSelAreaWnd;
//   frame->CreateOver(mainHwnd, monitorUnion);   // also reads g_rcSnapwick
//   ::ShowWindow(*frame, SW_HIDE);
//   ... frame->SetSelRect(g_rcSnapwick...); frame->OnSelMouse(handle, msg, x, y, aspect);
#pragma once

#include "overlay/layouts/selarea_wnd_names.h"
#include "overlay/region/drag_btn_ui.h"
#include "overlay/region/sel_area_ui.h"
#include "overlay/region/sel_geometry.h"
#include "ui/duilib.h"

class CSelAreaWnd : public DuiLib::WindowImplBase {
public:
    CSelAreaWnd() = default;

    // Sets the screen bounds and creates the window over them, owned by owner:
    // caption "选择区域", WS_POPUP | WS_VISIBLE, WS_EX_TOOLWINDOW. Null on failure.
    HWND CreateOver(HWND owner, const RECT& screenBounds);
    // The screen rectangle the window covers; call before creating it.
    void SetScreenBounds(int left, int top, int right, int bottom);

    // The region in screen coordinates (does not write g_rcSnapwick).
    void SetSelRect(int left, int top, int right, int bottom);
    // One mouse event of the desktop: handle (SelHandle) is the main window's
    // edge test for the event, message WM_MOUSEMOVE, WM_LBUTTONDOWN or
    // WM_LBUTTONUP, (x, y) screen pixels, aspect an AspectMode.
    void OnSelMouse(int handle, UINT message, int x, int y, int aspect);
    void HideDragButton();
    // The marching dashes, on while recording.
    void SetBorderAnimation(bool on);
    // Repaints only the border, where the dashes run: their next step while
    // the animation is on.
    void RepaintBorder();

    static RECT CenterRectIn(const RECT& rect, int width, int height) { return ::CenterRectIn(rect, width, height); }
    RECT ToClientCoords(const RECT& rect) const;
    RECT ToScreenCoords(const RECT& rect) const;

    // The region as the selection control holds it, client coordinates.
    RECT GetSelRect() const;
    RECT GetScreenBounds() const { return m_rcScreenBounds; }

protected:
    LPCTSTR GetWindowClassName() const override { return L"selarea_wnd"; }
    DuiLib::CDuiString GetSkinFile() override { return selarea_wnd_names::kLayout; }
    DuiLib::CControlUI* CreateControl(LPCTSTR pstrClass) override;
    void InitWindow() override;
    LRESULT OnNcHitTest(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;
    LRESULT HandleCustomMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;

private:
    void UpdateDragButton(int handle, UINT message, POINT point, bool leftButtonDown);
    void UpdateSizeLabel(int handle, bool leftButtonDown);

    CDragBtnUI* m_pDragBtn = nullptr;
    CSelAreaUI* m_pSelArea = nullptr;
    DuiLib::CLabelUI* m_pSizeLabel = nullptr;
    SelDrag m_drag;                    // screen pixels
    RECT m_rcStartSel = {0, 0, 0, 0};  // g_rcSnapwick at start-up, client coordinates
    RECT m_rcScreenBounds = {0, 0, 0, 0};
    RECT m_rcClientBounds = {0, 0, 0, 0};
};
