// A step of the main window whose code comes with a later part of the program
// (hotkeys, device lists, progress thread, lists, region frame, tasks, dialogs)
// logs this line where it will be called, so a log shows what did not run.
#pragma once

#include "common/logger.h"

inline void LogPendingStep(const char* where, const char* step) {
    LogBoth(where, "%s: not part of this build yet, skipped", step);
}
