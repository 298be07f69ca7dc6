// Asks before the selected files leave the list; the box "从磁盘删除" also
// deletes them from the disk.
#pragma once

#include <vector>

#include "shell/layouts/delvideofile_tip_names.h"
#include "shell/tips/tip_dialog.h"

class DelVideoFileTipDlg : public CTipDialog {
public:
    DelVideoFileTipDlg() : CTipDialog(kTipParking) {}

    // Lines the caller wants shown under the question; only the first is shown.
    void AddTipLine(LPCTSTR line) { m_tipLines.emplace_back(line); }
    // The state of "从磁盘删除" when the user confirmed; false otherwise.
    bool DeleteFromDisk() const { return m_deleteFromDisk; }

protected:
    LPCTSTR GetWindowClassName() const override { return L"DelVideoFileTipWnd"; }
    DuiLib::CDuiString GetSkinFile() override { return delvideofile_tip_names::kLayout; }
    void InitWindow() override;
    void OnClick(DuiLib::TNotifyUI& msg) override;

private:
    DuiLib::CButtonUI* m_pCloseBtn = nullptr;
    DuiLib::CCheckBoxUI* m_pShowDel = nullptr;
    DuiLib::CLabelUI* m_pTitle = nullptr;
    DuiLib::CLabelUI* m_pTipText = nullptr;
    bool m_deleteFromDisk = false;
    std::vector<DuiLib::CDuiString> m_tipLines;
};
