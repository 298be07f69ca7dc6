// The auto-stop dialog: automatic stopping on or off, after a recording time or
// at a file size, and what the computer does when the recording is complete. It
// edits a copy of the owner's AutoStopOptions; the owner reads it back after OK.
// Nothing is stored in a file.
#pragma once

#include <string>

#include "common/auto_stop_options.h"
#include "settings/layouts/auto_stop_record_names.h"
#include "ui/duilib.h"

// "hh:mm:ss" (or "mm:ss", or seconds) as seconds; non-digits end a number.
int32_t ParseDurationText(const std::wstring& text);
std::wstring FormatDurationText(int32_t seconds);
// A decimal number at the start of text; 0 when there is none.
int32_t ParseLeadingNumber(const std::wstring& text);

class AutoStopRecordDlg : public DuiLib::WindowImplBase {
public:
    // UI thread, before Create.
    void SetOptions(const AutoStopOptions& options) { m_options = options; }
    const AutoStopOptions& Options() const { return m_options; }
    // Parked off screen, centred when asked, in front, run modally; true after OK.
    bool ShowDialog(HWND owner, bool center);

protected:
    LPCTSTR GetWindowClassName() const override { return L"AutoStopRecordWnd"; }
    DuiLib::CDuiString GetSkinFile() override { return auto_stop_record_names::kLayout; }
    void InitWindow() override;
    void OnClick(DuiLib::TNotifyUI& msg) override;

private:
    bool OnCheckNotify(DuiLib::TNotifyUI* msg);
    void EnableRows(bool enabled);
    void TakeControls();

    HWND m_owner = nullptr;
    DuiLib::CButtonUI* m_pCloseBtn = nullptr;
    DuiLib::COptionUI* m_pDiviTime = nullptr;
    DuiLib::COptionUI* m_pDiviSize = nullptr;
    DuiLib::CEditUI* m_pTimeCtrl = nullptr;
    DuiLib::CCheckBoxUI* m_pAutoStop = nullptr;
    DuiLib::CEditUI* m_pSizeEdit = nullptr;
    DuiLib::CComboUI* m_pComplete = nullptr;
    DuiLib::CContainerUI* m_pAutotime = nullptr;
    DuiLib::CContainerUI* m_pAutosize = nullptr;
    DuiLib::CContainerUI* m_pAutocomplete = nullptr;
    AutoStopOptions m_options;
};
