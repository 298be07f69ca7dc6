// The hotkey row controls: selection by click, option group, select colours.
#include "settings/hotkeys/hotkey_label.h"

namespace DuiLib {

namespace {

constexpr DWORD kRowTextColor = 0xFF414141;

// Blanks and control characters, one optional '#', then hexadecimal ARGB.
DWORD ParseRowColor(LPCTSTR value) {
    while (*value && *value <= L' ') ++value;
    if (*value == L'#') ++value;
    return static_cast<DWORD>(wcstoul(value, nullptr, 16));
}

}  // namespace

template <class Base>
SelectableRow<Base>::~SelectableRow() {
    if (this->m_pManager && !m_group.IsEmpty()) this->m_pManager->RemoveOptionGroup(m_group, this);
}

template <class Base>
void SelectableRow<Base>::SetManager(CPaintManagerUI* pManager, CControlUI* pParent, bool bInit) {
    CPaintManagerUI* old = this->m_pManager;
    if (old && old != pManager && !m_group.IsEmpty()) old->RemoveOptionGroup(m_group, this);
    const bool joins = pManager && pManager != old && !m_group.IsEmpty();
    Base::SetManager(pManager, pParent, bInit);
    if (joins) pManager->AddOptionGroup(m_group, this);
}

template <class Base>
void SelectableRow<Base>::SetGroup(LPCTSTR name) {
    const CDuiString group(name);
    if (group == m_group) return;
    if (this->m_pManager && !m_group.IsEmpty()) this->m_pManager->RemoveOptionGroup(m_group, this);
    m_group = group;
    if (this->m_pManager && !m_group.IsEmpty()) this->m_pManager->AddOptionGroup(m_group, this);
}

// A release outside the row after a press on it still selects it.
template <class Base>
void SelectableRow<Base>::DoEvent(TEventUI& event) {
    if (event.Type == UIEVENT_BUTTONDOWN && this->IsEnabled() && PtInRect(&this->m_rcItem, event.ptMouse)) {
        m_pressed = true;
        return;
    }
    if (event.Type == UIEVENT_BUTTONUP && m_pressed) {
        m_pressed = false;
        Select(true);
        this->NeedParentUpdate();
        return;
    }
    Base::DoEvent(event);
}

template <class Base>
void SelectableRow<Base>::Select(bool selected) {
    if (m_selected == selected) return;
    m_selected = selected;
    PaintSelection(selected);
    CPaintManagerUI* manager = this->m_pManager;
    if (!selected || !manager || m_group.IsEmpty()) return;
    if (const auto* members = manager->GetOptionGroup(m_group)) {
        const std::vector<CControlUI*> others = *members;
        for (CControlUI* member : others) {
            auto* row = static_cast<SelectableRow*>(member->GetInterface(m_rowInterface));
            if (row && row != this) row->Select(false);
        }
    }
    manager->SendNotify(this, DUI_MSGTYPE_SELECTCHANGED, 1);
}

template <class Base>
bool SelectableRow<Base>::SetRowAttribute(const CDuiString& name, LPCTSTR value) {
    if (name == L"group")
        SetGroup(value);
    else if (name == L"selectcolor")
        m_selectColor = ParseRowColor(value);
    else
        return false;
    return true;
}

template class SelectableRow<CLabelUI>;
template class SelectableRow<CHorizontalLayoutUI>;

LPVOID HotkeyLabel::GetInterface(LPCTSTR pstrName) {
    return _wcsicmp(pstrName, kHotkeyLabelInterface) == 0 ? this : CLabelUI::GetInterface(pstrName);
}

void HotkeyLabel::PaintSelection(bool selected) {
    SelectableRow::PaintSelection(selected);
    SetTextColor(selected ? m_selectTextColor : kRowTextColor);
}

void HotkeyLabel::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) {
    const CDuiString name(pstrName);
    if (SetRowAttribute(name, pstrValue)) return;
    if (name == L"selecttextcolor")
        m_selectTextColor = ParseRowColor(pstrValue);
    else if (name == L"select")
        Select(true);
    else
        CLabelUI::SetAttribute(pstrName, pstrValue);
}

LPVOID HotkeyItemContainer::GetInterface(LPCTSTR pstrName) {
    return _wcsicmp(pstrName, kHotkeyItemContainerInterface) == 0 ? this : CHorizontalLayoutUI::GetInterface(pstrName);
}

void HotkeyItemContainer::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) {
    if (!SetRowAttribute(pstrName, pstrValue)) CHorizontalLayoutUI::SetAttribute(pstrName, pstrValue);
}

}  // namespace DuiLib
