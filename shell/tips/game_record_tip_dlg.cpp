#include "shell/tips/game_record_tip_dlg.h"

using namespace DuiLib;

void GameRecordTipDlg::InitWindow() {
    m_pCloseBtn = FindNamed<CButtonUI>(m_PaintManager, game_record_tip_names::kClosebtn);
    m_pShowDel = FindNamed<CCheckBoxUI>(m_PaintManager, game_record_tip_names::kShowDel);
    m_pTitle = FindNamed<CLabelUI>(m_PaintManager, game_record_tip_names::kTitle);
}

void GameRecordTipDlg::OnClick(TNotifyUI& msg) {
    using namespace game_record_tip_names;
    if (IsSender(msg, kClosebtn, m_pCloseBtn) || IsSender(msg, kBtnCancel))
        Close(0);
    else if (IsSender(msg, kBtnOk))
        Close(1);
}
