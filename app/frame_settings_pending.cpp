// Stands in for the settings dialog until it joins the program.
#include "app/pending_step.h"
#include "app/vistrel_frame.h"

void CVistrelFrame::ShowSettingDialog(int) {
    LogPendingStep("CVistrelFrame::ShowSettingDialog", "the settings dialog");
}
