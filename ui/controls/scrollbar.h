// CScrollBarUI: the scroll bar of a scrolling container. Drawn flat (a track and
// a thumb in colours, or images); the thumb is dragged, the track pages.
#pragma once

#include "ui/controls/control.h"

namespace DuiLib {

class CContainerUI;

class CScrollBarUI : public CControlUI {
public:
    CScrollBarUI();

    LPCTSTR GetClass() const override { return L"ScrollBarUI"; }
    LPVOID GetInterface(LPCTSTR pstrName) override;

    CContainerUI* GetOwner() const { return m_pOwner; }
    void SetOwner(CContainerUI* pOwner) { m_pOwner = pOwner; }
    bool IsHorizontal() const { return m_bHorizontal; }
    void SetHorizontal(bool bHorizontal = true);
    int GetScrollRange() const { return m_nRange; }
    void SetScrollRange(int nRange);
    int GetScrollPos() const { return m_nScrollPos; }
    void SetScrollPos(int nPos);
    // The bar's thickness (width of a vertical bar).
    int GetThickness() const { return m_nThickness; }
    RECT GetThumbRect() const;

    void DoEvent(TEventUI& event) override;
    void DoPaint(HDC hDC, const RECT& rcPaint) override;
    void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) override;

private:
    void ScrollOwnerTo(int pos);

    CContainerUI* m_pOwner = nullptr;
    bool m_bHorizontal = false;
    int m_nRange = 0;
    int m_nScrollPos = 0;
    int m_nThickness = 10;
    UINT m_uThumbState = 0;
    POINT m_ptDragStart = {0, 0};
    int m_nDragStartPos = 0;
    DWORD m_dwTrackColor = 0x10000000;
    DWORD m_dwThumbColor = 0xFFC8C8C8;
    DWORD m_dwThumbHotColor = 0xFFA8A8A8;
    DWORD m_dwThumbPushedColor = 0xFF909090;
    CDuiString m_sThumbNormalImage;
    CDuiString m_sThumbHotImage;
    CDuiString m_sThumbPushedImage;
};

}  // namespace DuiLib
