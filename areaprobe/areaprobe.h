// Areaprobe.dll: reports every mouse move and left-button change on the whole
// desktop to one window, so that a window can follow the mouse while it is not
// under the cursor.
//
// The program links the import library made from areaprobe.def, which binds the
// two functions by ordinal (2 and 4): link the target with vistrel_use_areaprobe()
// (areaprobe/CMakeLists.txt), which also copies the DLL beside the executable.
#pragma once

#include <windows.h>

#include <cstdint>

constexpr UINT WM_AREAPROBE_MOUSE = WM_USER + 231;

// lParam of WM_AREAPROBE_MOUSE, allocated by the library, which keeps a list of
// the records it posted: the receiver hands lParam back through
// TakeAreaprobeRecord, which copies and frees a record of the library's and
// refuses any other value (a pointer posted by another process, a stale one).
struct AreaprobeMouseRecord {
    int32_t x;  // cursor position, screen pixels
    int32_t y;
    uint32_t message;   // WM_MOUSEMOVE, WM_LBUTTONDOWN or WM_LBUTTONUP, as wParam
    uint32_t flags;     // LLMHF_* of the event (LLMHF_INJECTED for synthesised input)
    uint32_t time;      // the event's time stamp, milliseconds
    uint32_t reserved;  // 0
};
static_assert(sizeof(AreaprobeMouseRecord) == 24, "a 24-byte record, as receivers expect");

#ifdef AREAPROBE_BUILDING_DLL
#define AREAPROBE_API extern "C"
#else
#define AREAPROBE_API extern "C" __declspec(dllimport)
#endif

// Ordinal 2. Starts reporting to target from a hook thread of the library's own,
// so a busy UI thread never holds up the desktop's mouse. The program passes
// (window, 0, 0, 1); the three numbers carry no options. Calling it again while
// reporting keeps the one hook and sends the reports to the new window. FALSE
// when target is not a window or the hook could not be installed.
AREAPROBE_API BOOL WINAPI AreaprobeStart(HWND target, int reserved1, int reserved2, int reserved3);

// Ordinal 4. Stops reporting: once it returns nothing more is posted. Waits a few
// seconds at most for the hook thread to end; FALSE when it had not ended by then
// (it still ends by itself). Harmless when nothing was started.
AREAPROBE_API BOOL WINAPI AreaprobeStop();

// Ordinal 5. For the receiver of WM_AREAPROBE_MOUSE: when lParam is a record the
// library posted and nobody has taken yet, copies it to *out, frees it and
// returns TRUE; FALSE for any other value, which is neither read nor freed.
AREAPROBE_API BOOL WINAPI AreaprobeTakeRecord(LPARAM lParam, AreaprobeMouseRecord* out);

inline bool TakeAreaprobeRecord(LPARAM lParam, AreaprobeMouseRecord* out) {
    return AreaprobeTakeRecord(lParam, out) != FALSE;
}
