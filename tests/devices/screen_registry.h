// The values the recorder writes for "screen-capture-recorder", set by a test
// before it opens the device and removed again afterwards.
#pragma once

#include <windows.h>

#include <optional>

namespace device_testing {

struct ScreenValues {
    int x = 0, y = 0, width = 0, height = 0;
    std::optional<int> fps;    // "default_max_fps"; absent when empty
    std::optional<int> mouse;  // "capture_mouse_default_1"
};

// Writes the values (and "rt", "bm" as the recorder does); the destructor
// deletes the key.
class ScopedScreenValues {
public:
    explicit ScopedScreenValues(const ScreenValues& values);
    ~ScopedScreenValues();
    ScopedScreenValues(const ScopedScreenValues&) = delete;
    ScopedScreenValues& operator=(const ScopedScreenValues&) = delete;
};

}  // namespace device_testing
