// The time and date entry controls: field selection, typing, stepping, painting.
#include "schedule/clock_field_controls.h"

#include <cwchar>
#include <string>

#include "schedule/date_time_text.h"

using namespace DuiLib;

ClockFieldControl::ClockFieldControl() {
    SetReadOnly(true);
    SetTextPadding({1, 3, 1, 3});
}

UINT ClockFieldControl::GetControlFlags() const {
    return IsEnabled() ? (UIFLAG_TABSTOP | UIFLAG_SETCURSOR) : CControlUI::GetControlFlags();
}

void ClockFieldControl::ParseText(const wchar_t* text) {
    const ClockFields f = ParseClockText(text ? text : L"", Separator(), {m_fields[0], m_fields[1], m_fields[2]});
    m_fields[0] = f.first;
    m_fields[1] = f.second;
    m_fields[2] = f.third;
    UpdateText();
}

void ClockFieldControl::UpdateText() {
    const std::wstring text = Separator() == L':' ? FormatTimeText(m_fields[0], m_fields[1], m_fields[2])
                                                  : FormatDateText(m_fields[0], m_fields[1], m_fields[2]);
    SetText(text.c_str());
    if (m_shownText == text.c_str()) return;
    m_shownText = text.c_str();
    if (m_pManager) m_pManager->SendNotify(this, DUI_MSGTYPE_TEXTCHANGED);
}

void ClockFieldControl::SelectField(int field) {
    m_selected = field;
    Invalidate();
}

void ClockFieldControl::CommitTyped() {
    if (m_typed.IsEmpty() || m_selected == 0) return;
    const long value = wcstol(m_typed.Str().c_str(), nullptr, 10);
    Commit(value < 0 ? 0 : static_cast<int32_t>(value));
}

void ClockFieldControl::TypeDigit(wchar_t digit) {
    m_lastKey = digit;
    if (m_typed.GetLength() < FieldWidth(m_selected)) m_typed += CDuiString(std::wstring(1, digit).c_str());
    CommitTyped();
    if (m_typed.GetLength() >= FieldWidth(m_selected)) m_typed.Empty();
    UpdateText();
}

void ClockFieldControl::OnClick(const TEventUI& event) {
    m_typed.Empty();
    const int field = FieldAt(event.ptMouse.x - m_rcItem.left, (m_rcItem.right - m_rcItem.left) / 3);
    if (field) m_selected = field;
    UpdateText();
    Invalidate();
}

void ClockFieldControl::OnKey(const TEventUI& event) {
    const wchar_t key = event.chKey;
    if (key == VK_DELETE || key == VK_BACK) {
        if (m_selected) m_fields[m_selected - 1] = 0;
        m_typed.Empty();
        UpdateText();
    } else if (m_selected && ((key >= L'0' && key <= L'9') || (key >= VK_NUMPAD0 && key <= VK_NUMPAD9))) {
        TypeDigit(key >= VK_NUMPAD0 ? static_cast<wchar_t>(L'0' + key - VK_NUMPAD0) : key);
    } else if (key == VK_UP) {
        StepUp();
    } else if (key == VK_DOWN) {
        StepDown();
    } else if (key == VK_LEFT && m_selected > 1) {
        CommitTyped();
        m_typed.Empty();
        SelectField(m_selected - 1);
    } else if ((key == VK_RIGHT || key == VK_OEM_PERIOD || key == VK_DECIMAL) && m_selected < 3) {
        CommitTyped();
        m_typed.Empty();
        SelectField(m_selected + 1);
    }
}

// The edit box's own handling is bypassed: no caret, no typing into the text.
void ClockFieldControl::DoEvent(TEventUI& event) {
    const bool enabled = IsEnabled();
    switch (event.Type) {
        case UIEVENT_KILLFOCUS:
            if (enabled) SelectField(0);
            break;
        case UIEVENT_BUTTONDOWN:
        case UIEVENT_RBUTTONDOWN:
        case UIEVENT_DBLCLICK:
            if (enabled) OnClick(event);
            if (enabled && event.Type == UIEVENT_BUTTONDOWN) SetFocus();
            break;
        case UIEVENT_SCROLLWHEEL:
            if (!enabled) break;
            if (event.wParam)
                StepDown();
            else
                StepUp();
            return;
        case UIEVENT_KEYDOWN:
            if (enabled) OnKey(event);
            break;
        default: break;
    }
    CLabelUI::DoEvent(event);
}

// Field by field through the render engine, so the text keeps its alpha in
// layered windows; the selected field on a blue ground.
void ClockFieldControl::PaintText(HDC hDC) {
    if (!m_pManager) return;
    DWORD color = m_dwTextColor ? m_dwTextColor : m_pManager->GetDefaultFontColor();
    if (!IsEnabled()) color = m_pManager->GetDefaultDisabledColor();
    const UINT style = DT_SINGLELINE | DT_NOPREFIX | (m_uTextStyle & (DT_VCENTER | DT_TOP | DT_BOTTOM));
    RECT rc = m_rcItem;
    rc.left += m_rcTextPadding.left;
    rc.right -= m_rcTextPadding.right;
    rc.top += m_rcTextPadding.top;
    rc.bottom -= m_rcTextPadding.bottom;
    const std::wstring text = m_sText.Str();
    std::wstring part;
    int field = 1;
    auto draw = [&](const std::wstring& piece, bool selected) {
        if (piece.empty()) return;
        const SIZE size = CRenderEngine::GetTextSize(hDC, m_pManager, piece.c_str(), m_iFont, style);
        RECT cell = {rc.left, rc.top, std::min<LONG>(rc.left + size.cx, rc.right), rc.bottom};
        if (selected) CRenderEngine::DrawColor(hDC, cell, 0xFF3399FF);
        CRenderEngine::DrawText(hDC, m_pManager, cell, piece.c_str(), selected ? 0xFFFFFFFF : color, m_iFont, style);
        rc.left = cell.right;
    };
    for (wchar_t c : text) {
        if (c != Separator()) {
            part += c;
            continue;
        }
        draw(part, IsEnabled() && m_selected == field);
        draw(std::wstring(1, c), false);
        part.clear();
        ++field;
    }
    draw(part, IsEnabled() && m_selected == field);
}

CTimeControlUI::CTimeControlUI() { UpdateText(); }

LPVOID CTimeControlUI::GetInterface(LPCTSTR pstrName) {
    if (wcscmp(pstrName, L"TimeControlUI") == 0) return this;
    return CEditUI::GetInterface(pstrName);
}

CDuiString CTimeControlUI::FormatTime() const { return FormatTimeText(m_fields[0], m_fields[1], m_fields[2]).c_str(); }

int32_t CTimeControlUI::GetTotalSeconds() const { return m_fields[0] * 3600 + m_fields[1] * 60 + m_fields[2]; }

CDuiString CTimeControlUI::FormatMs(uint32_t ms) {
    return FormatTimeText(static_cast<int32_t>(ms / 3600000), static_cast<int32_t>(ms % 3600000 / 60000),
                          static_cast<int32_t>(ms % 60000 / 1000))
        .c_str();
}

int CTimeControlUI::FieldAt(int x, int w) const {
    if (x <= w) return 1;
    if (x <= 2 * w) return 2;
    return x <= 3 * w ? 3 : 0;
}

void CTimeControlUI::Commit(int32_t value) {
    const int32_t limits[] = {m_maxHour, m_maxMinute, m_maxSecond};
    if (m_selected >= 1 && m_selected <= 3 && value <= limits[m_selected - 1]) m_fields[m_selected - 1] = value;
}

void CTimeControlUI::StepUp() {
    const int32_t limits[] = {m_maxHour, m_maxMinute, m_maxSecond};
    if (m_selected >= 1 && m_fields[m_selected - 1] < limits[m_selected - 1]) ++m_fields[m_selected - 1];
    UpdateText();
}

void CTimeControlUI::StepDown() {
    if (m_selected >= 1 && m_fields[m_selected - 1] > 0) --m_fields[m_selected - 1];
    UpdateText();
}

CYearControlUI::CYearControlUI() {
    m_fields[0] = 1970;
    m_fields[1] = 1;
    m_fields[2] = 1;
    UpdateText();
}

LPVOID CYearControlUI::GetInterface(LPCTSTR pstrName) {
    if (wcscmp(pstrName, L"YearControlUI") == 0) return this;
    return CEditUI::GetInterface(pstrName);
}

CDuiString CYearControlUI::FormatDate() const { return FormatDateText(m_fields[0], m_fields[1], m_fields[2]).c_str(); }

int64_t CYearControlUI::ToSeconds() const { return DateToSeconds(m_fields[0], m_fields[1], m_fields[2]); }

int CYearControlUI::FieldAt(int x, int w) const {
    if (x <= w) return 1;
    if (x > w + 9 && x <= 2 * w) return 2;
    if (x > 2 * w + 9 && x <= 3 * w) return 3;
    return 0;
}

// A month outside 1 to 12 or a day outside its month is refused: typing "0", "5"
// into the month keeps the old month, then takes 5.
void CYearControlUI::Commit(int32_t value) {
    if (m_selected == 2 && (value < 1 || value > 12)) return;
    if (m_selected == 3 && (value < 1 || value > DaysInMonth(m_fields[1], m_fields[0]))) return;
    if (m_selected >= 1 && m_selected <= 3) m_fields[m_selected - 1] = value;
    FitDayToMonth();
}

void CYearControlUI::StepUp() {
    if (m_selected == 1) ++m_fields[0];
    if (m_selected == 2 && m_fields[1] < 12) ++m_fields[1];
    if (m_selected == 3 && m_fields[2] < DaysInMonth(m_fields[1], m_fields[0])) ++m_fields[2];
    FitDayToMonth();
    UpdateText();
}

void CYearControlUI::StepDown() {
    const int32_t floors[] = {1970, 1, 1};
    if (m_selected >= 1 && m_fields[m_selected - 1] > floors[m_selected - 1]) --m_fields[m_selected - 1];
    FitDayToMonth();
    UpdateText();
}

// A new month or year keeps the day inside the month: 01-31 stepped to
// February gives 02-28 (02-29 in a leap year), never 02-31.
void CYearControlUI::FitDayToMonth() {
    if (m_fields[1] < 1 || m_fields[1] > 12) return;
    const int32_t last = DaysInMonth(m_fields[1], m_fields[0]);
    if (m_fields[2] > last) m_fields[2] = last;
}

CControlUI* CreateClockFieldControl(LPCTSTR className) {
    if (wcscmp(className, L"TimeControlUI") == 0) return new CTimeControlUI;
    if (wcscmp(className, L"YearControlUI") == 0) return new CYearControlUI;
    return nullptr;
}
