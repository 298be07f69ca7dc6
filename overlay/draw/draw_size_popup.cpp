#include "overlay/draw/draw_size_popup.h"

#include <iterator>

#include "overlay/draw/drawbar_wnd.h"
#include "overlay/layouts/draw_bar_size_names.h"
#include "overlay/layouts/draw_text_size_names.h"

namespace {

const DrawSizePopup::Choice kPenWidths[] = {
    {&draw_bar_size_names::kSizeSmall, 5},
    {&draw_bar_size_names::kSizeMid, 10},
    {&draw_bar_size_names::kSizeLarge, 15},
};

const DrawSizePopup::Choice kTextSizes[] = {
    {&draw_text_size_names::kSize16, 16}, {&draw_text_size_names::kSize18, 18}, {&draw_text_size_names::kSize20, 20},
    {&draw_text_size_names::kSize28, 28}, {&draw_text_size_names::kSize36, 36}, {&draw_text_size_names::kSize48, 48},
    {&draw_text_size_names::kSize72, 72},
};

}  // namespace

void DrawSizePopup::SetNotifyWindow(HWND notify) {
    m_hNotify = notify;
    if (m_hWnd) BringWindowToTop(m_hWnd);
}

void DrawSizePopup::OnClick(DuiLib::TNotifyUI& msg) {
    const DuiLib::CDuiString name = msg.pSender->GetName();
    for (size_t i = 0; i < m_count; ++i) {
        if (name != m_choices[i].button->name) continue;
        if (m_pToolbar) Apply(m_pToolbar, m_choices[i].value);
        Close(1);
        return;
    }
}

LRESULT DrawSizePopup::OnKillFocus(UINT, WPARAM, LPARAM, bool& bHandled) {
    bHandled = true;
    Close(1);
    return 0;
}

DrawBarSize::DrawBarSize(CDrawbarWnd* toolbar) : DrawSizePopup(toolbar, kPenWidths, std::size(kPenWidths)) {}
DuiLib::CDuiString DrawBarSize::GetSkinFile() { return draw_bar_size_names::kLayout; }
void DrawBarSize::Apply(CDrawbarWnd* toolbar, int value) { toolbar->SetPenWidth(value); }

DrawTextSize::DrawTextSize(CDrawbarWnd* toolbar) : DrawSizePopup(toolbar, kTextSizes, std::size(kTextSizes)) {}
DuiLib::CDuiString DrawTextSize::GetSkinFile() { return draw_text_size_names::kLayout; }
void DrawTextSize::Apply(CDrawbarWnd* toolbar, int value) { toolbar->SetTextSize(value); }
