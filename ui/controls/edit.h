// CEditUI: a single-line text box drawn by the library (so it works in layered
// windows too): caret, selection, mouse and keyboard editing, clipboard, IME.
// The user's edits send "textchanged"; SetText from code does not. Enter sends
// "return"; losing the focus sends "killfocus" (from the paint manager).
// CRichEditUI is the same box under the RichEdit tag (one line of plain text).
#pragma once

#include <vector>

#include "ui/controls/label.h"

namespace DuiLib {

class CEditUI : public CLabelUI {
public:
    CEditUI();

    LPCTSTR GetClass() const override { return L"EditUI"; }
    LPVOID GetInterface(LPCTSTR pstrName) override;
    UINT GetControlFlags() const override;

    void SetText(LPCTSTR pstrText) override;
    void SetEnabled(bool bEnable = true) override;
    // 0 means no limit.
    UINT GetMaxChar() const { return m_uMaxChar; }
    void SetMaxChar(UINT uMax);
    bool IsReadOnly() const { return m_bReadOnly; }
    void SetReadOnly(bool bReadOnly);
    bool IsNumberOnly() const { return m_bNumberOnly; }
    void SetNumberOnly(bool bNumberOnly);
    bool IsPasswordMode() const { return m_bPasswordMode; }
    void SetPasswordMode(bool bPasswordMode);

    // Selection in characters; end -1 means the end of the text.
    void SetSel(long nStartChar, long nEndChar);
    void SetSelAll();
    void SetSelNone();
    void GetSel(long& nStartChar, long& nEndChar) const;
    CDuiString GetSelText() const;
    void ReplaceSel(LPCTSTR pstrText);

    void SetNormalImage(LPCTSTR pStrImage) {
        m_sNormalImage = pStrImage;
        Invalidate();
    }
    void SetHotImage(LPCTSTR pStrImage) {
        m_sHotImage = pStrImage;
        Invalidate();
    }
    void SetFocusedImage(LPCTSTR pStrImage) {
        m_sFocusedImage = pStrImage;
        Invalidate();
    }
    void SetDisabledImage(LPCTSTR pStrImage) {
        m_sDisabledImage = pStrImage;
        Invalidate();
    }

    void DoEvent(TEventUI& event) override;
    void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) override;
    void PaintStatusImage(HDC hDC) override;
    void PaintText(HDC hDC) override;

protected:
    // The text as shown (masked in password mode).
    CDuiString DisplayText() const;
    RECT TextRect() const;
    // x of each caret position (0..length) relative to the text's origin.
    std::vector<int> CaretPositions(HDC hDC) const;
    int OriginX(const std::vector<int>& xs) const;
    int HitTest(POINT pt);
    void EnsureCaretVisible();
    void MoveCaret(int pos, bool extend);
    // Inserts typed text in place of the selection; false when refused.
    bool InsertTyped(const CDuiString& text);
    void DeleteSelection();
    void TextChangedByUser();
    void RestartCaret();
    void UpdateImePosition();
    bool HandleKey(TEventUI& event);

    UINT m_uMaxChar = 255;
    bool m_bReadOnly = false;
    bool m_bNumberOnly = false;
    bool m_bPasswordMode = false;
    wchar_t m_cPasswordChar = L'*';
    int m_iCaret = 0;
    int m_iAnchor = 0;
    int m_iScrollX = 0;
    bool m_bCaretShown = false;
    bool m_bDragging = false;
    UINT m_uButtonState = 0;
    DWORD m_dwSelectedBkColor = 0xFF3399FF;
    DWORD m_dwSelectedTextColor = 0xFFFFFFFF;
    CDuiString m_sNormalImage;
    CDuiString m_sHotImage;
    CDuiString m_sFocusedImage;
    CDuiString m_sDisabledImage;
};

class CRichEditUI : public CEditUI {
public:
    LPCTSTR GetClass() const override { return L"RichEditUI"; }
    LPVOID GetInterface(LPCTSTR pstrName) override;
};

}  // namespace DuiLib
