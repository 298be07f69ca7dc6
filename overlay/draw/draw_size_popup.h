// The drawing toolbar's two small pop-ups: DrawBarSize (three pen widths,
// "draw_bar_size.xml") and DrawTextSize (seven text sizes, "draw_text_size.xml").
// A choice goes to the toolbar that made the pop-up, then the pop-up closes; it
// also closes when it loses the focus. The toolbar owns the object and deletes
// it with the next press or with itself. UI thread only.
#pragma once

#include <cstddef>

#include "ui/duilib.h"

class CDrawbarWnd;

class DrawSizePopup : public DuiLib::WindowImplBase {
public:
    struct Choice {
        const DuiLib::LayoutName* button;
        int value;
    };

    // Brings the pop-up to the top; notify is the window it belongs to.
    void SetNotifyWindow(HWND notify);

protected:
    DrawSizePopup(CDrawbarWnd* toolbar, const Choice* choices, size_t count)
        : m_pToolbar(toolbar), m_choices(choices), m_count(count) {}
    LPCTSTR GetWindowClassName() const override { return L"DrawBarSizeWnd"; }
    void OnClick(DuiLib::TNotifyUI& msg) override;
    LRESULT OnKillFocus(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;
    // What a choice does with the toolbar.
    virtual void Apply(CDrawbarWnd* toolbar, int value) = 0;

private:
    HWND m_hNotify = nullptr;
    CDrawbarWnd* m_pToolbar;
    const Choice* m_choices;
    size_t m_count;
};

class DrawBarSize : public DrawSizePopup {
public:
    static constexpr int kHeight = 118;
    explicit DrawBarSize(CDrawbarWnd* toolbar);

protected:
    DuiLib::CDuiString GetSkinFile() override;
    void Apply(CDrawbarWnd* toolbar, int value) override;
};

class DrawTextSize : public DrawSizePopup {
public:
    static constexpr int kHeight = 220;
    explicit DrawTextSize(CDrawbarWnd* toolbar);

protected:
    DuiLib::CDuiString GetSkinFile() override;
    void Apply(CDrawbarWnd* toolbar, int value) override;
};
