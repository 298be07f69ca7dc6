// The three layouts: children stacked top to bottom, left to right, or one page
// of many at a time.
//
// Vertical (horizontal is the same across): a child with a fixed height takes
// it; the others share what is left equally; widths are fixed or the full
// width less padding. childpadding separates the children, inset the edges.
#pragma once

#include "ui/controls/container.h"

namespace DuiLib {

class CVerticalLayoutUI : public CContainerUI {
public:
    LPCTSTR GetClass() const override { return L"VerticalLayoutUI"; }
    LPVOID GetInterface(LPCTSTR pstrName) override;
    void SetPos(RECT rc, bool bNeedInvalidate = true) override;
};

class CHorizontalLayoutUI : public CContainerUI {
public:
    LPCTSTR GetClass() const override { return L"HorizontalLayoutUI"; }
    LPVOID GetInterface(LPCTSTR pstrName) override;
    void SetPos(RECT rc, bool bNeedInvalidate = true) override;
};

// Shows one child (a page) at a time, each filling the layout.
class CTabLayoutUI : public CContainerUI {
public:
    LPCTSTR GetClass() const override { return L"TabLayoutUI"; }
    LPVOID GetInterface(LPCTSTR pstrName) override;

    bool Add(CControlUI* pControl) override;
    bool AddAt(CControlUI* pControl, int iIndex) override;
    bool Remove(CControlUI* pControl, bool bDoNotDestroy = false) override;
    void RemoveAll() override;
    int GetCurSel() const { return m_iCurSel; }
    // Shows page iIndex; false when there is no such page.
    bool SelectItem(int iIndex);
    bool SelectItem(CControlUI* pControl);
    void SetPos(RECT rc, bool bNeedInvalidate = true) override;
    void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) override;

private:
    void ShowSelected();
    int m_iCurSel = 0;
};

}  // namespace DuiLib
