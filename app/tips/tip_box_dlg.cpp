#include "app/tips/tip_box_dlg.h"

using namespace DuiLib;

// A notice only: closing it acknowledges it like "好的" does.
void CTipBoxDlg::OnClick(TNotifyUI& msg) {
    if (IsSender(msg, L"closebtn", m_pCloseBtn) || IsSender(msg, L"btn_ok"))
        Close(1);
    else if (IsSender(msg, L"btn_cancel"))
        Close(0);
}
