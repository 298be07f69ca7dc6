// Buttons: CButtonUI sends "click" when pressed and released over it; an
// Option (COptionUI) is a button with a selected state, exclusive within its
// group; a CheckBox is an Option without a group.
//
// Order of an Option's notifications on a click: "click" first (the handler
// still sees the old state), then the selection changes and "selectchanged"
// follows (wParam 1 selected, 0 not). Selected() called from code sends
// "selectchanged" at once: in a group only for the option that becomes
// selected, otherwise on both transitions.
#pragma once

#include "ui/controls/label.h"

namespace DuiLib {

class CButtonUI : public CLabelUI {
public:
    CButtonUI();

    LPCTSTR GetClass() const override { return L"ButtonUI"; }
    LPVOID GetInterface(LPCTSTR pstrName) override;
    UINT GetControlFlags() const override;
    bool Activate() override;
    void SetEnabled(bool bEnable = true) override;
    void DoEvent(TEventUI& event) override;

    LPCTSTR GetNormalImage() const { return m_sNormalImage; }
    void SetNormalImage(LPCTSTR pStrImage);
    LPCTSTR GetHotImage() const { return m_sHotImage; }
    void SetHotImage(LPCTSTR pStrImage);
    LPCTSTR GetPushedImage() const { return m_sPushedImage; }
    void SetPushedImage(LPCTSTR pStrImage);
    LPCTSTR GetFocusedImage() const { return m_sFocusedImage; }
    void SetFocusedImage(LPCTSTR pStrImage);
    LPCTSTR GetDisabledImage() const { return m_sDisabledImage; }
    void SetDisabledImage(LPCTSTR pStrImage);
    LPCTSTR GetForeImage() const { return m_sForeImage; }
    void SetForeImage(LPCTSTR pStrImage);
    LPCTSTR GetHotForeImage() const { return m_sHotForeImage; }
    void SetHotForeImage(LPCTSTR pStrImage);
    DWORD GetHotTextColor() const { return m_dwHotTextColor; }
    void SetHotTextColor(DWORD dwColor);
    DWORD GetPushedTextColor() const { return m_dwPushedTextColor; }
    void SetPushedTextColor(DWORD dwColor);
    DWORD GetFocusedTextColor() const { return m_dwFocusedTextColor; }
    void SetFocusedTextColor(DWORD dwColor);
    DWORD GetHotBkColor() const { return m_dwHotBkColor; }
    void SetHotBkColor(DWORD dwColor);
    DWORD GetPushedBkColor() const { return m_dwPushedBkColor; }
    void SetPushedBkColor(DWORD dwColor);
    // The fore colour: a plain colour drawn over the background (e.g. a swatch).
    DWORD GetForeColor() const { return m_dwForeColor; }
    void SetForeColor(DWORD dwColor);
    UINT GetButtonState() const { return m_uButtonState; }

    void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) override;
    void PaintBkColor(HDC hDC) override;
    void PaintText(HDC hDC) override;
    void PaintStatusImage(HDC hDC) override;

protected:
    // Draws the image for the current press state; true when one was drawn.
    bool PaintStateImage(HDC hDC);
    void PaintForeImages(HDC hDC);
    virtual DWORD StateTextColor() const;

    UINT m_uButtonState = 0;
    CDuiString m_sNormalImage;
    CDuiString m_sHotImage;
    CDuiString m_sPushedImage;
    CDuiString m_sFocusedImage;
    CDuiString m_sDisabledImage;
    CDuiString m_sForeImage;
    CDuiString m_sHotForeImage;
    DWORD m_dwHotTextColor = 0;
    DWORD m_dwPushedTextColor = 0;
    DWORD m_dwFocusedTextColor = 0;
    DWORD m_dwHotBkColor = 0;
    DWORD m_dwPushedBkColor = 0;
    DWORD m_dwForeColor = 0;
};

class COptionUI : public CButtonUI {
public:
    COptionUI() = default;
    ~COptionUI() override;

    LPCTSTR GetClass() const override { return L"OptionUI"; }
    LPVOID GetInterface(LPCTSTR pstrName) override;
    void SetManager(CPaintManagerUI* pManager, CControlUI* pParent, bool bInit = true) override;
    bool Activate() override;
    void SetEnabled(bool bEnable = true) override;

    LPCTSTR GetGroup() const { return m_sGroupName; }
    // Leaves the current group and joins another (empty: none).
    void SetGroup(LPCTSTR pStrGroupName = nullptr);
    bool IsSelected() const { return m_bSelected; }
    virtual void Selected(bool bSelected, bool bTriggerEvent = true);

    LPCTSTR GetSelectedImage() const { return m_sSelectedImage; }
    void SetSelectedImage(LPCTSTR pStrImage);
    LPCTSTR GetSelectedHotImage() const { return m_sSelectedHotImage; }
    void SetSelectedHotImage(LPCTSTR pStrImage);
    DWORD GetSelectedTextColor() const { return m_dwSelectedTextColor; }
    void SetSelectedTextColor(DWORD dwTextColor);
    DWORD GetSelectedBkColor() const { return m_dwSelectedBkColor; }
    void SetSelectedBkColor(DWORD dwBkColor);

    void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) override;
    void PaintStatusImage(HDC hDC) override;

protected:
    DWORD StateTextColor() const override;

    bool m_bSelected = false;
    CDuiString m_sGroupName;
    CDuiString m_sSelectedImage;
    CDuiString m_sSelectedHotImage;
    DWORD m_dwSelectedTextColor = 0;
    DWORD m_dwSelectedBkColor = 0;
};

class CCheckBoxUI : public COptionUI {
public:
    LPCTSTR GetClass() const override { return L"CheckBoxUI"; }
    LPVOID GetInterface(LPCTSTR pstrName) override;
    void SetCheck(bool bCheck, bool bTriggerEvent = true) { Selected(bCheck, bTriggerEvent); }
    bool GetCheck() const { return IsSelected(); }
};

}  // namespace DuiLib
