#include "shell/tips/tip_dialog.h"

using namespace DuiLib;

int CTipDialog::DoModal(HWND owner) {
    m_ownerWnd = owner;
    return static_cast<int>(ShowModalFrom(m_parking, true));
}

bool CTipDialog::IsSender(const TNotifyUI& msg, const LayoutName& entry, const CControlUI* control) {
    if (!msg.pSender) return false;
    if (control && msg.pSender == control) return true;
    return msg.pSender->GetName().CompareNoCase(entry.name) == 0;
}
