// Entry controls for a time of day or duration (CTimeControlUI, "08:05:09") and
// a date (CYearControlUI, "2024-02-29"): three fields chosen by clicks or the
// arrow keys, changed by digits, the arrow keys and the wheel; no text box.
// Both send "textchanged" when their text changes. UI thread only.
#pragma once

#include <cstdint>

#include "ui/duilib.h"

class ClockFieldControl : public DuiLib::CEditUI {
public:
    ClockFieldControl();

    UINT GetControlFlags() const override;
    void DoEvent(DuiLib::TEventUI& event) override;
    void PaintText(HDC hDC) override;

    // Reads up to three numbers of the text into the fields and shows them.
    void ParseText(const wchar_t* text);
    int32_t Field(int index) const { return m_fields[index - 1]; }
    // 0 none, 1 to 3.
    int SelectedField() const { return m_selected; }

protected:
    virtual wchar_t Separator() const = 0;
    virtual int FieldWidth(int field) const = 0;
    // The field a click x (from the control's left) selects; 0 keeps the current one.
    virtual int FieldAt(int x, int width) const = 0;
    // Takes a typed value into the selected field when it fits.
    virtual void Commit(int32_t value) = 0;
    virtual void StepUp() = 0;
    virtual void StepDown() = 0;
    void UpdateText();

    int32_t m_fields[3] = {0, 0, 0};
    int m_selected = 0;
    DuiLib::CDuiString m_typed;
    wchar_t m_lastKey = 0;
    DuiLib::CDuiString m_shownText;

private:
    void OnClick(const DuiLib::TEventUI& event);
    void OnKey(const DuiLib::TEventUI& event);
    void TypeDigit(wchar_t digit);
    void CommitTyped();
    void SelectField(int field);
};

class CTimeControlUI : public ClockFieldControl {
public:
    CTimeControlUI();
    LPCTSTR GetClass() const override { return L"TimeControlUI"; }
    LPVOID GetInterface(LPCTSTR pstrName) override;

    DuiLib::CDuiString FormatTime() const;
    int32_t GetTotalSeconds() const;
    static DuiLib::CDuiString FormatMs(uint32_t ms);

protected:
    wchar_t Separator() const override { return L':'; }
    int FieldWidth(int) const override { return 2; }
    int FieldAt(int x, int width) const override;
    void Commit(int32_t value) override;
    void StepUp() override;
    void StepDown() override;

private:
    int32_t m_maxHour = 23, m_maxMinute = 59, m_maxSecond = 59;
};

// Steps keep a real date; typed values are taken only when they make one (a
// month of 13 or a day of 45 is refused).
class CYearControlUI : public ClockFieldControl {
public:
    CYearControlUI();
    LPCTSTR GetClass() const override { return L"YearControlUI"; }
    LPVOID GetInterface(LPCTSTR pstrName) override;

    DuiLib::CDuiString FormatDate() const;
    int64_t ToSeconds() const;

protected:
    wchar_t Separator() const override { return L'-'; }
    int FieldWidth(int field) const override { return field == 1 ? 4 : 2; }
    int FieldAt(int x, int width) const override;
    void Commit(int32_t value) override;
    void StepUp() override;
    void StepDown() override;

private:
    void FitDayToMonth();
};

// The layouts' class names "TimeControlUI" and "YearControlUI"; null for others.
DuiLib::CControlUI* CreateClockFieldControl(LPCTSTR className);
