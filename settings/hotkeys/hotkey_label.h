// DuiLib::HotkeyLabel: one selectable row of the hotkey list in the settings page
// (HotkeyItemContainer: the same as a row container, for layouts that use one).
// It keeps the row's modifiers and key text; selecting it (a click, or Select)
// paints it in the select colours, unselects the rest of its option group and
// sends "selectchanged". UI thread only.
#pragma once

#include <cstdint>

#include "ui/duilib.h"

namespace DuiLib {

constexpr const wchar_t* kHotkeyLabelInterface = L"HotkeyLabel";
constexpr const wchar_t* kHotkeyItemContainerInterface = L"HotkeyItemConLayout";

// What both row controls are: a member of an option group that a press on it
// selects (wherever the button is then released). Selecting one paints it,
// unselects the other rows of its kind in the group and sends "selectchanged".
template <class Base>
class SelectableRow : public Base {
public:
    ~SelectableRow() override;

    void SetManager(CPaintManagerUI* pManager, CControlUI* pParent, bool bInit = true) override;
    void DoEvent(TEventUI& event) override;

    bool IsSelected() const { return m_selected; }
    void Select(bool selected);
    LPCTSTR GetGroup() const { return m_group; }
    void SetGroup(LPCTSTR name);

protected:
    explicit SelectableRow(LPCTSTR rowInterface, DWORD selectColor)
        : m_rowInterface(rowInterface), m_selectColor(selectColor) {}
    // How the row shows its state; the label also changes its text colour.
    virtual void PaintSelection(bool selected) { this->SetBkColor(selected ? m_selectColor : 0); }
    // "group" and "selectcolor"; false for any other attribute.
    bool SetRowAttribute(const CDuiString& name, LPCTSTR value);

private:
    LPCTSTR m_rowInterface;  // the interface name the rows of this kind answer to
    bool m_selected = false;
    bool m_pressed = false;
    DWORD m_selectColor;
    CDuiString m_group;
};

class HotkeyLabel : public SelectableRow<CLabelUI> {
public:
    HotkeyLabel() : SelectableRow(kHotkeyLabelInterface, 0xFF4EA4FD) {}

    LPCTSTR GetClass() const override { return L"HotkeyLabelUI"; }
    LPVOID GetInterface(LPCTSTR pstrName) override;
    // "group", "selectcolor", "selecttextcolor", "select"; the rest go to the label.
    void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) override;

    void SetModifiers(uint8_t modifiers) { m_modifiers = modifiers; }
    uint8_t GetModifiers() const { return m_modifiers; }
    void SetKeyText(LPCTSTR key) { m_keyText = key; }
    CDuiString GetKeyText() const { return m_keyText; }

private:
    void PaintSelection(bool selected) override;

    DWORD m_selectTextColor = 0xFFFFFFFF;
    uint8_t m_modifiers = 0;
    CDuiString m_keyText;
};

// A selectable row container of the hotkey list: the same selection and option
// group as HotkeyLabel, painted with its select colour.
class HotkeyItemContainer : public SelectableRow<CHorizontalLayoutUI> {
public:
    HotkeyItemContainer() : SelectableRow(kHotkeyItemContainerInterface, 0xFFF9F9F9) {}

    LPCTSTR GetClass() const override { return L"HotkeyItemContainerUI"; }
    LPVOID GetInterface(LPCTSTR pstrName) override;
    // "group", "selectcolor"; the rest go to the layout.
    void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) override;
};

}  // namespace DuiLib
