// The private message the lists post to the main window (a value of its message table).
#pragma once

#include <windows.h>

// Give the rename box the focus (CFileLists::FocusRenameBox).
constexpr UINT WM_LIST_RENAME = WM_USER + 247;
