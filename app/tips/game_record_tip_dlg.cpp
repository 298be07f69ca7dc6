#include "app/tips/game_record_tip_dlg.h"

using namespace DuiLib;

void GameRecordTipDlg::InitWindow() {
    m_pCloseBtn = FindControl(L"closebtn");
    m_pShowDel = FindAs<CCheckBoxUI>(L"show_del");
    m_pTitle = FindAs<CLabelUI>(L"title");
}

void GameRecordTipDlg::OnClick(TNotifyUI& msg) {
    if (IsSender(msg, L"closebtn", m_pCloseBtn) || IsSender(msg, L"btn_cancel"))
        Close(0);
    else if (IsSender(msg, L"btn_ok"))
        Close(1);
}
