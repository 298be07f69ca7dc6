// Lists: CListUI shows rows (list elements) under an optional header whose
// items give the column widths; rows scroll; one or several rows are selected.
// CComboUI (combo.h) keeps the same rows in a drop-down.
//
// Rows: CListLabelElementUI (one text), CListTextElementUI (a text per column),
// CListContainerElementUI (holds other controls).
//
// Notifications, in order, for a click on a row: the list's "itemselect"
// (wParam the new current row, lParam the old) when the selection changed,
// then the row's "itemclick". A right click sends the row's "itemrclick" and
// then the list's "menu" (wParam the row index or -1, lParam the row or 0)
// without changing the selection. A double click sends "itemactivate".
// Scrolling sends the list's "scroll".
#pragma once

#include <vector>

#include "ui/controls/button.h"
#include "ui/controls/layouts.h"

namespace DuiLib {

constexpr int UILIST_MAX_COLUMNS = 32;

// How the rows of a list or combo look (the owner's item* attributes).
struct TListInfoUI {
    int nColumns = 0;
    RECT rcColumn[UILIST_MAX_COLUMNS] = {};
    int nFont = -1;
    UINT uTextStyle = DT_VCENTER | DT_SINGLELINE;
    RECT rcTextPadding = {0, 0, 0, 0};
    DWORD dwTextColor = 0;
    DWORD dwBkColor = 0;
    CDuiString sBkImage;
    bool bAlternateBk = false;
    DWORD dwSelectedTextColor = 0;
    DWORD dwSelectedBkColor = 0;
    CDuiString sSelectedImage;
    DWORD dwHotTextColor = 0;
    DWORD dwHotBkColor = 0;
    CDuiString sHotImage;
    DWORD dwDisabledTextColor = 0;
    DWORD dwDisabledBkColor = 0;
    DWORD dwLineColor = 0;
};

class IListItemUI;

// What a row needs of the list or combo that holds it.
class IListOwnerUI {
public:
    virtual TListInfoUI* GetListInfo() = 0;
    // The lowest selected index, -1 when none.
    virtual int GetCurSel() const = 0;
    virtual bool SelectItem(int iIndex, bool bTakeFocus = false, bool bTriggerEvent = true) = 0;
    // The owner as a control (its paint manager sends the rows' notifications).
    virtual CControlUI* GetOwnerControl() = 0;
    // A row was pressed (selection follows the owner's rules) or right-clicked.
    virtual void ItemButtonDown(IListItemUI* pItem, const TEventUI& event) = 0;
    virtual void ItemContextMenu(IListItemUI* pItem, const TEventUI& event) = 0;
    virtual void DoEvent(TEventUI& event) = 0;

protected:
    ~IListOwnerUI() = default;
};

class IListItemUI {
public:
    virtual int GetIndex() const = 0;
    virtual void SetIndex(int iIndex) = 0;
    virtual IListOwnerUI* GetOwner() = 0;
    virtual void SetOwner(CControlUI* pOwner) = 0;
    virtual bool IsSelected() const = 0;
    // Asks the owner to select this row (or, with false, to unselect it).
    virtual bool Select(bool bSelect = true) = 0;
    // Sets the look only; the owner calls it.
    virtual void SetSelectedState(bool bSelected) = 0;
    virtual CControlUI* GetItemControl() = 0;

protected:
    ~IListItemUI() = default;
};

// Supplies row texts instead of the rows' own (CListUI::SetTextCallback).
class IListCallbackUI {
public:
    virtual LPCTSTR GetItemText(CControlUI* pList, int iItem, int iSubItem) = 0;

protected:
    ~IListCallbackUI() = default;
};

// Shared behaviour of rows: owner, index, selection and hot state, row background.
class CListElementBase : public IListItemUI {
public:
    int GetIndex() const override { return m_iIndex; }
    void SetIndex(int iIndex) override { m_iIndex = iIndex; }
    IListOwnerUI* GetOwner() override { return m_pOwner; }
    void SetOwner(CControlUI* pOwner) override;
    bool IsSelected() const override { return m_bSelected; }
    bool Select(bool bSelect = true) override;
    void SetSelectedState(bool bSelected) override;

protected:
    // Handles row events; false when the event is not a row event.
    bool DoItemEvent(TEventUI& event);
    void DrawItemBk(HDC hDC, const RECT& rcItem, const RECT& rcPaint);
    DWORD ItemTextColor() const;
    void SendRowNotify(LPCTSTR type, WPARAM wParam = 0, LPARAM lParam = 0);

    int m_iIndex = -1;
    IListOwnerUI* m_pOwner = nullptr;
    bool m_bSelected = false;
    UINT m_uItemState = 0;
};

class CListLabelElementUI : public CControlUI, public CListElementBase {
public:
    LPCTSTR GetClass() const override { return L"ListLabelElementUI"; }
    LPVOID GetInterface(LPCTSTR pstrName) override;
    UINT GetControlFlags() const override { return UIFLAG_WANTRETURN; }
    CControlUI* GetItemControl() override { return this; }
    void SetEnabled(bool bEnable = true) override;
    void SetVisible(bool bVisible = true) override;
    SIZE EstimateSize(SIZE szAvailable) override;
    void DoEvent(TEventUI& event) override;
    void DoPaint(HDC hDC, const RECT& rcPaint) override;
    void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) override;
    virtual void DrawItemText(HDC hDC, const RECT& rcItem);
};

class CListTextElementUI : public CListLabelElementUI {
public:
    LPCTSTR GetClass() const override { return L"ListTextElementUI"; }
    LPVOID GetInterface(LPCTSTR pstrName) override;
    using CListLabelElementUI::GetText;
    using CListLabelElementUI::SetText;
    // Column texts (column 0 is the first column).
    LPCTSTR GetText(int iIndex) const;
    void SetText(int iIndex, LPCTSTR pstrText);
    void DrawItemText(HDC hDC, const RECT& rcItem) override;

private:
    std::vector<CDuiString> m_texts;
};

class CListContainerElementUI : public CHorizontalLayoutUI, public CListElementBase {
public:
    LPCTSTR GetClass() const override { return L"ListContainerElementUI"; }
    LPVOID GetInterface(LPCTSTR pstrName) override;
    CControlUI* GetItemControl() override { return this; }
    void DoEvent(TEventUI& event) override;
    void DoPaint(HDC hDC, const RECT& rcPaint) override;
    SIZE EstimateSize(SIZE szAvailable) override;
    void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) override;
};

class CListHeaderItemUI : public CButtonUI {
public:
    CListHeaderItemUI();
    LPCTSTR GetClass() const override { return L"ListHeaderItemUI"; }
    LPVOID GetInterface(LPCTSTR pstrName) override;
    bool Activate() override;
};

class CListHeaderUI : public CHorizontalLayoutUI {
public:
    LPCTSTR GetClass() const override { return L"ListHeaderUI"; }
    LPVOID GetInterface(LPCTSTR pstrName) override;
    SIZE EstimateSize(SIZE szAvailable) override;
};

class CListUI;

// The scrolling part of a list that holds the rows.
class CListBodyUI : public CVerticalLayoutUI {
public:
    explicit CListBodyUI(CListUI* pOwner) : m_pOwner(pOwner) {}
    LPCTSTR GetClass() const override { return L"ListBodyUI"; }
    void SetScrollPos(SIZE szPos, bool bMsg = true) override;
    void DoEvent(TEventUI& event) override;

private:
    CListUI* m_pOwner;
};

class CListUI : public CVerticalLayoutUI, public IListOwnerUI {
public:
    CListUI();

    LPCTSTR GetClass() const override { return L"ListUI"; }
    LPVOID GetInterface(LPCTSTR pstrName) override;
    UINT GetControlFlags() const override { return UIFLAG_TABSTOP; }

    CListHeaderUI* GetHeader() const { return m_pHeader; }
    CListBodyUI* GetList() const { return m_pList; }
    void SetTextCallback(IListCallbackUI* pCallback) {
        m_pCallback = pCallback;
        Invalidate();
    }
    IListCallbackUI* GetTextCallback() const { return m_pCallback; }

    // Rows (a ListHeader control goes to the header instead).
    CControlUI* GetItemAt(int iIndex) const override;
    int GetItemIndex(CControlUI* pControl) const override;
    bool SetItemIndex(CControlUI* pControl, int iIndex) override;
    int GetCount() const override;
    bool Add(CControlUI* pControl) override;
    bool AddAt(CControlUI* pControl, int iIndex) override;
    bool Remove(CControlUI* pControl, bool bDoNotDestroy = false) override;
    bool RemoveAt(int iIndex, bool bDoNotDestroy = false) override;
    void RemoveAll() override;

    // Selection. SelectItem makes iIndex the only selected row (-1: none);
    // bTakeFocus gives the list the keyboard focus.
    int GetCurSel() const override;
    bool SelectItem(int iIndex, bool bTakeFocus = false, bool bTriggerEvent = true) override;
    bool IsMultiSelect() const { return m_bMultiSel; }
    void SetMultiSelect(bool bMultiSel);
    // Adds a row to the selection (replaces it when multiple selection is off).
    bool SelectMultiItem(int iIndex, bool bTakeFocus = false);
    // Removes a row from the selection; bOthers: keep only that row.
    bool UnSelectItem(int iIndex, bool bOthers = false);
    void SelectAllItems();
    void UnSelectAllItems();
    int GetSelectItemCount() const { return static_cast<int>(m_selected.size()); }
    // The next selected index after nItem (-1 starts at the first); -1 after the last.
    int GetNextSelItem(int nItem) const;
    bool IsItemSelected(int iIndex) const;
    void EnsureVisible(int iIndex);

    TListInfoUI* GetListInfo() override { return &m_ListInfo; }
    CControlUI* GetOwnerControl() override { return this; }
    void ItemButtonDown(IListItemUI* pItem, const TEventUI& event) override;
    void ItemContextMenu(IListItemUI* pItem, const TEventUI& event) override;

    SIZE GetScrollPos() const override;
    SIZE GetScrollRange() const override;
    void SetScrollPos(SIZE szPos, bool bMsg = true) override;
    void SetPos(RECT rc, bool bNeedInvalidate = true) override;
    void DoEvent(TEventUI& event) override;
    void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) override;

protected:
    TListInfoUI m_ListInfo;

private:
    void ReindexFrom(int iIndex);
    void UpdateColumns();
    void SetSelection(const std::vector<int>& rows, bool bTriggerEvent);

    CListHeaderUI* m_pHeader = nullptr;
    CListBodyUI* m_pList = nullptr;
    IListCallbackUI* m_pCallback = nullptr;
    std::vector<int> m_selected;  // ascending
    bool m_bMultiSel = false;
    int m_iAnchor = -1;
};

// Applies an item* attribute (itemfont, itemtextcolor, ...) to list info;
// false when the name is not one of them.
bool SetListInfoAttribute(TListInfoUI& info, LPCTSTR pstrName, LPCTSTR pstrValue);

}  // namespace DuiLib
