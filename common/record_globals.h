// Program-wide recording state shared by the main window, the overlays and the
// recording engine.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>

// g_recordeState values. Every change is handed on to the recorder at once.
enum RecordState : int32_t {
    _RecordingState = 0,
    _PauseState = 1,
    _StopState = 2,
};

// g_userSelMode values; no other value is ever stored.
enum UserSelMode : int32_t {
    kSelModeFullScreen = 0,
    kSelModeRegion = 1,
    kSelModeGame = 3,
    kSelModeSoundOnly = 4,
    kSelModeNone = 5,
};

// Bits of g_recordSources; the same values name the kind of each capture object.
enum RecordSource : int32_t {
    kSourceScreen = 1,
    kSourceCamera = 2,
    kSourceSystemSound = 4,
    kSourceMicrophone = 8,
};

// Read by capture threads and the overlays, written on the UI thread.
extern std::atomic<int32_t> g_recordeState;
extern std::atomic<int32_t> g_userSelMode;
extern std::atomic<int32_t> g_recordSources;
// The area to record, in desktop pixels; written and read on the UI thread
// (the recorder takes its own copy before it starts).
extern RECT g_rcSnapwick;
// FFmpeg error code of the last capture device that failed to open; 0 when none.
extern std::atomic<int32_t> g_lastDeviceOpenError;

// True when any of the given bits is set.
bool IsRecordSourceOn(int32_t bits);
// Adds the bit only when it is clear, removes it only when it is set, so the
// value stays a clean bit set.
void AddRecordSource(int32_t bit);
void RemoveRecordSource(int32_t bit);
