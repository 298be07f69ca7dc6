// The hotkey row control: selection by click, option group, select colours.
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

HotkeyLabel::~HotkeyLabel() {
    if (m_pManager && !m_group.IsEmpty()) m_pManager->RemoveOptionGroup(m_group, this);
}

LPVOID HotkeyLabel::GetInterface(LPCTSTR pstrName) {
    return _wcsicmp(pstrName, kHotkeyLabelInterface) == 0 ? this : CLabelUI::GetInterface(pstrName);
}

void HotkeyLabel::SetManager(CPaintManagerUI* pManager, CControlUI* pParent, bool bInit) {
    if (m_pManager && m_pManager != pManager && !m_group.IsEmpty()) m_pManager->RemoveOptionGroup(m_group, this);
    const bool joins = pManager && pManager != m_pManager && !m_group.IsEmpty();
    CLabelUI::SetManager(pManager, pParent, bInit);
    if (joins) pManager->AddOptionGroup(m_group, this);
}

void HotkeyLabel::SetGroup(LPCTSTR name) {
    const CDuiString group(name);
    if (group == m_group) return;
    if (m_pManager && !m_group.IsEmpty()) m_pManager->RemoveOptionGroup(m_group, this);
    m_group = group;
    if (m_pManager && !m_group.IsEmpty()) m_pManager->AddOptionGroup(m_group, this);
}

// A release outside the row after a press on it still selects it.
void HotkeyLabel::DoEvent(TEventUI& event) {
    if (event.Type == UIEVENT_BUTTONDOWN && IsEnabled() && PtInRect(&m_rcItem, event.ptMouse)) {
        m_pressed = true;
        return;
    }
    if (event.Type == UIEVENT_BUTTONUP && m_pressed) {
        m_pressed = false;
        Select(true);
        NeedParentUpdate();
        return;
    }
    CLabelUI::DoEvent(event);
}

void HotkeyLabel::Select(bool selected) {
    if (m_selected == selected) return;
    m_selected = selected;
    SetBkColor(selected ? m_selectColor : 0);
    SetTextColor(selected ? m_selectTextColor : kRowTextColor);
    if (!selected || !m_pManager || m_group.IsEmpty()) return;
    if (const auto* members = m_pManager->GetOptionGroup(m_group)) {
        const std::vector<CControlUI*> others = *members;
        for (CControlUI* member : others) {
            auto* row = static_cast<HotkeyLabel*>(member->GetInterface(kHotkeyLabelInterface));
            if (row && row != this) row->Select(false);
        }
    }
    m_pManager->SendNotify(this, DUI_MSGTYPE_SELECTCHANGED, 1);
}

void HotkeyLabel::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) {
    const CDuiString name(pstrName);
    if (name == L"group")
        SetGroup(pstrValue);
    else if (name == L"selectcolor")
        m_selectColor = ParseRowColor(pstrValue);
    else if (name == L"selecttextcolor")
        m_selectTextColor = ParseRowColor(pstrValue);
    else if (name == L"select")
        Select(true);
    else
        CLabelUI::SetAttribute(pstrName, pstrValue);
}

HotkeyItemContainer::~HotkeyItemContainer() {
    if (m_pManager && !m_group.IsEmpty()) m_pManager->RemoveOptionGroup(m_group, this);
}

LPVOID HotkeyItemContainer::GetInterface(LPCTSTR pstrName) {
    return _wcsicmp(pstrName, kHotkeyItemContainerInterface) == 0 ? this : CHorizontalLayoutUI::GetInterface(pstrName);
}

void HotkeyItemContainer::SetManager(CPaintManagerUI* pManager, CControlUI* pParent, bool bInit) {
    if (m_pManager && m_pManager != pManager && !m_group.IsEmpty()) m_pManager->RemoveOptionGroup(m_group, this);
    const bool joins = pManager && pManager != m_pManager && !m_group.IsEmpty();
    CHorizontalLayoutUI::SetManager(pManager, pParent, bInit);
    if (joins) pManager->AddOptionGroup(m_group, this);
}

void HotkeyItemContainer::SetGroup(LPCTSTR name) {
    const CDuiString group(name);
    if (group == m_group) return;
    if (m_pManager && !m_group.IsEmpty()) m_pManager->RemoveOptionGroup(m_group, this);
    m_group = group;
    if (m_pManager && !m_group.IsEmpty()) m_pManager->AddOptionGroup(m_group, this);
}

void HotkeyItemContainer::DoEvent(TEventUI& event) {
    if (event.Type == UIEVENT_BUTTONDOWN && IsEnabled() && PtInRect(&m_rcItem, event.ptMouse)) {
        m_pressed = true;
        return;
    }
    if (event.Type == UIEVENT_BUTTONUP && m_pressed) {
        m_pressed = false;
        Select(true);
        NeedParentUpdate();
        return;
    }
    CHorizontalLayoutUI::DoEvent(event);
}

void HotkeyItemContainer::Select(bool selected) {
    if (m_selected == selected) return;
    m_selected = selected;
    SetBkColor(selected ? m_selectColor : 0);
    if (!selected || !m_pManager || m_group.IsEmpty()) return;
    if (const auto* members = m_pManager->GetOptionGroup(m_group)) {
        const std::vector<CControlUI*> others = *members;
        for (CControlUI* member : others) {
            auto* item = static_cast<HotkeyItemContainer*>(member->GetInterface(kHotkeyItemContainerInterface));
            if (item && item != this) item->Select(false);
        }
    }
    m_pManager->SendNotify(this, DUI_MSGTYPE_SELECTCHANGED, 1);
}

void HotkeyItemContainer::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) {
    const CDuiString name(pstrName);
    if (name == L"group")
        SetGroup(pstrValue);
    else if (name == L"selectcolor")
        m_selectColor = ParseRowColor(pstrValue);
    else
        CHorizontalLayoutUI::SetAttribute(pstrName, pstrValue);
}

}  // namespace DuiLib
