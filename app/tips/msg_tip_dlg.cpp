#include "app/tips/msg_tip_dlg.h"

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
    m_pCloseBtn = FindControl(L"closebtn");
    m_pConfirmTip = FindControl(L"confirm_tip");
    m_pExitConfirm = FindControl(L"exit_confirm");
    m_pOkCancel = FindControl(L"ok_cancel");
    m_pGood = FindControl(L"good");
    m_pTipLogo = FindControl(L"tip_logo");
    m_pTipText = FindAs<CLabelUI>(L"tip_text");
    m_pMiniTray = FindAs<COptionUI>(L"mini_tray");
    m_pExitExe = FindAs<COptionUI>(L"exit_exe");
    m_pShowDelete = FindAs<CCheckBoxUI>(L"show_delete");
    m_pTitle = FindAs<CLabelUI>(L"title");
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
    if (IsSender(msg, L"closebtn", m_pCloseBtn) || IsSender(msg, L"btn_cancel"))
        Close(0);
    else if (IsSender(msg, L"btn_ok") || IsSender(msg, L"btn_good"))
        Close(1);
}
