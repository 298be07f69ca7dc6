// Tells that sound playback failed and where to change the output device.
#pragma once

#include "shell/layouts/tipbox_names.h"
#include "shell/tips/tip_dialog.h"

class CTipBoxDlg : public CTipDialog {
public:
    CTipBoxDlg() : CTipDialog(kTipParking) {}

protected:
    LPCTSTR GetWindowClassName() const override { return L"TipBoxDlg"; }
    DuiLib::CDuiString GetSkinFile() override { return tipbox_names::kLayout; }
    void InitWindow() override {
        m_pCloseBtn = DuiLib::FindNamed<DuiLib::CButtonUI>(m_PaintManager, tipbox_names::kClosebtn);
    }
    void OnClick(DuiLib::TNotifyUI& msg) override;

private:
    DuiLib::CButtonUI* m_pCloseBtn = nullptr;
};
