// Puts the program-wide recording state back as the program starts with it, so that no
// test case sees what an earlier one left behind.
#pragma once

namespace testing_support {

// Stopped, no recording mode chosen, no sources, an empty area, no device error
// (g_recordeState, g_userSelMode, g_recordSources, g_rcSnapwick, g_lastDeviceOpenError).
void ResetRecordGlobals();

}  // namespace testing_support
