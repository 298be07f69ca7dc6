#include "app/progress/progress_view.h"

#include "app/layouts/main_names.h"

using namespace DuiLib;

CProgressView::CProgressView(const CPaintManagerUI& paintManager) {
    using namespace main_names;
    const LayoutName digits[] = {kTimeHt, kTimeHu, kTimeMt, kTimeMu, kTimeSt, kTimeSu};
    for (size_t i = 0; i < m_digits.size(); ++i) m_digits[i] = FindNamed<CLabelUI>(paintManager, digits[i]);
    m_fileSize = FindNamed<CLabelUI>(paintManager, kFilesize);
}

void CProgressView::Show(const ProgressTick& tick) const {
    ShowDigits(tick.digits);
    if (!m_fileSize) return;
    m_fileSize->SetText(tick.sizeLabel.c_str());
    m_fileSize->SetTextStyle(DT_CENTER | DT_SINGLELINE);
}

void CProgressView::ResetDigits() const { ShowDigits(TimeDigits{}); }

void CProgressView::ShowDigits(const TimeDigits& d) const {
    const uint64_t values[] = {d.hoursTens, d.hoursUnits, d.minutesTens, d.minutesUnits, d.secondsTens, d.secondsUnits};
    for (size_t i = 0; i < m_digits.size(); ++i)
        if (m_digits[i]) m_digits[i]->SetBkImage(DigitImageName(values[i]).c_str());
}
