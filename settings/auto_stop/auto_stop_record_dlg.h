// The auto-stop dialog: automatic stopping on or off, after a recording time or
// at a file size, and what the computer does when the recording is complete. It
// edits a copy of the owner's AutoStopOptions; the owner reads it back after OK.
// Nothing is stored in a file.
#pragma once

#include <string>

#include "common/auto_stop_options.h"
#include "schedule/clock_field_controls.h"
#include "settings/layouts/auto_stop_record_names.h"
#include "ui/duilib.h"

// Seconds as the time control's "hh:mm:ss", held to 00:00:00 .. 23:59:59.
DuiLib::CDuiString TimeTextOfSeconds(int32_t seconds);
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
    DuiLib::CControlUI* CreateControl(LPCTSTR pstrClass) override { return CreateClockFieldControl(pstrClass); }

private:
    bool OnCheckNotify(DuiLib::TNotifyUI* msg);
    void EnableRows(bool enabled);
    void FillActions();
    void TakeControls();

    HWND m_owner = nullptr;
    DuiLib::CButtonUI* m_pCloseBtn = nullptr;
    DuiLib::COptionUI* m_pDiviTime = nullptr;
    DuiLib::COptionUI* m_pDiviSize = nullptr;
    CTimeControlUI* m_pTimeCtrl = nullptr;
    DuiLib::CCheckBoxUI* m_pAutoStop = nullptr;
    DuiLib::CEditUI* m_pSizeEdit = nullptr;
    DuiLib::CComboUI* m_pComplete = nullptr;
    DuiLib::CContainerUI* m_pAutotime = nullptr;
    DuiLib::CContainerUI* m_pAutosize = nullptr;
    DuiLib::CContainerUI* m_pAutocomplete = nullptr;
    AutoStopOptions m_options;
};
