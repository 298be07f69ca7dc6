// A tick as the main window shows it: six digit images and the size label.
#pragma once

#include "app/progress/progress_tick.h"
#include "ui/duilib.h"

// Sets the background images of "time_ht", "time_hu", "time_mt", "time_mu",
// "time_st", "time_su" and the text of "filesize"; labels the layout lacks are
// skipped. UI thread.
void ShowProgressInMainWindow(DuiLib::CPaintManagerUI& paintManager, const ProgressTick& tick);
