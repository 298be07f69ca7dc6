// The close prompt CExitMiniWnd and the remembered close choice.
#include "app/exit_mini_wnd.h"

#include "common/main_ini.h"
#include "common/setting_data.h"

using namespace DuiLib;

bool g_closeToExit = false;
bool g_exitRemind = true;
bool g_exitConfirmed = false;

void LoadExitChoice() {
    g_closeToExit = ReadCheckClosePanel() != 0;
    g_exitRemind = ReadExitMiniWndRemind();
}

void CExitMiniWnd::InitWindow() {
    m_pBtnClose = FindNamed<CButtonUI>(m_PaintManager, exit_names::kBtnClose);
    m_pBtnMini = FindNamed<COptionUI>(m_PaintManager, exit_names::kBtnMini);
    m_pBtnExit = FindNamed<COptionUI>(m_PaintManager, exit_names::kBtnExit);
    m_pBtnNoRemind = FindNamed<COptionUI>(m_PaintManager, exit_names::kBtnNoRemind);
    if (m_pBtnMini && m_pBtnExit) (g_closeToExit ? m_pBtnExit : m_pBtnMini)->Selected(true, false);
    g_exitConfirmed = false;
}

// An option's click comes before it changes: the clicked one is the choice.
void CExitMiniWnd::OnClick(TNotifyUI& msg) {
    using namespace exit_names;
    if (IsSender(msg, kBtnConfirm)) {
        g_exitConfirmed = true;
        SaveChoice();
        Close(0);
    } else if (IsSender(msg, kBtnClose, m_pBtnClose) || IsSender(msg, kBtnCancel)) {
        Close(0);
    } else if (IsSender(msg, kBtnMini, m_pBtnMini)) {
        g_closeToExit = false;
    } else if (IsSender(msg, kBtnExit, m_pBtnExit)) {
        g_closeToExit = true;
    }
}

void CExitMiniWnd::SaveChoice() {
    if (!m_pBtnNoRemind) return;
    g_exitRemind = !m_pBtnNoRemind->IsSelected();
    WriteExitMiniWndRemind(g_exitRemind);
    if (!m_pBtnExit) return;
    g_closeToExit = m_pBtnExit->IsSelected();
    CSettingData* settings = CSettingData::GetInstance();
    SettingRecord record = settings->GetSettings();
    record.Check_close_panel = g_closeToExit ? 1 : 0;
    settings->Save(record);
    WriteCheckClosePanel(record.Check_close_panel);
}

bool ShowExitMiniWnd(HWND parent) {
    CExitMiniWnd prompt;
    if (!prompt.Create(parent, L"ExitWnd", WS_POPUP | WS_CLIPCHILDREN, WS_EX_TOOLWINDOW)) return false;
    prompt.DoModal(parent);
    return g_exitConfirmed;
}
