#include "app/recording_ui/toolbar_placement.h"

#include "common/logger.h"
#include "common/monitor_list.h"
#include "overlay/draw/draw_board_wnd.h"

namespace {

constexpr int kGap = 10;         // between the bar and the area
constexpr int kInsideLift = 60;  // a bar inside the area stays this far above its bottom

}  // namespace

POINT ToolbarPosition(const RECT& area, const RECT& screen) {
    const int height = CToolbarWnd::kHeight;
    POINT pt = {area.right - 1 - CToolbarWnd::kWidth, area.bottom + kGap};
    if (pt.y + height > screen.bottom) {
        pt.y = area.top - kGap - height;
        if (pt.y < screen.top) pt.y = area.bottom - kInsideLift - height;
    }
    return pt;
}

CToolbarWnd* CreateRecordToolbar(const ToolbarSetup& setup) {
    auto* bar = new CToolbarWnd(setup.owner);
    bar->SetSlideEnabled(setup.show);
    bar->SetBoardWindow(setup.board);
    bar->SetBoundsRect(setup.screen.left, setup.screen.top, setup.screen.right, setup.screen.bottom);
    const RECT work = PrimaryWorkArea();
    const DWORD style = WS_POPUP | (setup.show ? WS_VISIBLE : 0);
    HWND parent = setup.board ? setup.board->GetHWND() : nullptr;
    if (!bar->Create(parent, L"toolbar", style, WS_EX_TOOLWINDOW | WS_EX_TOPMOST, work.right - CToolbarWnd::kWidth,
                     work.top + CToolbarWnd::kHeight, CToolbarWnd::kWidth, CToolbarWnd::kHeight)) {
        LogBoth("CreateRecordToolbar", "the toolbar window could not be created error");
        delete bar;
        return nullptr;
    }
    const POINT pt = ToolbarPosition(setup.area, setup.screen);
    SetWindowPos(bar->GetHWND(), nullptr, pt.x, pt.y, CToolbarWnd::kWidth, CToolbarWnd::kHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(bar->GetHWND(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    bar->SetObserver(setup.observer);
    return bar;
}
