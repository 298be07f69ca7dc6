// The auto-stop dialog: the controls filled from the options, read back on OK.
#include "settings/auto_stop/auto_stop_record_dlg.h"

#include <algorithm>
#include <cstdint>

using namespace DuiLib;

namespace {

constexpr POINT kParking = {-390, -308};
constexpr int kItemHeight = 22;
constexpr int32_t kMaxSeconds = 23 * 3600 + 59 * 60 + 59;
const wchar_t* const kActions[] = {kActionNothing, kActionQuit, kActionSleep, kActionShutdown};

}  // namespace

int32_t ParseLeadingNumber(const std::wstring& text) {
    int64_t value = 0;
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9') break;
        value = value * 10 + (c - L'0');
        if (value > INT32_MAX) return INT32_MAX;
    }
    return static_cast<int32_t>(value);
}

// The control holds at most 23:59:59; a longer time is shown as that.
DuiLib::CDuiString TimeTextOfSeconds(int32_t seconds) {
    const int32_t shown = std::clamp<int32_t>(seconds, 0, kMaxSeconds);
    return CTimeControlUI::FormatMs(static_cast<uint32_t>(shown) * 1000u);
}

bool AutoStopRecordDlg::ShowDialog(HWND owner, bool center) {
    m_owner = owner;
    return ShowModalFrom(kParking, center) != 0;
}

void AutoStopRecordDlg::TakeControls() {
    using namespace auto_stop_record_names;
    m_pCloseBtn = FindNamed<CButtonUI>(m_PaintManager, kClosebtn);
    m_pDiviTime = FindNamed<COptionUI>(m_PaintManager, kDiviTime);
    m_pDiviSize = FindNamed<COptionUI>(m_PaintManager, kDiviSize);
    m_pTimeCtrl = FindNamed<CTimeControlUI>(m_PaintManager, kTimeCtrl);
    m_pAutoStop = FindNamed<CCheckBoxUI>(m_PaintManager, kAutoStopRecord);
    m_pSizeEdit = FindNamed<CEditUI>(m_PaintManager, kDiviSizeEdit);
    m_pComplete = FindNamed<CComboUI>(m_PaintManager, kCompleteOption);
    m_pAutotime = FindNamed<CContainerUI>(m_PaintManager, kAutotime);
    m_pAutosize = FindNamed<CContainerUI>(m_PaintManager, kAutosize);
    m_pAutocomplete = FindNamed<CContainerUI>(m_PaintManager, kAutocomplete);
}

// The rows start disabled in the layout; the controls take their values anyway.
void AutoStopRecordDlg::InitWindow() {
    TakeControls();
    if (m_pAutoStop) {
        m_pAutoStop->OnNotify += MakeDelegate(this, &AutoStopRecordDlg::OnCheckNotify);
        m_pAutoStop->SetCheck(m_options.enabled, false);
    }
    if (m_pDiviTime) m_pDiviTime->Selected(m_options.byTime, false);
    if (m_pDiviSize) m_pDiviSize->Selected(m_options.bySize, false);
    if (m_pTimeCtrl) m_pTimeCtrl->ParseText(TimeTextOfSeconds(m_options.seconds).Str().c_str());
    if (m_pSizeEdit) m_pSizeEdit->SetText(std::to_wstring(m_options.sizeMB).c_str());
    FillActions();
    EnableRows(m_options.enabled);
}

void AutoStopRecordDlg::FillActions() {
    if (!m_pComplete) return;
    for (const wchar_t* action : kActions) {
        auto* item = new CListLabelElementUI;
        item->SetText(action);
        item->SetFixedHeight(kItemHeight);
        m_pComplete->Add(item);
        if (m_options.action == action) m_pComplete->SelectItem(m_pComplete->GetCount() - 1, false, false);
    }
}

// The three rows follow the box at once; their values stay.
bool AutoStopRecordDlg::OnCheckNotify(TNotifyUI* msg) {
    if (msg && msg->sType == DUI_MSGTYPE_SELECTCHANGED) EnableRows(m_pAutoStop && m_pAutoStop->GetCheck());
    return true;
}

void AutoStopRecordDlg::EnableRows(bool enabled) {
    for (CContainerUI* row : {m_pAutotime, m_pAutosize, m_pAutocomplete})
        if (row) row->SetEnabled(enabled);
}

void AutoStopRecordDlg::OnClick(TNotifyUI& msg) {
    using namespace auto_stop_record_names;
    if (!msg.pSender) return;
    const CDuiString name = msg.pSender->GetName();
    if (name == kBtnOk.name) {
        m_options.enabled = m_pAutoStop && m_pAutoStop->GetCheck();
        m_options.byTime = m_pDiviTime && m_pDiviTime->IsSelected();
        if (m_pTimeCtrl) m_options.seconds = m_pTimeCtrl->GetTotalSeconds();
        m_options.bySize = m_pDiviSize && m_pDiviSize->IsSelected();
        if (m_pSizeEdit) m_options.sizeMB = ParseLeadingNumber(m_pSizeEdit->GetText().Str());
        if (m_pComplete) m_options.action = m_pComplete->GetText().Str();
        Close(1);
    } else if (name == kBtnCancel.name || msg.pSender == m_pCloseBtn) {
        Close(0);
    }
}
