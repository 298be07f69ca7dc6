// CContainerUI: a control holding children; with its layouts (vertical,
// horizontal, tab) it places them, and it scrolls when given scroll bars
// (vscrollbar="true"). The container owns its children: Remove and RemoveAt
// delete them unless told not to.
#pragma once

#include <vector>

#include "ui/controls/control.h"

namespace DuiLib {

class CScrollBarUI;

class CContainerUI : public CControlUI {
public:
    CContainerUI();
    ~CContainerUI() override;

    LPCTSTR GetClass() const override { return L"ContainerUI"; }
    LPVOID GetInterface(LPCTSTR pstrName) override;

    // Children.
    virtual CControlUI* GetItemAt(int iIndex) const;
    virtual int GetItemIndex(CControlUI* pControl) const;
    virtual bool SetItemIndex(CControlUI* pControl, int iIndex);
    virtual int GetCount() const;
    virtual bool Add(CControlUI* pControl);
    virtual bool AddAt(CControlUI* pControl, int iIndex);
    virtual bool Remove(CControlUI* pControl, bool bDoNotDestroy = false);
    virtual bool RemoveAt(int iIndex, bool bDoNotDestroy = false);
    virtual void RemoveAll();
    bool IsAutoDestroy() const { return m_bAutoDestroy; }
    void SetAutoDestroy(bool bAuto) { m_bAutoDestroy = bAuto; }
    // The container's own children. A list's GetItemAt/GetCount give its rows
    // (held by an inner body); these always give what this container holds.
    int ChildCount() const { return static_cast<int>(m_items.size()); }
    CControlUI* ChildAt(int iIndex) const;
    // The first descendant of that name (hidden ones too), or null.
    CControlUI* FindSubControl(LPCTSTR pstrSubControlName);

    // Layout space.
    virtual RECT GetInset() const { return m_rcInset; }
    virtual void SetInset(RECT rcInset);
    virtual int GetChildPadding() const { return m_iChildPadding; }
    virtual void SetChildPadding(int iPadding);
    virtual bool IsMouseChildEnabled() const { return m_bMouseChildEnabled; }
    virtual void SetMouseChildEnabled(bool bEnable = true);

    // Scrolling. SetScrollPos moves the content (clamped to the range), lays it
    // out again at once and, when bMsg, sends "scroll" from this container.
    virtual SIZE GetScrollPos() const;
    virtual SIZE GetScrollRange() const;
    virtual void SetScrollPos(SIZE szPos, bool bMsg = true);
    virtual void LineUp();
    virtual void LineDown();
    virtual void PageUp();
    virtual void PageDown();
    virtual void HomeUp();
    virtual void EndDown();
    virtual void EnableScrollBar(bool bEnableVertical = true, bool bEnableHorizontal = false);
    virtual CScrollBarUI* GetVerticalScrollBar() const { return m_pVerticalScrollBar; }
    virtual CScrollBarUI* GetHorizontalScrollBar() const { return m_pHorizontalScrollBar; }
    int GetScrollStepSize() const { return m_nScrollStepSize; }
    void SetScrollStepSize(int nSize) {
        if (nSize > 0) m_nScrollStepSize = nSize;
    }

    void SetVisible(bool bVisible = true) override;
    // Reaches every control inside, now and added later: a disabled container's
    // controls take no input and paint greyed.
    void SetEnabled(bool bEnable = true) override;
    void SetInternVisible(bool bVisible = true) override;
    void SetManager(CPaintManagerUI* pManager, CControlUI* pParent, bool bInit = true) override;
    CControlUI* FindControl(FINDCONTROLPROC Proc, LPVOID pData, UINT uFlags) override;
    void DoEvent(TEventUI& event) override;
    void SetPos(RECT rc, bool bNeedInvalidate = true) override;
    void DoPaint(HDC hDC, const RECT& rcPaint) override;
    void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) override;

protected:
    // The rectangle children are laid out in: the item less inset and scroll bars.
    RECT GetInnerRect() const;
    // Places a float child at its fixed offset from this container's top-left.
    void SetFloatPos(int iIndex);
    // Shows or hides the scroll bars for content of cxRequired x cyRequired and
    // updates their ranges. True when a bar's visibility changed (lay out again).
    bool ProcessScrollBar(RECT rc, int cxRequired, int cyRequired);
    void ScrollChildren(SIZE delta);

    std::vector<CControlUI*> m_items;
    RECT m_rcInset = {0, 0, 0, 0};
    int m_iChildPadding = 0;
    bool m_bAutoDestroy = true;
    bool m_bMouseChildEnabled = true;
    int m_nScrollStepSize = 40;
    CScrollBarUI* m_pVerticalScrollBar = nullptr;
    CScrollBarUI* m_pHorizontalScrollBar = nullptr;
};

}  // namespace DuiLib
