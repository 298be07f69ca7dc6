// What the main window does when an automatic stop or a scheduled task's planned
// length is reached: stop the recording, then the chosen completion action
// (nothing, quit, sleep, shut down), each announced by a line on standard output.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "app/progress/power_actions.h"
#include "app/progress/progress_board.h"

// What the completion handling acts on.
struct CompletionTarget {
    std::function<void()> stopRecording;  // the frame's onStopRecord
    HWND mainWindow;                      // destroyed by "退出程序"
    PowerActions& power;
};

// WM_AUTO_STOP_REACHED. recordingWasRunning: the state was recording or paused when
// the message arrived. A message left over from a recording that has already
// stopped does nothing. Otherwise: stop, then, when the auto-stop options are
// enabled, their action, and the options return to their defaults.
void HandleAutoStopReached(bool recordingWasRunning, const CompletionTarget& target, CProgressBoard& board);

// WM_PLAN_DURATION_REACHED: the same with the task's completeOption; the auto-stop
// options return to their defaults when they were enabled.
void HandlePlanDurationReached(bool recordingWasRunning, const CompletionTarget& target,
                               const std::wstring& completeOption, CProgressBoard& board);
