#include "app/tips/del_video_file_tip_dlg.h"

using namespace DuiLib;

void DelVideoFileTipDlg::InitWindow() {
    m_pCloseBtn = FindControl(L"closebtn");
    m_pShowDel = FindAs<CCheckBoxUI>(L"show_del");
    m_pTitle = FindAs<CLabelUI>(L"title");
    m_pTipText = FindAs<CLabelUI>(L"tip_text");
    if (m_pTipText && !m_tipLines.empty()) {
        m_pTipText->SetVisible(true);
        m_pTipText->SetText(m_tipLines.front());
    }
}

void DelVideoFileTipDlg::OnClick(TNotifyUI& msg) {
    if (IsSender(msg, L"closebtn", m_pCloseBtn) || IsSender(msg, L"btn_cancel")) {
        Close(0);
    } else if (IsSender(msg, L"btn_ok")) {
        m_deleteFromDisk = m_pShowDel && m_pShowDel->GetCheck();
        Close(1);
    }
}
