// The sound device dialog and the auto-stop dialog opened from the main window.
#include "app/pending_step.h"
#include "app/vistrel_frame.h"

void CVistrelFrame::ShowAudioSettingDialog() {
    LogPendingStep("CVistrelFrame::ShowAudioSettingDialog", "the sound device dialog");
}
