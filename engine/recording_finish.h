// Recordings made whole: a file being written carries a hidden marker beside it
// ("<file>.unfinished") from its opening until it is made whole; an MP4, written in
// fragments while it grows, is made an ordinary MP4 after it is closed; and at the
// next start whatever still has its marker (the program was killed, the power went)
// is finished the same way and listed. A copy replaces the file it was made from only
// once it holds every packet and is on the disk, so a failure or a power cut at any
// moment leaves one whole recording.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

std::wstring UnfinishedMarkerOf(const std::wstring& recording);
// false when the marker could not be made (the recording goes on all the same).
bool MarkUnfinished(const std::wstring& recording);
void ClearUnfinished(const std::wstring& recording);

// How many packets of each kind a closed file holds, as its writer wrote them.
struct PacketCounts {
    int64_t video = 0;
    int64_t audio = 0;
};

// A file its writer has just closed.
struct ClosedFile {
    std::wstring path;
    bool countsKnown = false;  // false for a recording found unfinished at a start
    PacketCounts counts;
};

// What became of a closed file once it was made whole.
struct FinishedFile {
    std::wstring path;
    bool plays = false;            // it opens as media and holds a packet
    bool listed = false;           // it plays and its name went into "videolist.txt"
    bool listWriteFailed = false;  // it plays, but "videolist.txt" did not take it
};

// Every packet FFmpeg can read from `from` copied into a new file `to` of the
// container that from's extension names, and flushed to the disk. With `expected`,
// the copy must hold at least that many packets of each kind; without it, the
// reading must have reached the end of `from`. false (and no `to` left) otherwise,
// or when the copy could not be written.
bool RemuxRecording(const std::wstring& from, const std::wstring& to, const PacketCounts* expected = nullptr);
// path made an ordinary file of its container in place (through a copy beside it
// that replaces it only when it is whole and on the disk); on failure path stays as
// it is. false then.
bool FinishRecordingInPlace(const std::wstring& path, const PacketCounts* expected = nullptr);
// The file opens as media and holds at least one packet.
bool IsPlayableRecording(const std::wstring& path);

// A closed file made ordinary (an MP4), its marker cleared once that is on the disk,
// and listed when it plays.
FinishedFile FinishClosedRecording(const ClosedFile& file);

// The recordings in folder that still carry their marker (full paths, in name
// order). A recording whose earlier finishing never ended (the program died while it
// was tried) is not returned: its marker goes and the file is kept as it is.
std::vector<std::wstring> FindUnfinishedRecordings(const std::wstring& folder);
// One recording found unfinished: its marker is set aside before it is tried, so a
// file that brings the program down is tried once; then it is finished in place.
// No marker is left; listing it is the caller's.
FinishedFile RecoverRecording(const std::wstring& recording);
// Both of the above for every marked recording in folder; those that play are
// returned (full paths, in name order).
std::vector<std::wstring> FinishUnfinishedRecordings(const std::wstring& folder);
