// Tells that sound playback failed and where to change the output device.
#pragma once

#include "app/tips/tip_dialog.h"

class CTipBoxDlg : public CTipDialog {
public:
    CTipBoxDlg() : CTipDialog(kTipParking) {}

protected:
    LPCTSTR GetWindowClassName() const override { return L"TipBoxDlg"; }
    DuiLib::CDuiString GetSkinFile() override { return L"tipbox.xml"; }
    void InitWindow() override { m_pCloseBtn = FindControl(L"closebtn"); }
    void OnClick(DuiLib::TNotifyUI& msg) override;

private:
    DuiLib::CControlUI* m_pCloseBtn = nullptr;
};
