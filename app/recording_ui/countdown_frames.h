// The countdown's frames, decoded once for each countdown before they play: the
// first at once, the others in order on two workers while the first ones show
// (one alone decodes a frame in about the time a frame shows under Wine). The
// frame on show is picked from the time since the start, so the countdown keeps
// its pace whatever else the UI thread does.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "ui/duilib.h"

class CountdownFrames {
public:
    using NameOf = std::function<std::wstring(int frame)>;

    // Frames 0 .. count - 1, read from the skin by their names.
    CountdownFrames(int count, NameOf nameOf);
    // Stops the workers after the frames they decode and frees every frame.
    ~CountdownFrames();
    CountdownFrames(const CountdownFrames&) = delete;
    CountdownFrames& operator=(const CountdownFrames&) = delete;

    // UI thread. Decodes the first frame here and starts the workers on the others.
    void Start();
    // UI thread. How many frames, from the first, have been decoded (or found missing).
    int Decoded() const;
    // UI thread. Frame n when it is decoded; null before, and for a frame the skin lacks.
    const DuiLib::TImageInfo* Frame(int n) const;

private:
    static constexpr int kWorkers = 2;
    void Decode(int n);
    void DecodeNext();

    NameOf m_nameOf;
    std::vector<DuiLib::TImageInfo*> m_frames;     // slot n written once, before its ready flag
    std::unique_ptr<std::atomic<bool>[]> m_ready;  // per frame: decoded or found missing
    std::atomic<int> m_next{0};                    // the next frame a worker takes
    mutable int m_decoded = 0;                     // the ready frames from the first, as last counted
    std::atomic<bool> m_stop{false};
    std::vector<std::thread> m_workers;
};

// The frame to show elapsedMs after the start: one every frameMs, the last one
// staying, and never one that is not decoded yet (the latest decoded one then).
int CountdownFrameAt(ULONGLONG elapsedMs, int frameMs, int frames, int decoded);
