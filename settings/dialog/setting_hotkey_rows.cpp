// The settings dialog's hotkey rows: showing an entry in a row, editing the
// selected row with the modifier boxes and the key combo, and OK's registration.
#include <iterator>

#include "common/logger.h"
#include "settings/dialog/record_setting_dlg.h"
#include "settings/hotkeys/hotkey_tip_dlg.h"
#include "settings/layouts/setting_opt_names.h"
#include "shell/tips/msg_tip_dlg.h"

using namespace DuiLib;
namespace page_names = setting_opt_names;

namespace {

struct HotkeyRow {
    int slot;
    const LayoutName* row;
    const wchar_t* entryName;
    const wchar_t* label;  // the fixed start of the row's text
};

const HotkeyRow kRows[] = {
    {0, &page_names::kHotkeyCustomArea, L"CustomAera", L"自定义录制区域"},
    {1, &page_names::kHotkeyStartRecord, L"RecordStart", L"开始/停止录制"},
    {2, &page_names::kHotkeyRestartRecord, L"RecordReStart", L"暂停/恢复录制"},
    {3, &page_names::kHotkeyShowDrawBoard, L"ShowDrawBoard", L"显示/隐藏涂鸦面板"},
    {6, &page_names::kHotkeyScreenshot, L"ScreenShot", L"截图"},
    {7, &page_names::kHotkeyOpenSpotlight, L"OpenSpotLight", L"打开/关闭聚光灯"},
};

const HotkeyRow* RowOf(const std::wstring& entryName) {
    for (const HotkeyRow& r : kRows)
        if (entryName == r.entryName) return &r;
    return nullptr;
}

}  // namespace

void RecordSettingDlg::InitHotkeyRows() {
    int index = 0;
    for (wchar_t c = L'A'; c <= L'Z'; ++c) m_keyIndex[std::wstring(1, c)] = index++;
    for (int f = 1; f <= 12; ++f) m_keyIndex[L"F" + std::to_wstring(f)] = index++;
    m_keyIndex[kNoHotkeyText] = index;
    for (const HotkeyRow& r : kRows) m_pHotkeyRows[r.slot] = FindNamed<HotkeyLabel>(m_PaintManager, *r.row);
    RefillHotkeyRows(CHotKeySetting::GetInstance()->GetHotkeyList());
    m_pChkCtrl = FindNamed<CCheckBoxUI>(m_PaintManager, page_names::kChkCtrl);
    m_pChkShift = FindNamed<CCheckBoxUI>(m_PaintManager, page_names::kChkShift);
    m_pChkAlt = FindNamed<CCheckBoxUI>(m_PaintManager, page_names::kChkAlt);
    for (CCheckBoxUI* box : {m_pChkCtrl, m_pChkShift, m_pChkAlt})
        if (box) box->OnNotify += MakeDelegate(this, &RecordSettingDlg::OnModifierNotify);
    m_pComKey = FindNamed<CComboUI>(m_PaintManager, page_names::kComKey);
    if (m_pComKey) m_pComKey->OnNotify += MakeDelegate(this, &RecordSettingDlg::OnKeyComboNotify);
    if (m_pHotkeyRows[0]) m_pHotkeyRows[0]->Select(true);
}

void RecordSettingDlg::RefillHotkeyRows(const std::vector<HotkeyEntry>& entries) {
    for (const HotkeyEntry& entry : entries) {
        const HotkeyRow* r = RowOf(entry.name);
        if (!r || !m_pHotkeyRows[r->slot]) continue;
        m_pHotkeyRows[r->slot]->SetText((r->label + entry.GetDisplayText()).c_str());
        SetRowKeys(m_pHotkeyRows[r->slot], entry.fVirt, entry.key);
    }
}

void RecordSettingDlg::SetRowKeys(HotkeyLabel* row, uint8_t modifiers, const std::wstring& key) {
    row->SetKeyText(key.c_str());
    row->SetModifiers(modifiers);
}

// The row becomes current first: the boxes and the combo then write the same
// values back into it.
void RecordSettingDlg::SelectRow(HotkeyLabel* row) {
    m_pCurrentRow = row;
    ShowRowKeys(row->GetModifiers(), row->GetKeyText().Str());
}

void RecordSettingDlg::ShowRowKeys(uint8_t modifiers, const std::wstring& key) {
    if (!m_pChkCtrl || !m_pChkShift || !m_pChkAlt) return;
    for (CCheckBoxUI* box : {m_pChkCtrl, m_pChkShift, m_pChkAlt}) box->SetCheck(false);
    if (modifiers & kHotkeyCtrl) m_pChkCtrl->SetCheck(true);
    if (modifiers & kHotkeyShift) m_pChkShift->SetCheck(true);
    if (modifiers & kHotkeyAlt) m_pChkAlt->SetCheck(true);
    if (!m_pComKey) return;
    const auto found = m_keyIndex.find(key);  // a hand-edited key outside the list: the combo stays
    if (found != m_keyIndex.end()) m_pComKey->SelectItem(found->second, false);
}

bool RecordSettingDlg::OnModifierNotify(TNotifyUI* msg) {
    if (msg->sType != DUI_MSGTYPE_SELECTCHANGED || !m_pCurrentRow) return true;
    uint8_t bit = 0;
    if (msg->pSender == m_pChkCtrl) bit = kHotkeyCtrl;
    if (msg->pSender == m_pChkShift) bit = kHotkeyShift;
    if (msg->pSender == m_pChkAlt) bit = kHotkeyAlt;
    if (!bit) return true;
    uint8_t modifiers = m_pCurrentRow->GetModifiers();
    modifiers = msg->wParam ? (modifiers | bit) : (modifiers & ~bit);
    m_pCurrentRow->SetModifiers(modifiers);
    RefreshRowText();
    return true;
}

bool RecordSettingDlg::OnKeyComboNotify(TNotifyUI* msg) {
    if (msg->sType != DUI_MSGTYPE_ITEMSELECT || !m_pComKey) return true;
    const CDuiString text = m_pComKey->GetText();
    if (text == kNoHotkeyText) {
        EnableModifiers(false);
        return true;
    }
    if (m_pCurrentRow) {
        m_pCurrentRow->SetKeyText(text);
        RefreshRowText();
    }
    EnableModifiers(true);
    return true;
}

void RecordSettingDlg::EnableModifiers(bool enable) {
    if (!m_pChkCtrl || !m_pChkShift || !m_pChkAlt) return;
    for (CCheckBoxUI* box : {m_pChkCtrl, m_pChkShift, m_pChkAlt}) box->SetEnabled(enable);
}

void RecordSettingDlg::RefreshRowText() {
    if (!m_pCurrentRow) return;
    const std::wstring text = m_pCurrentRow->GetText().Str();
    const size_t open = text.find(L'(');
    if (open == std::wstring::npos) return;
    HotkeyEntry shown;
    shown.fVirt = m_pCurrentRow->GetModifiers();
    shown.key = m_pCurrentRow->GetKeyText().Str();
    m_pCurrentRow->SetText((text.substr(0, open) + shown.GetDisplayText()).c_str());
}

// An entry is registered again when its row differs from the key its slot holds
// now (after restoring the defaults the list alone would say nothing changed).
bool RecordSettingDlg::ApplyHotkeys() {
    CHotKeySetting* registry = CHotKeySetting::GetInstance();
    std::vector<HotkeyEntry> entries = registry->GetHotkeyList();
    for (const HotkeyEntry& fallback : CHotKeySetting::DefaultList()) {
        bool listed = false;
        for (const HotkeyEntry& e : entries) listed = listed || e.name == fallback.name;
        if (!listed) entries.push_back(fallback);  // a row whose entry the file lacked
    }
    for (HotkeyEntry& entry : entries) {
        const HotkeyRow* r = RowOf(entry.name);
        if (!r || !m_pHotkeyRows[r->slot]) continue;
        const HotkeyLabel* row = m_pHotkeyRows[r->slot];
        const std::wstring key = row->GetKeyText().Str();
        const bool differs = key != entry.key || row->GetModifiers() != entry.fVirt;
        entry.key = key;
        entry.fVirt = row->GetModifiers();
        if (differs || !registry->IsRegisteredAs(entry)) entry.changed = 1;
    }
    registry->RegisterAll(entries, false);
    return true;
}

// Two rows with one key can never both work (the second would fail against the
// first): OK is refused with a plain notice and the dialog stays on the hotkeys.
bool RecordSettingDlg::RefuseOneKeyOnTwoRows() {
    for (size_t a = 0; a < std::size(kRows); ++a) {
        const HotkeyLabel* first = m_pHotkeyRows[kRows[a].slot];
        if (!first || !HotkeyVirtualKey(first->GetKeyText().Str())) continue;
        for (size_t b = a + 1; b < std::size(kRows); ++b) {
            const HotkeyLabel* second = m_pHotkeyRows[kRows[b].slot];
            if (!second || second->GetKeyText() != first->GetKeyText() ||
                second->GetModifiers() != first->GetModifiers())
                continue;
            HotkeyEntry shown;
            shown.fVirt = first->GetModifiers();
            shown.key = first->GetKeyText().Str();
            ShowOneKeyOnTwoRows(std::wstring(L"“") + kRows[a].label + L"”和“" + kRows[b].label + L"”用了同一个快捷键" +
                                shown.GetDisplayText() + L"，请更改其中一个");
            SelectPage(kHotkeySettingPage);
            return true;
        }
    }
    return false;
}

void RecordSettingDlg::ShowOneKeyOnTwoRows(const std::wstring& text) {
    MsgTipDlg tip;
    tip.SetTipType(0);
    tip.SetTipText(text);
    if (!tip.Create(m_hWnd, L"HotkeyDialog", WS_POPUP, WS_EX_TOOLWINDOW | WS_EX_TOPMOST)) {
        LogBoth("RecordSettingDlg::OnOK", "the tip dialog could not be created error");
        return;
    }
    tip.DoModal(m_hWnd);
}

bool RecordSettingDlg::ShowHotkeyConflictTip() {
    if (!ShowHotkeyConflictNotice(m_hWnd)) return false;
    SelectPage(kHotkeySettingPage);
    return true;
}
