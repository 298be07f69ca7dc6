#include "ui/controls/edit.h"

#include <imm.h>

#include <algorithm>
#include <cwctype>

#include "ui/core/paint_manager.h"
#include "ui/render/render_engine.h"

namespace DuiLib {

namespace {
constexpr UINT kCaretTimer = 1;
constexpr UINT kCaretBlinkMs = 530;
}  // namespace

CEditUI::CEditUI() {
    m_uTextStyle = DT_SINGLELINE | DT_VCENTER | DT_LEFT;
    m_rcTextPadding = {4, 3, 4, 3};
    m_cursor = IDC_IBEAM;
}

LPVOID CEditUI::GetInterface(LPCTSTR pstrName) {
    return _wcsicmp(pstrName, L"Edit") == 0 ? this : CLabelUI::GetInterface(pstrName);
}

UINT CEditUI::GetControlFlags() const { return IsEnabled() ? (UIFLAG_TABSTOP | UIFLAG_SETCURSOR) : 0; }

void CEditUI::SetText(LPCTSTR pstrText) {
    m_sText = pstrText;
    m_iCaret = m_iAnchor = m_sText.GetLength();
    m_iScrollX = 0;
    EnsureCaretVisible();
    Invalidate();
}

void CEditUI::SetEnabled(bool bEnable) {
    CLabelUI::SetEnabled(bEnable);
    if (!IsEnabled()) m_uButtonState = 0;
}

void CEditUI::SetMaxChar(UINT uMax) { m_uMaxChar = uMax; }
void CEditUI::SetReadOnly(bool bReadOnly) {
    m_bReadOnly = bReadOnly;
    Invalidate();
}
void CEditUI::SetNumberOnly(bool bNumberOnly) { m_bNumberOnly = bNumberOnly; }
void CEditUI::SetPasswordMode(bool bPasswordMode) {
    m_bPasswordMode = bPasswordMode;
    Invalidate();
}

void CEditUI::SetSel(long nStartChar, long nEndChar) {
    int length = m_sText.GetLength();
    if (nEndChar < 0) nEndChar = length;
    m_iAnchor = std::clamp<int>(nStartChar, 0, length);
    m_iCaret = std::clamp<int>(nEndChar, 0, length);
    EnsureCaretVisible();
    Invalidate();
}

void CEditUI::SetSelAll() { SetSel(0, -1); }

void CEditUI::SetSelNone() {
    m_iAnchor = m_iCaret;
    Invalidate();
}

void CEditUI::GetSel(long& nStartChar, long& nEndChar) const {
    nStartChar = std::min(m_iAnchor, m_iCaret);
    nEndChar = std::max(m_iAnchor, m_iCaret);
}

CDuiString CEditUI::GetSelText() const {
    long start = 0, end = 0;
    GetSel(start, end);
    return m_sText.Mid(start, end - start);
}

void CEditUI::ReplaceSel(LPCTSTR pstrText) {
    DeleteSelection();
    CDuiString text(pstrText);
    std::wstring s = m_sText.Str();
    s.insert(static_cast<size_t>(m_iCaret), text.Str());
    m_sText = s;
    m_iCaret += text.GetLength();
    m_iAnchor = m_iCaret;
    EnsureCaretVisible();
    Invalidate();
}

CDuiString CEditUI::DisplayText() const {
    if (!m_bPasswordMode) return m_sText;
    return CDuiString(std::wstring(static_cast<size_t>(m_sText.GetLength()), m_cPasswordChar));
}

RECT CEditUI::TextRect() const {
    RECT rc = m_rcItem;
    rc.left += m_rcTextPadding.left;
    rc.top += m_rcTextPadding.top;
    rc.right -= m_rcTextPadding.right;
    rc.bottom -= m_rcTextPadding.bottom;
    return rc;
}

std::vector<int> CEditUI::CaretPositions(HDC hDC) const {
    CDuiString text = DisplayText();
    std::vector<int> xs(static_cast<size_t>(text.GetLength()) + 1, 0);
    if (text.IsEmpty() || !m_pManager) return xs;
    HDC dc = hDC ? hDC : m_pManager->GetPaintDC();
    HGDIOBJ old = SelectObject(dc, m_pManager->GetFont(m_iFont));
    std::vector<INT> extents(static_cast<size_t>(text.GetLength()));
    SIZE size = {};
    INT fit = 0;
    GetTextExtentExPointW(dc, text, text.GetLength(), 0x7FFFFFFF, &fit, extents.data(), &size);
    SelectObject(dc, old);
    for (size_t i = 0; i < extents.size(); ++i) xs[i + 1] = extents[i];
    return xs;
}

int CEditUI::OriginX(const std::vector<int>& xs) const {
    RECT rc = TextRect();
    int width = rc.right - rc.left, textWidth = xs.back();
    if (textWidth <= width) {
        if (m_uTextStyle & DT_CENTER) return rc.left + (width - textWidth) / 2;
        if (m_uTextStyle & DT_RIGHT) return rc.right - textWidth;
        return rc.left;
    }
    return rc.left - std::clamp(m_iScrollX, 0, textWidth - width + 1);
}

int CEditUI::HitTest(POINT pt) {
    std::vector<int> xs = CaretPositions(nullptr);
    int x = pt.x - OriginX(xs);
    int best = 0;
    for (size_t i = 1; i < xs.size(); ++i)
        if (std::abs(xs[i] - x) < std::abs(xs[best] - x)) best = static_cast<int>(i);
    return best;
}

void CEditUI::EnsureCaretVisible() {
    if (!m_pManager) return;
    RECT rc = TextRect();
    if (rc.right <= rc.left) return;  // not laid out yet
    std::vector<int> xs = CaretPositions(nullptr);
    int width = rc.right - rc.left;
    int caretX = xs[static_cast<size_t>(std::clamp(m_iCaret, 0, static_cast<int>(xs.size()) - 1))];
    if (xs.back() <= width)
        m_iScrollX = 0;
    else if (caretX - m_iScrollX > width - 1)
        m_iScrollX = caretX - width + 1;
    else if (caretX < m_iScrollX)
        m_iScrollX = caretX;
    m_iScrollX = std::clamp(m_iScrollX, 0, std::max(0, xs.back() - width + 1));
}

void CEditUI::MoveCaret(int pos, bool extend) {
    m_iCaret = std::clamp(pos, 0, m_sText.GetLength());
    if (!extend) m_iAnchor = m_iCaret;
    EnsureCaretVisible();
    RestartCaret();
    Invalidate();
}

void CEditUI::DeleteSelection() {
    long start = 0, end = 0;
    GetSel(start, end);
    if (start == end) return;
    std::wstring s = m_sText.Str();
    s.erase(static_cast<size_t>(start), static_cast<size_t>(end - start));
    m_sText = s;
    m_iCaret = m_iAnchor = start;
}

bool CEditUI::InsertTyped(const CDuiString& typed) {
    if (m_bReadOnly || typed.IsEmpty()) return false;
    CDuiString text;
    for (int i = 0; i < typed.GetLength(); ++i) {
        wchar_t ch = typed[i];
        if (ch == L'\r' || ch == L'\n' || ch == L'\t') continue;  // one line only
        if (m_bNumberOnly && !iswdigit(ch)) continue;
        text += ch;
    }
    if (text.IsEmpty()) return false;
    long start = 0, end = 0;
    GetSel(start, end);
    int room = m_uMaxChar ? static_cast<int>(m_uMaxChar) - (m_sText.GetLength() - (end - start)) : text.GetLength();
    if (room <= 0) {
        MessageBeep(MB_OK);
        return false;
    }
    ReplaceSel(text.Left(room));
    return true;
}

void CEditUI::TextChangedByUser() {
    RestartCaret();
    Invalidate();
    if (m_pManager) m_pManager->SendNotify(this, DUI_MSGTYPE_TEXTCHANGED);
}

void CEditUI::RestartCaret() {
    m_bCaretShown = m_bFocused && !m_bReadOnly;
    if (m_pManager && m_bFocused) m_pManager->SetTimer(this, kCaretTimer, kCaretBlinkMs);
    UpdateImePosition();
}

void CEditUI::UpdateImePosition() {
    if (!m_pManager || !m_bFocused) return;
    HWND hwnd = m_pManager->GetPaintWindow();
    HIMC imc = ImmGetContext(hwnd);
    if (!imc) return;
    std::vector<int> xs = CaretPositions(nullptr);
    RECT rc = TextRect();
    COMPOSITIONFORM form = {};
    form.dwStyle = CFS_POINT;
    form.ptCurrentPos = {
        OriginX(xs) + xs[static_cast<size_t>(std::clamp(m_iCaret, 0, static_cast<int>(xs.size()) - 1))], rc.top};
    ImmSetCompositionWindow(imc, &form);
    ImmReleaseContext(hwnd, imc);
}

bool CEditUI::HandleKey(TEventUI& event) {
    bool shift = (event.wKeyState & MK_SHIFT) != 0, ctrl = (event.wKeyState & MK_CONTROL) != 0;
    long start = 0, end = 0;
    GetSel(start, end);
    switch (event.chKey) {
        case VK_LEFT: MoveCaret(!shift && start != end ? start : m_iCaret - 1, shift); return true;
        case VK_RIGHT: MoveCaret(!shift && start != end ? end : m_iCaret + 1, shift); return true;
        case VK_HOME: MoveCaret(0, shift); return true;
        case VK_END: MoveCaret(m_sText.GetLength(), shift); return true;
        case VK_DELETE:
            if (m_bReadOnly) return true;
            if (start == end) {
                if (m_iCaret >= m_sText.GetLength()) return true;
                m_iAnchor = m_iCaret + 1;
            }
            DeleteSelection();
            EnsureCaretVisible();
            TextChangedByUser();
            return true;
        case VK_RETURN:
            if (m_pManager) m_pManager->SendNotify(this, DUI_MSGTYPE_RETURN);
            return true;
        default: break;
    }
    if (!ctrl) return false;
    if (event.chKey == 'A') {
        SetSelAll();
        return true;
    }
    if ((event.chKey == 'C' || event.chKey == 'X') && start != end && !m_bPasswordMode && m_pManager) {
        CDuiString sel = GetSelText();
        if (OpenClipboard(m_pManager->GetPaintWindow())) {
            EmptyClipboard();
            size_t bytes = (static_cast<size_t>(sel.GetLength()) + 1) * sizeof(wchar_t);
            HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, bytes);
            if (mem) {
                memcpy(GlobalLock(mem), sel.GetData(), bytes);
                GlobalUnlock(mem);
                if (!SetClipboardData(CF_UNICODETEXT, mem)) GlobalFree(mem);
            }
            CloseClipboard();
        }
        if (event.chKey == 'X' && !m_bReadOnly) {
            DeleteSelection();
            EnsureCaretVisible();
            TextChangedByUser();
        }
        return true;
    }
    if (event.chKey == 'V' && m_pManager) {
        CDuiString pasted;
        if (OpenClipboard(m_pManager->GetPaintWindow())) {
            if (HANDLE mem = GetClipboardData(CF_UNICODETEXT)) {
                if (auto* text = static_cast<const wchar_t*>(GlobalLock(mem))) {
                    pasted = text;
                    GlobalUnlock(mem);
                }
            }
            CloseClipboard();
        }
        if (InsertTyped(pasted)) TextChangedByUser();
        return true;
    }
    return false;
}

void CEditUI::DoEvent(TEventUI& event) {
    if (ForwardMouseWhenDisabled(event)) return;
    switch (event.Type) {
        case UIEVENT_SETCURSOR:
            ::SetCursor(LoadCursorW(nullptr, m_bReadOnly ? IDC_ARROW : (m_cursor ? m_cursor : IDC_IBEAM)));
            return;
        case UIEVENT_SETFOCUS:
            m_bFocused = true;
            RestartCaret();
            Invalidate();
            return;
        case UIEVENT_KILLFOCUS:
            m_bFocused = false;
            m_bCaretShown = false;
            m_bDragging = false;
            if (m_pManager) m_pManager->KillTimer(this, kCaretTimer);
            Invalidate();
            return;
        case UIEVENT_TIMER:
            if (event.wParam == kCaretTimer) {
                m_bCaretShown = !m_bCaretShown && m_bFocused && !m_bReadOnly;
                Invalidate();
            }
            return;
        case UIEVENT_BUTTONDOWN:
            if (!IsEnabled()) return;
            MoveCaret(HitTest(event.ptMouse), (event.wKeyState & MK_SHIFT) != 0);
            m_bDragging = true;
            return;
        case UIEVENT_MOUSEMOVE:
            if (m_bDragging) MoveCaret(HitTest(event.ptMouse), true);
            return;
        case UIEVENT_BUTTONUP: m_bDragging = false; return;
        case UIEVENT_DBLCLICK:
            if (IsEnabled()) SetSelAll();
            return;
        case UIEVENT_MOUSEENTER:
            m_uButtonState |= UISTATE_HOT;
            Invalidate();
            return;
        case UIEVENT_MOUSELEAVE:
            m_uButtonState &= ~UISTATE_HOT;
            Invalidate();
            return;
        case UIEVENT_KEYDOWN:
            if (IsEnabled() && HandleKey(event)) return;
            break;
        case UIEVENT_CHAR:
            if (!IsEnabled() || m_bReadOnly) return;
            if (event.chKey == VK_BACK) {
                long start = 0, end = 0;
                GetSel(start, end);
                if (start == end) {
                    if (m_iCaret == 0) return;
                    m_iAnchor = m_iCaret - 1;
                }
                DeleteSelection();
                EnsureCaretVisible();
                TextChangedByUser();
                return;
            }
            if (event.chKey < L' ') return;  // Enter, Tab, Ctrl shortcuts: handled as keys
            if (InsertTyped(CDuiString(static_cast<wchar_t>(event.chKey)))) TextChangedByUser();
            return;
        default: break;
    }
    CLabelUI::DoEvent(event);
}

void CEditUI::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) {
    CDuiString name(pstrName);
    if (name == L"readonly")
        SetReadOnly(ParseBool(pstrValue));
    else if (name == L"numberonly")
        SetNumberOnly(ParseBool(pstrValue));
    else if (name == L"password")
        SetPasswordMode(ParseBool(pstrValue));
    else if (name == L"maxchar")
        SetMaxChar(static_cast<UINT>(std::max(0, ParseInt(pstrValue))));
    else if (name == L"normalimage")
        SetNormalImage(pstrValue);
    else if (name == L"hotimage")
        SetHotImage(pstrValue);
    else if (name == L"focusedimage")
        SetFocusedImage(pstrValue);
    else if (name == L"disabledimage")
        SetDisabledImage(pstrValue);
    else if (name == L"selectedbkcolor")
        m_dwSelectedBkColor = ParseColor(pstrValue);
    else if (name == L"selectedtextcolor")
        m_dwSelectedTextColor = ParseColor(pstrValue);
    else if (name == L"multiline" || name == L"wantreturn" || name == L"rich" || name == L"autovscroll") {
        // One line of plain text is all this box edits.
    } else
        CLabelUI::SetAttribute(pstrName, pstrValue);
}

void CEditUI::PaintStatusImage(HDC hDC) {
    if (!IsEnabled() && !m_sDisabledImage.IsEmpty() && DrawImage(hDC, m_sDisabledImage)) return;
    if (m_bFocused && !m_sFocusedImage.IsEmpty() && DrawImage(hDC, m_sFocusedImage)) return;
    if ((m_uButtonState & UISTATE_HOT) && !m_sHotImage.IsEmpty() && DrawImage(hDC, m_sHotImage)) return;
    if (!m_sNormalImage.IsEmpty()) DrawImage(hDC, m_sNormalImage);
}

void CEditUI::PaintText(HDC hDC) {
    if (!m_pManager) return;
    RECT rc = TextRect();
    if (rc.right <= rc.left || rc.bottom <= rc.top) return;
    std::vector<int> xs = CaretPositions(hDC);
    int origin = OriginX(xs);
    CDuiString text = DisplayText();
    int saved = SaveDC(hDC);
    IntersectClipRect(hDC, rc.left, rc.top, rc.right, rc.bottom);
    UINT style = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_LEFT | DT_NOCLIP;
    RECT line = {origin, rc.top, origin + xs.back() + 2, rc.bottom};
    CRenderEngine::DrawText(hDC, m_pManager, line, text, CurrentTextColor(), m_iFont, style);
    long start = 0, end = 0;
    GetSel(start, end);
    if (m_bFocused && start != end) {
        RECT sel = {origin + xs[start], rc.top, origin + xs[end], rc.bottom};
        CRenderEngine::DrawColor(hDC, sel, m_dwSelectedBkColor);
        int selSaved = SaveDC(hDC);
        IntersectClipRect(hDC, sel.left, sel.top, sel.right, sel.bottom);
        CRenderEngine::DrawText(hDC, m_pManager, line, text, m_dwSelectedTextColor, m_iFont, style);
        RestoreDC(hDC, selSaved);
    }
    if (m_bCaretShown && m_bFocused) {
        int x = origin + xs[static_cast<size_t>(std::clamp(m_iCaret, 0, static_cast<int>(xs.size()) - 1))];
        int height = m_pManager->GetFontInfo(m_iFont)->tm.tmHeight;
        int top = rc.top + std::max(0L, (rc.bottom - rc.top - height) / 2);
        CRenderEngine::DrawColor(hDC, {x, top, x + 1, std::min<long>(rc.bottom, top + height)}, CurrentTextColor());
    }
    RestoreDC(hDC, saved);
}

LPVOID CRichEditUI::GetInterface(LPCTSTR pstrName) {
    return _wcsicmp(pstrName, L"RichEdit") == 0 ? this : CEditUI::GetInterface(pstrName);
}

}  // namespace DuiLib
