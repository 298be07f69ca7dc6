// CComboUI: shows the selected row of its items (usually CListLabelElementUI)
// and opens them in a drop-down window when clicked. Choosing a row sends the
// combo's "itemselect" and then the row's "itemclick" (through the window that
// holds the combo), then closes the drop-down. SelectItem from code sends
// "itemselect" too (bTriggerEvent false to keep it quiet).
#pragma once

#include "ui/controls/list.h"

namespace DuiLib {

class CComboWnd;

class CComboUI : public CContainerUI, public IListOwnerUI {
public:
    CComboUI();
    ~CComboUI() override;

    LPCTSTR GetClass() const override { return L"ComboUI"; }
    LPVOID GetInterface(LPCTSTR pstrName) override;
    UINT GetControlFlags() const override;

    // The selected row's text, empty when none is selected.
    CDuiString GetText() const override;
    void SetEnabled(bool bEnable = true) override;
    bool Activate() override;
    bool IsDropped() const { return m_pWindow != nullptr; }
    // Closes an open drop-down.
    void CloseDropDown();

    bool Add(CControlUI* pControl) override;
    bool AddAt(CControlUI* pControl, int iIndex) override;
    bool Remove(CControlUI* pControl, bool bDoNotDestroy = false) override;
    bool RemoveAt(int iIndex, bool bDoNotDestroy = false) override;
    void RemoveAll() override;

    int GetCurSel() const override { return m_iCurSel; }
    bool SelectItem(int iIndex, bool bTakeFocus = false, bool bTriggerEvent = true) override;
    TListInfoUI* GetListInfo() override { return &m_ListInfo; }
    CControlUI* GetOwnerControl() override { return this; }
    void ItemButtonDown(IListItemUI* pItem, const TEventUI& event) override;
    void ItemContextMenu(IListItemUI*, const TEventUI&) override {}

    // The drop-down's size; cx 0 means the combo's width.
    SIZE GetDropBoxSize() const { return m_szDropBox; }
    void SetDropBoxSize(SIZE szDropBox) { m_szDropBox = szDropBox; }
    // Attributes for the drop-down's list layout (bkcolor, bordercolor, inset, ...).
    LPCTSTR GetDropBoxAttributeList() const { return m_sDropBoxAttributes; }
    RECT GetTextPadding() const { return m_rcTextPadding; }
    void SetTextPadding(RECT rc) {
        m_rcTextPadding = rc;
        Invalidate();
    }

    void SetPos(RECT rc, bool bNeedInvalidate = true) override;
    CControlUI* FindControl(FINDCONTROLPROC Proc, LPVOID pData, UINT uFlags) override;
    void DoEvent(TEventUI& event) override;
    void DoPaint(HDC hDC, const RECT& rcPaint) override;
    void PaintStatusImage(HDC hDC) override;
    void PaintText(HDC hDC) override;
    void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) override;

private:
    friend class CComboWnd;
    void ReindexFrom(int iIndex);

    CComboWnd* m_pWindow = nullptr;
    int m_iCurSel = -1;
    TListInfoUI m_ListInfo;
    SIZE m_szDropBox = {0, 150};
    CDuiString m_sDropBoxAttributes;
    RECT m_rcTextPadding = {4, 1, 20, 1};
    UINT m_uButtonState = 0;
    int m_iFont = -1;
    DWORD m_dwTextColor = 0;
    DWORD m_dwDisabledTextColor = 0;
    CDuiString m_sNormalImage;
    CDuiString m_sHotImage;
    CDuiString m_sPushedImage;
    CDuiString m_sFocusedImage;
    CDuiString m_sDisabledImage;
};

}  // namespace DuiLib
