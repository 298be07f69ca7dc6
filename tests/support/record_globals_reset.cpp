#include "tests/support/record_globals_reset.h"

#include "common/record_globals.h"

namespace testing_support {

void ResetRecordGlobals() {
    g_recordeState = _StopState;
    g_userSelMode = kSelModeNone;
    g_recordSources = 0;
    g_rcSnapwick = RECT{0, 0, 0, 0};
    g_lastDeviceOpenError = 0;
}

}  // namespace testing_support
