// What a capture thread does with each packet it reads before the packet reaches the
// writer: the drop test, the first packet of a file, and the bookkeeping that takes
// a pause out of the timestamps. Shared by the four capture threads through the
// writer's clock (CWriterClock); kept apart from the threads so the rules can run
// without a device.
#pragma once

#include <cstdint>

#include "engine/writer.h"

class CPacketRules {
public:
    // type: the thread's source bit; useScreen/useSys/useMic: what the recording uses.
    // name: the thread's name for log lines (m_cnTN).
    CPacketRules(int32_t type, bool useScreen, bool useSys, bool useMic, const char* name);

    // The source that sets a file's first-packet time and accounts for each pause:
    // the screen when it is recorded, else system sound, else the microphone.
    int32_t LeadingSource() const;

    // true when the packet must be dropped: paused or stopped, or the writer not
    // ready (no picture yet; in sound-only mode not initialised).
    bool Drops(const CSaveVideoFileThread& writer, int32_t selMode) const;
    // Bookkeeping for a dropped packet while paused: notes the source's first paused
    // pts and, once every recorded source has one, the pause start (the latest of
    // them). A recording without sound takes the screen's own as the start.
    void OnDropped(CSaveVideoFileThread& writer, int64_t pts) const;
    // false while the file's first-packet time is not set and this is not the leading
    // source (the packet is dropped); the leading source sets it from this packet.
    bool AlignFirstPacket(CSaveVideoFileThread& writer, int64_t pts) const;
    // false while a pause that has ended is not yet accounted for and this is not the
    // leading source; the leading source adds the pause to the clock's total.
    bool ResolvePause(CSaveVideoFileThread& writer, int64_t pts) const;

private:
    bool IsCamera() const;
    void LogQueues(CSaveVideoFileThread& writer, const char* where) const;

    int32_t type_;
    bool useScreen_, useSys_, useMic_;
    const char* name_;
};
