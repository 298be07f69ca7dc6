// A notice with one button ("好的") and a text the caller sets.
#pragma once

#include <string>

#include "app/tips/tip_dialog.h"

class MsgTipDlg : public CTipDialog {
public:
    MsgTipDlg() : CTipDialog(kTipParking) {}

    // Every caller passes 0, the notice.
    void SetTipType(int kind) { m_tipKind = kind; }
    void SetTipText(const std::wstring& text) { m_tipText = text; }

protected:
    LPCTSTR GetWindowClassName() const override { return L"MsgTipWnd"; }
    DuiLib::CDuiString GetSkinFile() override { return L"msg_tip.xml"; }
    void InitWindow() override;
    void OnClick(DuiLib::TNotifyUI& msg) override;

private:
    void FindControls();
    void ShowNotice();
    void FitTipText();

    DuiLib::CControlUI* m_pCloseBtn = nullptr;
    DuiLib::CControlUI* m_pConfirmTip = nullptr;
    DuiLib::CControlUI* m_pExitConfirm = nullptr;
    DuiLib::CControlUI* m_pOkCancel = nullptr;
    DuiLib::CControlUI* m_pGood = nullptr;
    DuiLib::CControlUI* m_pTipLogo = nullptr;
    DuiLib::CLabelUI* m_pTipText = nullptr;
    DuiLib::COptionUI* m_pMiniTray = nullptr;
    DuiLib::COptionUI* m_pExitExe = nullptr;
    DuiLib::CCheckBoxUI* m_pShowDelete = nullptr;
    DuiLib::CLabelUI* m_pTitle = nullptr;
    int m_tipKind = 0;
    std::wstring m_tipText;
};
