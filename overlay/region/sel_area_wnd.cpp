#include "overlay/region/sel_area_wnd.h"

#include "common/record_globals.h"
#include "overlay/layouts/selarea_wnd_names.h"

namespace {

bool IsLeftButtonDown() { return (GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0; }

// A float control keeps the place and size it is given through later layouts.
void PlaceFloatControl(DuiLib::CControlUI* control, const RECT& rc) {
    DuiLib::CControlUI* parent = control->GetParent();
    RECT origin = parent ? parent->GetPos() : RECT{0, 0, 0, 0};
    control->SetFixedXY(SIZE{rc.left - origin.left, rc.top - origin.top});
    control->SetFixedWidth(rc.right - rc.left);
    control->SetFixedHeight(rc.bottom - rc.top);
    control->SetPos(rc, true);
}

}  // namespace

HWND CSelAreaWnd::CreateOver(HWND owner, const RECT& screenBounds) {
    const RECT& b = screenBounds;
    SetScreenBounds(b.left, b.top, b.right, b.bottom);
    return Create(owner, L"选择区域", WS_POPUP | WS_VISIBLE, WS_EX_TOOLWINDOW, b.left, b.top, b.right - b.left,
                  b.bottom - b.top);
}

void CSelAreaWnd::SetScreenBounds(int left, int top, int right, int bottom) {
    m_rcScreenBounds = RECT{left, top, right, bottom};
    m_rcClientBounds = RECT{0, 0, right - left, bottom - top};
}

DuiLib::CControlUI* CSelAreaWnd::CreateControl(LPCTSTR pstrClass) {
    if (wcscmp(pstrClass, L"SelArea") == 0) return new CSelAreaUI;
    if (wcscmp(pstrClass, L"DragBtn") == 0) return new CDragBtnUI;
    return nullptr;
}

void CSelAreaWnd::InitWindow() {
    m_pSelArea = DuiLib::FindNamed<CSelAreaUI>(m_PaintManager, selarea_wnd_names::kDesktopselarea);
    m_pDragBtn = DuiLib::FindNamed<CDragBtnUI>(m_PaintManager, selarea_wnd_names::kBtnDrag);
    m_pSizeLabel = DuiLib::FindNamed<DuiLib::CLabelUI>(m_PaintManager, selarea_wnd_names::kSelSize);
    // A paint of the whole screen-sized window costs tens of milliseconds under Wine.
    m_PaintManager.SetLayeredPartialPaint(true);
    m_rcStartSel = ToClientCoords(g_rcSnapwick);
    if (m_pSelArea)
        m_pSelArea->SetSelRect(m_rcStartSel.left, m_rcStartSel.top, m_rcStartSel.right, m_rcStartSel.bottom);
    RECT rc = {};
    GetWindowRect(m_hWnd, &rc);
    SetWindowPos(m_hWnd, nullptr, m_rcScreenBounds.left, m_rcScreenBounds.top, rc.right - rc.left, rc.bottom - rc.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CSelAreaWnd::OnNcHitTest(UINT, WPARAM, LPARAM, bool&) { return HTCLIENT; }

LRESULT CSelAreaWnd::HandleCustomMessage(UINT, WPARAM, LPARAM, bool& bHandled) {
    bHandled = false;
    return 0;
}

void CSelAreaWnd::SetSelRect(int left, int top, int right, int bottom) {
    if (!m_pSelArea) return;
    RECT rc = ToClientCoords(RECT{left, top, right, bottom});
    m_pSelArea->SetSelRect(rc.left, rc.top, rc.right, rc.bottom);
}

RECT CSelAreaWnd::GetSelRect() const { return m_pSelArea ? m_pSelArea->GetSelRect() : RECT{0, 0, 0, 0}; }

void CSelAreaWnd::OnSelMouse(int handle, UINT message, int x, int y, int aspect) {
    if (!m_pSelArea || !m_pDragBtn) return;
    POINT point = {x, y};
    SelMouseStep step =
        TrackSelMouse(handle, message, point, m_drag, m_pSelArea->GetSelRect(), m_rcClientBounds, aspect);
    m_drag = step.drag;
    if (step.changed) {
        const RECT& sel = step.selection;
        m_pSelArea->SetSelRect(sel.left, sel.top, sel.right, sel.bottom);
        g_rcSnapwick = ToScreenCoords(sel);
    }
    bool down = IsLeftButtonDown();
    UpdateDragButton(handle, message, point, down);
    UpdateSizeLabel(handle, down);
}

void CSelAreaWnd::UpdateDragButton(int handle, UINT message, POINT point, bool leftButtonDown) {
    DragButtonPlacement place = PlaceDragButton(handle, message, point, g_rcSnapwick, leftButtonDown);
    if (place.action == DragButtonAction::kHide) {
        if (m_pDragBtn->IsVisible()) m_pDragBtn->SetVisible(false);
        return;
    }
    if (place.action != DragButtonAction::kShow) return;
    // An empty rectangle (a region too small for the button) stays empty.
    RECT rc = IsRectEmpty(&place.rect) ? RECT{0, 0, 0, 0} : ToClientCoords(place.rect);
    PlaceFloatControl(m_pDragBtn, rc);
    m_pDragBtn->SetDestRect(rc.left, rc.top, rc.right, rc.bottom);
    m_pDragBtn->SetVisible(true);
}

void CSelAreaWnd::UpdateSizeLabel(int handle, bool leftButtonDown) {
    if (!m_pSizeLabel) return;
    if (!IsSizeLabelShown(handle, leftButtonDown)) {
        m_pSizeLabel->SetVisible(false);
        return;
    }
    const RECT& area = g_rcSnapwick;
    POINT origin = SizeLabelOrigin(ToClientCoords(area));
    m_pSizeLabel->SetFixedXY(SIZE{origin.x, origin.y});
    m_pSizeLabel->SetText(DuiLib::CDuiString::FormatText(L"%d x %d", static_cast<int>(area.right - area.left),
                                                         static_cast<int>(area.bottom - area.top)));
    m_pSizeLabel->SetVisible(true);
}

void CSelAreaWnd::HideDragButton() {
    if (m_pDragBtn) m_pDragBtn->SetVisible(false);
}

void CSelAreaWnd::SetBorderAnimation(bool on) {
    if (m_pSelArea) m_pSelArea->SetAnimate(on);
}

// A hidden frame (a full-screen recording) is not painted: a layered update of a
// screen-sized window costs its pixels whether it shows or not.
void CSelAreaWnd::RepaintBorder() {
    if (m_pSelArea && IsWindowVisible(m_hWnd)) m_pSelArea->RepaintBorder();
}

RECT CSelAreaWnd::ToClientCoords(const RECT& rect) const {
    RECT rc = rect;
    OffsetRect(&rc, -m_rcScreenBounds.left, -m_rcScreenBounds.top);
    return rc;
}

RECT CSelAreaWnd::ToScreenCoords(const RECT& rect) const {
    RECT rc = rect;
    OffsetRect(&rc, m_rcScreenBounds.left, m_rcScreenBounds.top);
    return rc;
}
