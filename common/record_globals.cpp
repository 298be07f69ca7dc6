#include "common/record_globals.h"

std::atomic<int32_t> g_recordeState{_StopState};
std::atomic<int32_t> g_userSelMode{kSelModeNone};
std::atomic<int32_t> g_recordSources{0};
RECT g_rcSnapwick = {0, 0, 0, 0};
std::atomic<int32_t> g_lastDeviceOpenError{0};

bool IsRecordSourceOn(int32_t bits) { return (g_recordSources.load() & bits) != 0; }

void AddRecordSource(int32_t bit) {
    if (!IsRecordSourceOn(bit)) g_recordSources += bit;
}

void RemoveRecordSource(int32_t bit) {
    if (IsRecordSourceOn(bit)) g_recordSources -= bit;
}
