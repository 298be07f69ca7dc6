// What the benchmark reads back from a recording of the sync scene: how many
// pictures it holds, and how far each tone burst lies from the flash shown with it.
#pragma once

#include <string>

struct RecordingCheck {
    bool opened = false;
    int pictures = 0;
    double videoSeconds = 0;
    int pairs = 0;             // flashes matched with a burst
    double meanOffsetMs = 0;   // sound minus picture; positive: the sound comes late
    double worstOffsetMs = 0;  // largest magnitude
};

RecordingCheck CheckRecording(const std::wstring& path);
// Prints every flash and burst start found in the file, seconds.
void PrintOnsets(const std::wstring& path);
