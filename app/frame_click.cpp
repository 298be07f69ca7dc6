// The main window's click table. It holds the recording commands so far; the
// other commands of the window join it by their control names.
#include "logger.h"
#include "vistrel_frame.h"

using namespace DuiLib;

void CVistrelFrame::OnClick(TNotifyUI& msg) {
    if (!msg.pSender) return;
    const CDuiString name = msg.pSender->GetName();
    if (name == L"start") {
        OnClickStartRecord();
    } else if (name == L"btn_pause") {
        OnClickBtnPause(false);  // the option toggles itself after the click
    } else if (name == L"btn_stop") {
        LogBoth("CVistrelFrame::OnClick", "btn_stop");
        StopByUser();
    } else if (name == L"btn_all_screen") {
        SelectFullScreen();
    }
}
