#include "shell/tips/msg_tip_dlg.h"

using namespace DuiLib;

namespace {

void SetShown(CControlUI* control, bool shown) {
    if (control) control->SetVisible(shown);
}

}  // namespace

void MsgTipDlg::InitWindow() {
    FindControls();
    if (m_tipKind == 0) ShowNotice();
}

void MsgTipDlg::FindControls() {
    using namespace msg_tip_names;
    m_pCloseBtn = FindNamed<CButtonUI>(m_PaintManager, kClosebtn);
    m_pConfirmTip = FindNamed<CContainerUI>(m_PaintManager, kConfirmTip);
    m_pExitConfirm = FindNamed<CContainerUI>(m_PaintManager, kExitConfirm);
    m_pOkCancel = FindNamed<CContainerUI>(m_PaintManager, kOkCancel);
    m_pGood = FindNamed<CContainerUI>(m_PaintManager, kGood);
    m_pTipLogo = FindNamed<CControlUI>(m_PaintManager, kTipLogo);
    m_pTipText = FindNamed<CLabelUI>(m_PaintManager, kTipText);
    m_pMiniTray = FindNamed<COptionUI>(m_PaintManager, kMiniTray);
    m_pExitExe = FindNamed<COptionUI>(m_PaintManager, kExitExe);
    m_pShowDelete = FindNamed<CCheckBoxUI>(m_PaintManager, kShowDelete);
    m_pTitle = FindNamed<CLabelUI>(m_PaintManager, kTitle);
}

void MsgTipDlg::ShowNotice() {
    SetShown(m_pConfirmTip, true);
    SetShown(m_pGood, true);
    SetShown(m_pExitConfirm, false);
    SetShown(m_pOkCancel, false);
    SetShown(m_pShowDelete, false);
    FitTipText();
    if (m_pTipLogo) m_pTipLogo->SetBkImage(L"common/tanhao.png");
    if (m_pTitle) m_pTitle->SetText(L"提示");
}

// The label is as wide as its text, so the notice stays centred beside its sign.
void MsgTipDlg::FitTipText() {
    if (!m_pTipText) return;
    SIZE size = CRenderEngine::GetTextSize(m_PaintManager.GetPaintDC(), &m_PaintManager, m_tipText.c_str(),
                                           m_pTipText->GetFont(), m_pTipText->GetTextStyle());
    m_pTipText->SetFixedWidth(size.cx + 3);
    m_pTipText->SetText(m_tipText.c_str());
}

void MsgTipDlg::OnClick(TNotifyUI& msg) {
    using namespace msg_tip_names;
    if (IsSender(msg, kClosebtn, m_pCloseBtn) || IsSender(msg, kBtnCancel))
        Close(0);
    else if (IsSender(msg, kBtnOk) || IsSender(msg, kBtnGood))
        Close(1);
}
