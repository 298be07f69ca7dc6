#include "app/tips/tip_dialog.h"

using namespace DuiLib;

int CTipDialog::DoModal(HWND owner) {
    m_ownerWnd = owner;
    SetWindowPos(m_hWnd, nullptr, m_parking.x, m_parking.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    CenterWindow();
    BringWindowToTop(m_hWnd);
    return static_cast<int>(ShowModal());
}

bool CTipDialog::IsSender(const TNotifyUI& msg, const LayoutName& entry, const CControlUI* control) {
    if (!msg.pSender) return false;
    if (control && msg.pSender == control) return true;
    return msg.pSender->GetName().CompareNoCase(entry.name) == 0;
}
