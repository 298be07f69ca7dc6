// The benchmark's headline: the recorder and FFmpeg recording the same scene at the
// same time, repeated, and the recorder's CPU time over FFmpeg's from each run.
#pragma once

#include <string>
#include <vector>

#include "bench/bench_cases.h"
#include "bench/recording_check.h"

struct PairedRun {
    CaseResult ours, theirs;  // the recorder's, FFmpeg's
    RecordingCheck oursCheck, theirsCheck;
    bool Ok() const { return ours.ok && theirs.ok && theirs.cpuSeconds > 0; }
    double Ratio() const { return ours.cpuSeconds / theirs.cpuSeconds; }
};

struct PairedSize {
    int width, height;
    std::vector<PairedRun> runs;
};

// Both record width x height of the sync scene at once, `repeat` times.
PairedSize RecordBothAtOnce(const std::wstring& ffmpeg, int width, int height, double seconds, int repeat,
                            const std::wstring& folder);
// The ratio's median, min and max per size, with the frames each side wrote, its peak
// memory and the sound's offset from the picture; then every run's own line.
void PrintHeadline(const std::vector<PairedSize>& sizes, double seconds, int framesPerSecond);
