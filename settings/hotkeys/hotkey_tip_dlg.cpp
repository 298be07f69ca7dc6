// The hotkey conflict notice: the taken keys, "不在显示", and the answer.
#include "settings/hotkeys/hotkey_tip_dlg.h"

#include "common/main_ini.h"

using namespace DuiLib;
namespace names = hotkey_tip_names;

bool HotkeyTipDlg::CollectConflicts(const std::vector<HotkeyEntry>& entries) {
    for (const HotkeyEntry& entry : entries) {
        if (entry.state != kHotkeyTaken) continue;
        std::wstring text = entry.GetDisplayText();
        for (wchar_t& c : text)
            if (c == L'(' || c == L')') c = L'"';
        m_conflicts.push_back(text);
    }
    return !m_conflicts.empty();
}

void HotkeyTipDlg::InitWindow() {
    m_pCloseBtn = FindNamed<CButtonUI>(m_PaintManager, names::kCloseBtn);
    m_pShowDel = FindNamed<CCheckBoxUI>(m_PaintManager, names::kShowDel);
    m_pTitle = FindNamed<CLabelUI>(m_PaintManager, names::kTitle);
    const LayoutName* tips[] = {&names::kTipText1, &names::kTipText2, &names::kTipText3,
                                &names::kTipText4, &names::kTipText5, &names::kTipText6};
    for (int i = 0; i < 6; ++i) m_pTipTexts[i] = FindNamed<CLabelUI>(m_PaintManager, *tips[i]);
    FillTips();
}

// The first six taken keys, one per label.
void HotkeyTipDlg::FillTips() {
    for (CLabelUI* label : m_pTipTexts)
        if (!label) return;
    for (size_t i = 0; i < m_conflicts.size() && i < 6; ++i) {
        m_pTipTexts[i]->SetVisible(true);
        m_pTipTexts[i]->SetText(m_conflicts[i].c_str());
    }
}

void HotkeyTipDlg::OnClick(TNotifyUI& msg) {
    if (IsSender(msg, names::kCloseBtn, m_pCloseBtn) || IsSender(msg, names::kBtnCancel)) {
        Close(0);
    } else if (IsSender(msg, names::kBtnOk)) {
        m_noShowChosen = m_pShowDel && m_pShowDel->GetCheck();
        Close(1);
    }
}

bool ShowHotkeyConflictNotice(HWND owner) {
    if (ReadHotkeyNoshow()) return false;
    HotkeyTipDlg notice;
    if (!notice.CollectConflicts(CHotKeySetting::GetInstance()->GetHotkeyList())) return false;
    if (!notice.Create(owner, L"HotkeyDialog", kHotkeyTipStyle, kHotkeyTipExStyle)) return false;
    const bool change = notice.DoModal(owner) == 1;
    if (change && notice.NoShowChosen()) WriteHotkeyNoshow();
    return change;
}
