#include "app/recording_ui/self_deleting_wnd.h"

LRESULT CSelfDeletingWnd::OnCreate(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) {
    LRESULT result = WindowImplBase::OnCreate(uMsg, wParam, lParam, bHandled);
    m_ownedByWindow = result == 0;
    return result;
}

void CSelfDeletingWnd::OnFinalMessage(HWND hWnd) {
    WindowImplBase::OnFinalMessage(hWnd);
    if (!m_ownedByWindow) return;
    if (m_goneNotice) m_goneNotice(dynamic_cast<const void*>(this));  // the whole object's address
    delete this;
}
