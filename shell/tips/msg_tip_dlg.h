// A notice with one button ("好的") and a text the caller sets.
#pragma once

#include <string>

#include "shell/layouts/msg_tip_names.h"
#include "shell/tips/tip_dialog.h"

class MsgTipDlg : public CTipDialog {
public:
    MsgTipDlg() : CTipDialog(kTipParking) {}

    // Every caller passes 0, the notice.
    void SetTipType(int kind) { m_tipKind = kind; }
    void SetTipText(const std::wstring& text) { m_tipText = text; }

protected:
    LPCTSTR GetWindowClassName() const override { return L"MsgTipWnd"; }
    DuiLib::CDuiString GetSkinFile() override { return msg_tip_names::kLayout; }
    void InitWindow() override;
    void OnClick(DuiLib::TNotifyUI& msg) override;

private:
    void FindControls();
    void ShowNotice();
    void FitTipText();

    DuiLib::CButtonUI* m_pCloseBtn = nullptr;
    DuiLib::CContainerUI* m_pConfirmTip = nullptr;
    DuiLib::CContainerUI* m_pExitConfirm = nullptr;
    DuiLib::CContainerUI* m_pOkCancel = nullptr;
    DuiLib::CContainerUI* m_pGood = nullptr;
    DuiLib::CControlUI* m_pTipLogo = nullptr;
    DuiLib::CLabelUI* m_pTipText = nullptr;
    DuiLib::COptionUI* m_pMiniTray = nullptr;
    DuiLib::COptionUI* m_pExitExe = nullptr;
    DuiLib::CCheckBoxUI* m_pShowDelete = nullptr;
    DuiLib::CLabelUI* m_pTitle = nullptr;
    int m_tipKind = 0;
    std::wstring m_tipText;
};
