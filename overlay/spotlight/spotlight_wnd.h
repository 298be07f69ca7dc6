// CSpotLightWnd: the spotlight, a layered window over the record region that
// darkens it except for a round bright spot; the main window moves the spot to
// the cursor on every mouse movement its hook hears of ("spotlight_wnd.xml").
// Its dark pixels catch the mouse, the spot lets it through. A move repaints
// only the spot's old and new squares, at most about 60 times a second and
// never more than half of the time while paints are slow. Made
// hidden and placed ahead of time, it paints while hidden and shows at once.
// UI thread only.
//
//   auto* spot = new CSpotLightWnd;
//   spot->Create(boardHwnd, L"spot_wnd_ts", WS_POPUP, WS_EX_TOOLWINDOW | WS_EX_TOPMOST);
//   spot->PlaceOverSelection();  spot->SetHoleRect(g_rcSnapwick...);
//   ... spot->ShowOverSelection();  spot->MoveSpotTo(cursor.x, cursor.y);
#pragma once

#include "overlay/layouts/spotlight_wnd_names.h"
#include "overlay/spotlight/spotlight_ui.h"
#include "ui/duilib.h"

class CSpotLightWnd : public DuiLib::WindowImplBase {
public:
    static constexpr const wchar_t* kClassName = L"spotlight_wnd";
    static constexpr const wchar_t* kCaption = L"spot_wnd_ts";

    CSpotLightWnd() = default;

    // Over g_rcSnapwick less 2 pixels each side; Show also shows it.
    void PlaceOverSelection();
    void ShowOverSelection();
    void SetHoleRect(int left, int top, int right, int bottom);
    // A screen point. The spot goes there now, or when the last move is less
    // than a frame ago, at the next frame to the latest point.
    void MoveSpotTo(int x, int y);
    CSpotlightUI* Spotlight() const { return m_pSpotlight; }

protected:
    LPCTSTR GetWindowClassName() const override { return kClassName; }
    DuiLib::CDuiString GetSkinFile() override { return spotlight_wnd_names::kLayout; }
    DuiLib::CControlUI* CreateControl(LPCTSTR pstrClass) override;
    void InitWindow() override;
    LRESULT OnNcHitTest(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;
    LRESULT HandleCustomMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;
    LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) override;

private:
    void PaintSpot();

    CSpotlightUI* m_pSpotlight = nullptr;
    POINT m_ptWanted = {0, 0};    // client pixels of the latest move
    ULONGLONG m_lastPaintMs = 0;  // when, by the tick count
    ULONGLONG m_paintCostMs = 0;  // what the last paint took
    bool m_paintTimer = false;    // a later paint is set
};
