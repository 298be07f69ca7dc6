#include "shell/tips/tip_box_dlg.h"

using namespace DuiLib;

// A notice only: closing it acknowledges it like "好的" does.
void CTipBoxDlg::OnClick(TNotifyUI& msg) {
    using namespace tipbox_names;
    if (IsSender(msg, kClosebtn, m_pCloseBtn) || IsSender(msg, kBtnOk))
        Close(1);
    else if (IsSender(msg, kBtnCancel))
        Close(0);
}
