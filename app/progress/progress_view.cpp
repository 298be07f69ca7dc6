#include "app/progress/progress_view.h"

using namespace DuiLib;

void ShowProgressInMainWindow(CPaintManagerUI& paintManager, const ProgressTick& tick) {
    const TimeDigits& d = tick.digits;
    const struct {
        const wchar_t* name;
        uint64_t digit;
    } digits[] = {{L"time_ht", d.hoursTens},    {L"time_hu", d.hoursUnits},  {L"time_mt", d.minutesTens},
                  {L"time_mu", d.minutesUnits}, {L"time_st", d.secondsTens}, {L"time_su", d.secondsUnits}};
    for (const auto& entry : digits)
        if (CControlUI* label = paintManager.FindControl(entry.name))
            label->SetBkImage(DigitImageName(entry.digit).c_str());
    CControlUI* control = paintManager.FindControl(L"filesize");
    auto* size = control ? static_cast<CLabelUI*>(control->GetInterface(L"Label")) : nullptr;
    if (!size) return;
    size->SetText(tick.sizeLabel.c_str());
    size->SetTextStyle(DT_CENTER | DT_SINGLELINE);
}
