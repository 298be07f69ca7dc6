// The region size dialog: its controls, the kept ratio while typing, OK and cancel.
#include "overlay/region_size/sel_setting_dlg.h"

#include <cstdio>

#include "common/record_globals.h"
#include "overlay/layouts/sel_setting_names.h"
#include "overlay/region_size/size_ratio.h"

using namespace DuiLib;
namespace names = sel_setting_names;

namespace {

constexpr POINT kParking = {-460, -251};

bool IsNamed(const TNotifyUI& msg, const LayoutName& entry) {
    return msg.pSender && msg.pSender->GetName().CompareNoCase(entry.name) == 0;
}

}  // namespace

UINT SelSettingDlg::ShowDialog(HWND owner, bool center) {
    m_owner = owner;
    return ShowModalFrom(kParking, center);
}

// Selecting the option of the given mode runs the option handler, which sets the
// working mode and, for a ratio, the height.
void SelSettingDlg::InitWindow() {
    m_pWidth = FindNamed<CEditUI>(m_PaintManager, names::kWidthEdit);
    m_pHeight = FindNamed<CEditUI>(m_PaintManager, names::kHeightEdit);
    m_pNoScale = FindNamed<COptionUI>(m_PaintManager, names::kNoScale);
    m_pFourThree = FindNamed<COptionUI>(m_PaintManager, names::kFourThree);
    m_pSixteenNine = FindNamed<COptionUI>(m_PaintManager, names::kSixteenNine);
    SetNumber(m_pWidth, g_rcSnapwick.right - g_rcSnapwick.left);
    SetNumber(m_pHeight, g_rcSnapwick.bottom - g_rcSnapwick.top);
    COptionUI* const options[] = {m_pNoScale, m_pFourThree, m_pSixteenNine};
    for (int mode = kAspectFree; mode <= kAspect16x9; ++mode) {
        if (options[mode]) options[mode]->Selected(mode == m_aspect);
    }
}

void SelSettingDlg::Notify(TNotifyUI& msg) {
    if (msg.sType == DUI_MSGTYPE_TEXTCHANGED) {
        OnTextChanged(msg);
        return;
    }
    WindowImplBase::Notify(msg);
}

void SelSettingDlg::OnClick(TNotifyUI& msg) {
    if (IsNamed(msg, names::kCloseBtn) || IsNamed(msg, names::kBtnCancel)) {
        Close(0);
    } else if (IsNamed(msg, names::kBtnOk)) {
        Confirm();
        Close(1);
    }
}

void SelSettingDlg::OnSelectChanged(TNotifyUI& msg) {
    if (!msg.pSender || !m_pWidth || !m_pHeight) return;
    if (IsNamed(msg, names::kNoScale)) {
        m_workingAspect = kAspectFree;
    } else if (IsNamed(msg, names::kFourThree)) {
        m_workingAspect = kAspect4x3;
    } else if (IsNamed(msg, names::kSixteenNine)) {
        m_workingAspect = kAspect16x9;
    } else {
        return;
    }
    if (m_workingAspect != kAspectFree) SetNumber(m_pHeight, HeightForWidth(WidthText(), m_workingAspect));
}

void SelSettingDlg::OnTextChanged(const TNotifyUI& msg) {
    if (!msg.pSender || !m_pWidth || !m_pHeight || m_workingAspect == kAspectFree) return;
    if (msg.pSender == m_pWidth) {
        SetNumber(m_pHeight, HeightForWidth(WidthText(), m_workingAspect));
    } else if (msg.pSender == m_pHeight) {
        SetNumber(m_pWidth, WidthForHeight(HeightText(), m_workingAspect));
    }
}

int SelSettingDlg::WidthText() const { return EditNumber(m_pWidth->GetText()); }

int SelSettingDlg::HeightText() const { return EditNumber(m_pHeight->GetText()); }

void SelSettingDlg::SetNumber(CEditUI* edit, int value) {
    if (!edit) return;
    wchar_t text[16];
    swprintf(text, 16, L"%d", value);
    edit->SetText(text);
}

void SelSettingDlg::Confirm() {
    m_aspect = m_workingAspect;
    if (!m_pWidth || !m_pHeight) return;
    m_resultWidth = TakenSide(WidthText(), g_rcSnapwick.right - g_rcSnapwick.left);
    m_resultHeight = TakenSide(HeightText(), g_rcSnapwick.bottom - g_rcSnapwick.top);
}
