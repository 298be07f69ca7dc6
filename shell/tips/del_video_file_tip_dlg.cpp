#include "shell/tips/del_video_file_tip_dlg.h"

using namespace DuiLib;

void DelVideoFileTipDlg::InitWindow() {
    using namespace delvideofile_tip_names;
    m_pCloseBtn = FindNamed<CButtonUI>(m_PaintManager, kClosebtn);
    m_pShowDel = FindNamed<CCheckBoxUI>(m_PaintManager, kShowDel);
    m_pTitle = FindNamed<CLabelUI>(m_PaintManager, kTitle);
    m_pTipText = FindNamed<CLabelUI>(m_PaintManager, kTipText);
    if (m_pTipText && !m_tipLines.empty()) {
        m_pTipText->SetVisible(true);
        m_pTipText->SetText(m_tipLines.front());
    }
}

void DelVideoFileTipDlg::OnClick(TNotifyUI& msg) {
    using namespace delvideofile_tip_names;
    if (IsSender(msg, kClosebtn, m_pCloseBtn) || IsSender(msg, kBtnCancel)) {
        Close(0);
    } else if (IsSender(msg, kBtnOk)) {
        m_deleteFromDisk = m_pShowDel && m_pShowDel->GetCheck();
        Close(1);
    }
}
