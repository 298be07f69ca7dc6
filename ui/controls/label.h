// CLabelUI: a control that shows text (font, colours, alignment, padding);
// CTextUI: a label whose text wraps over several lines.
#pragma once

#include "ui/controls/control.h"

namespace DuiLib {

class CLabelUI : public CControlUI {
public:
    CLabelUI();

    LPCTSTR GetClass() const override { return L"LabelUI"; }
    LPVOID GetInterface(LPCTSTR pstrName) override;

    // DrawText style bits (DT_*); labels start as DT_VCENTER | DT_SINGLELINE.
    UINT GetTextStyle() const { return m_uTextStyle; }
    void SetTextStyle(UINT uStyle);
    DWORD GetTextColor() const { return m_dwTextColor; }
    void SetTextColor(DWORD dwTextColor);
    DWORD GetDisabledTextColor() const { return m_dwDisabledTextColor; }
    void SetDisabledTextColor(DWORD dwTextColor);
    // An index of the paint manager's font table; -1 is the default font.
    int GetFont() const { return m_iFont; }
    void SetFont(int index);
    RECT GetTextPadding() const { return m_rcTextPadding; }
    void SetTextPadding(RECT rc);
    // With autocalcwidth the label is as wide as its text (plus padding).
    bool IsAutoCalcWidth() const { return m_bAutoCalcWidth; }
    void SetAutoCalcWidth(bool bAuto);

    void SetText(LPCTSTR pstrText) override;
    SIZE EstimateSize(SIZE szAvailable) override;
    void DoEvent(TEventUI& event) override;
    void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) override;
    void PaintText(HDC hDC) override;

protected:
    // The text colour for the current state (disabled, or the label's own, or the window's default).
    DWORD CurrentTextColor(DWORD stateColor = 0) const;
    void DrawLabelText(HDC hDC, DWORD color);

    UINT m_uTextStyle = DT_VCENTER | DT_SINGLELINE;
    DWORD m_dwTextColor = 0;
    DWORD m_dwDisabledTextColor = 0;
    int m_iFont = -1;
    RECT m_rcTextPadding = {0, 0, 0, 0};
    bool m_bAutoCalcWidth = false;
};

class CTextUI : public CLabelUI {
public:
    CTextUI();
    LPCTSTR GetClass() const override { return L"TextUI"; }
    LPVOID GetInterface(LPCTSTR pstrName) override;
};

}  // namespace DuiLib
