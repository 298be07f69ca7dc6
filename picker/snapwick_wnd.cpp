// The area picker's window: the frozen desktop, the mask with its hole, snapping,
// the rubber band, the magnifier and the labels, and the reply.
#include "picker/snapwick_wnd.h"

#include <windowsx.h>

#include <cstdio>

#include "picker/canvas_ui.h"
#include "picker/layouts/snapwick_names.h"
#include "picker/magnifier_ui.h"
#include "picker/window_snap.h"

using namespace DuiLib;
namespace names = snapwick_names;

namespace {

constexpr wchar_t kDesktopImageName[] = L"desktopimage";
constexpr wchar_t kMaskImageName[] = L"desktopimagemask";
constexpr wchar_t kSizeLabelImageName[] = L"selAreaSize";
constexpr LPARAM kAltDownBit = LPARAM{1} << 29;  // a key message's context code

// A float control at rc (client pixels), which the layout keeps there.
void PlaceFloat(CControlUI* control, const RECT& rc) {
    if (!control) return;
    control->SetFixedXY({rc.left, rc.top});
    control->SetFixedWidth(rc.right - rc.left);
    control->SetFixedHeight(rc.bottom - rc.top);
    control->SetPos(rc);
}

// A premultiplied bitmap of one colour.
HBITMAP SolidBitmap(int width, int height, DWORD argb) {
    HBITMAP bitmap = CRenderEngine::CreateARGB32Bitmap(nullptr, width, height);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    CRenderEngine::DrawColor(dc, {0, 0, width, height}, argb);
    SelectObject(dc, old);
    DeleteDC(dc);
    return bitmap;
}

}  // namespace

CSnapwickWnd::CSnapwickWnd() { EnumMonitorList(m_monitors, m_desktop); }

SIZE CSnapwickWnd::DesktopSize() const { return {m_desktop.right - m_desktop.left, m_desktop.bottom - m_desktop.top}; }

CControlUI* CSnapwickWnd::CreateControl(LPCTSTR pstrClass) {
    if (wcscmp(pstrClass, names::kCanvasInterface) == 0) return new CCanvasUI;
    if (wcscmp(pstrClass, names::kCanvasContainerInterface) == 0) return new CCanvasContainerUI;
    if (wcscmp(pstrClass, names::kMagnifierInterface) == 0) return new CMagnifierUI;
    return nullptr;
}

void CSnapwickWnd::InitWindow() {
    const SIZE size = DesktopSize();
    SetWindowPos(m_hWnd, nullptr, m_desktop.left, m_desktop.top, size.cx, size.cy, SWP_NOZORDER);
    m_pImage = FindNamed<CControlUI>(m_PaintManager, names::kDesktopImage);
    m_pMask = FindNamed<CControlUI>(m_PaintManager, names::kDesktopMask);
    m_pSizeLabel = FindNamed<CLabelUI>(m_PaintManager, names::kSizeLabel);
    m_pLensLabel = FindNamed<CLabelUI>(m_PaintManager, names::kLensLabel);
    m_pCrossLine = FindNamed<CControlUI>(m_PaintManager, names::kCrossLine);
    m_pMaskBorder = FindNamed<CControlUI>(m_PaintManager, names::kMaskBorder);
    m_pCanvasContainer = FindNamed<CCanvasContainerUI>(m_PaintManager, names::kCanvasContainer);
    m_pMagnifier = FindNamed<CMagnifierUI>(m_PaintManager, names::kMagnifier);
    CaptureDesktop();
    CreateMask();
    CreateSizeLabelImage();
    if (m_pMagnifier) {
        m_pMagnifier->SetPickerWindow(m_hWnd);
        m_pMagnifier->SetDesktopRect(m_desktop);
    }
    FollowCursor();
}

// The desktop as it is now; the picker never takes it again.
void CSnapwickWnd::CaptureDesktop() {
    const SIZE size = DesktopSize();
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, size.cx, size.cy);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, size.cx, size.cy, screen, m_desktop.left, m_desktop.top, SRCCOPY | CAPTUREBLT);
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    m_PaintManager.AddImage(kDesktopImageName, bitmap, size.cx, size.cy, false);
    if (m_pImage) m_pImage->SetBkImage(kDesktopImageName);
}

void CSnapwickWnd::CreateMask() {
    const SIZE size = DesktopSize();
    m_PaintManager.AddImage(kMaskImageName, SolidBitmap(size.cx, size.cy, kDesktopMaskColor), size.cx, size.cy, true);
    if (m_pMask) m_pMask->SetBkImage(kMaskImageName);
}

void CSnapwickWnd::CreateSizeLabelImage() {
    if (!m_pLensLabel) return;
    m_PaintManager.AddImage(kSizeLabelImageName, SolidBitmap(kSizeLabelSize.cx, kSizeLabelSize.cy, kDesktopMaskColor),
                            kSizeLabelSize.cx, kSizeLabelSize.cy, true);
    if (m_pSizeLabel) m_pSizeLabel->SetBkImage(kSizeLabelImageName);
}

LRESULT CSnapwickWnd::HandleCustomMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) {
    const POINT pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (uMsg) {
        case WM_LBUTTONDOWN: OnButtonDown(pt); break;
        case WM_MOUSEMOVE:
            if (wParam & MK_LBUTTON)
                OnDrag(pt);
            else
                OnHover();
            FollowCursor();
            break;
        case WM_LBUTTONUP: Finish(true); break;
        case WM_RBUTTONUP: Finish(false); break;
        case WM_DESTROY: PostQuitMessage(0); return 0;  // the base's handling goes on
        default: return 0;
    }
    bHandled = true;
    return 0;
}

// Alt+Esc cancels; Esc alone does nothing. A plain key also comes as
// WM_SYSKEYDOWN when no window has the focus: only the Alt bit tells them apart.
LRESULT CSnapwickWnd::MessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) {
    if (uMsg == WM_SYSKEYDOWN && wParam == VK_ESCAPE && (lParam & kAltDownBit)) {
        Finish(false);
        bHandled = true;
        return 0;
    }
    return WindowImplBase::MessageHandler(uMsg, wParam, lParam, bHandled);
}

void CSnapwickWnd::OnFinalMessage(HWND hWnd) {
    WindowImplBase::OnFinalMessage(hWnd);
    delete this;
}

void CSnapwickWnd::OnButtonDown(POINT pt) {
    if (m_pCanvasContainer) m_pCanvasContainer->SetEnabled(false);
    m_dragStart = pt;
}

void CSnapwickWnd::OnDrag(POINT pt) {
    if (pt.x == m_dragStart.x && pt.y == m_dragStart.y) return;
    UpdateMaskHole(DragInsets(m_dragStart, pt, DesktopSize()));
    if (m_pMaskBorder) m_pMaskBorder->SetVisible(false);
    if (m_pCanvasContainer) m_pCanvasContainer->SetVisible(true);
}

// The picker is disabled while the window under the cursor is looked for, so
// that the search passes over it. Disabling takes the keyboard focus away: the
// active picker takes it back.
void CSnapwickWnd::OnHover() {
    POINT cursor = {};
    GetCursorPos(&cursor);
    RECT window = {};
    EnableWindow(m_hWnd, FALSE);
    const bool found = SnapWindowAt(cursor, m_hWnd, &window);
    EnableWindow(m_hWnd, TRUE);
    if (GetActiveWindow() == m_hWnd && !GetFocus()) SetFocus(m_hWnd);
    if (!found) return;
    const SelInsets insets = WindowInsets(window, m_desktop);
    if (insets == m_insets && !EqualRect(&window, &m_desktop)) return;
    UpdateMaskHole(insets);
    if (m_pMaskBorder) m_pMaskBorder->SetVisible(true);
    if (m_pCanvasContainer) m_pCanvasContainer->SetVisible(false);
}

void CSnapwickWnd::FollowCursor() {
    POINT cursor = {};
    GetCursorPos(&cursor);
    const POINT p = {cursor.x - m_desktop.left, cursor.y - m_desktop.top};
    if (m_pCrossLine) {
        m_pCrossLine->SetBmpMidPos(p);
        PlaceFloat(m_pCrossLine, {0, 0, DesktopSize().cx, DesktopSize().cy});
    }
    PlaceMagnifier(p);
    UpdateSizeLabel();
}

// The mask drawn as a nine-part image without its middle: the selection shows
// the desktop undimmed.
void CSnapwickWnd::UpdateMaskHole(const SelInsets& insets) {
    m_insets = insets;
    wchar_t image[260];
    swprintf(image, 260, L"file='%ls' corner='%d,%d,%d,%d' hole='true'", kMaskImageName, insets.left, insets.top,
             insets.right, insets.bottom);
    if (m_pMask) m_pMask->SetBkImage(image);
    const RECT sel = SelectionClientRect(insets, DesktopSize());
    PlaceFloat(m_pMaskBorder, sel);
    if (m_pCanvasContainer) {
        const int grow = m_pCanvasContainer->GetInset().left;
        PlaceFloat(m_pCanvasContainer, {sel.left - grow, sel.top - grow, sel.right + grow, sel.bottom + grow});
    }
}

void CSnapwickWnd::PlaceMagnifier(POINT p) {
    const MagnifierPlace place = PlaceMagnifierAt(p, DesktopSize());
    m_magnifierRect = place.rect;
    m_magnifierBelow = place.below;
    if (m_pMagnifier) m_pMagnifier->Place(place.rect, place.below, p);
}

void CSnapwickWnd::UpdateSizeLabel() {
    wchar_t text[64];
    SizeLabelText(m_insets, DesktopSize(), text, 64);
    if (m_pSizeLabel) {
        m_pSizeLabel->SetText(text);
        PlaceFloat(m_pSizeLabel, SizeLabelRect(m_insets, DesktopSize()));
    }
    if (m_pLensLabel) {
        m_pLensLabel->SetText(text);
        PlaceFloat(m_pLensLabel, LensLabelRect({m_magnifierRect, m_magnifierBelow}));
    }
}

void CSnapwickWnd::Finish(bool picked) {
    if (m_finished) return;
    m_finished = true;
    const RECT area = ReplyArea();
    SendAreaResult(picked ? &area : nullptr);
    PostQuitMessage(0);
}
