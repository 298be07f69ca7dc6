// The family of small modal tip and confirm dialogs: a skinned window of fixed
// size that the caller creates, runs with DoModal and reads the close code of
// (1 confirmed, 0 closed or cancelled).
#pragma once

#include "ui/duilib.h"

class CTipDialog : public DuiLib::WindowImplBase {
public:
    // Parks the window off screen (so it never flashes at its creation place),
    // centres it, brings it to the top and runs it modally; the close code.
    int DoModal(HWND owner);

protected:
    explicit CTipDialog(POINT parking) : m_parking(parking) {}
    UINT GetClassStyle() const override { return CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_SAVEBITS; }

    // The sender is the control of that entry's name (compared without case) or the
    // given control.
    static bool IsSender(const DuiLib::TNotifyUI& msg, const DuiLib::LayoutName& entry,
                         const DuiLib::CControlUI* control = nullptr);

    HWND m_ownerWnd = nullptr;  // the window the dialog answers to

private:
    POINT m_parking;
};

// Where the dialogs wait before they are centred.
constexpr POINT kTipParking = {-600, -250};
constexpr POINT kGameTipParking = {-599, -280};
