// A tick as the main window shows it: six digit images and the size label.
#pragma once

#include <array>

#include "app/progress/progress_tick.h"
#include "ui/duilib.h"

class CProgressView {
public:
    CProgressView() = default;
    // Finds the labels in the main window's layout, once; labels it lacks are
    // skipped later.
    explicit CProgressView(const DuiLib::CPaintManagerUI& paintManager);

    // The digits as "other/<digit>.png" and the size label centred. UI thread.
    void Show(const ProgressTick& tick) const;
    // Every digit back to "other/0.png". UI thread.
    void ResetDigits() const;

private:
    void ShowDigits(const TimeDigits& digits) const;

    std::array<DuiLib::CLabelUI*, 6> m_digits = {};  // hours, minutes, seconds: tens then units
    DuiLib::CLabelUI* m_fileSize = nullptr;
};
