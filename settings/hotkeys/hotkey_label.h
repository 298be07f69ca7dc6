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

class HotkeyLabel : public CLabelUI {
public:
    HotkeyLabel() = default;
    ~HotkeyLabel() override;

    LPCTSTR GetClass() const override { return L"HotkeyLabelUI"; }
    LPVOID GetInterface(LPCTSTR pstrName) override;
    void SetManager(CPaintManagerUI* pManager, CControlUI* pParent, bool bInit = true) override;
    void DoEvent(TEventUI& event) override;
    // "group", "selectcolor", "selecttextcolor", "select"; the rest go to the label.
    void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) override;

    bool IsSelected() const { return m_selected; }
    void Select(bool selected);
    LPCTSTR GetGroup() const { return m_group; }
    void SetGroup(LPCTSTR name);

    void SetModifiers(uint8_t modifiers) { m_modifiers = modifiers; }
    uint8_t GetModifiers() const { return m_modifiers; }
    void SetKeyText(LPCTSTR key) { m_keyText = key; }
    CDuiString GetKeyText() const { return m_keyText; }

private:
    bool m_selected = false;
    bool m_pressed = false;
    DWORD m_selectColor = 0xFF4EA4FD;
    DWORD m_selectTextColor = 0xFFFFFFFF;
    CDuiString m_group;
    uint8_t m_modifiers = 0;
    CDuiString m_keyText;
};

// A selectable row container of the hotkey list: the same selection and option
// group as HotkeyLabel, painted with its select colour.
class HotkeyItemContainer : public CHorizontalLayoutUI {
public:
    HotkeyItemContainer() = default;
    ~HotkeyItemContainer() override;

    LPCTSTR GetClass() const override { return L"HotkeyItemContainerUI"; }
    LPVOID GetInterface(LPCTSTR pstrName) override;
    void SetManager(CPaintManagerUI* pManager, CControlUI* pParent, bool bInit = true) override;
    void DoEvent(TEventUI& event) override;
    // "group", "selectcolor"; the rest go to the layout.
    void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) override;

    bool IsSelected() const { return m_selected; }
    void Select(bool selected);
    LPCTSTR GetGroup() const { return m_group; }
    void SetGroup(LPCTSTR name);

private:
    bool m_selected = false;
    bool m_pressed = false;
    DWORD m_selectColor = 0xFFF9F9F9;
    CDuiString m_group;
};

}  // namespace DuiLib
