// Recordings made whole: a file being written carries a hidden marker beside it
// ("<file>.unfinished") from its opening to its normal end; an MP4, written in
// fragments while it grows, is made an ordinary MP4 at its end; and at the next
// start whatever still has its marker (the program was killed, the power went) is
// finished the same way and listed.
#pragma once

#include <string>
#include <vector>

std::wstring UnfinishedMarkerOf(const std::wstring& recording);
// false when the marker could not be made (the recording goes on all the same).
bool MarkUnfinished(const std::wstring& recording);
void ClearUnfinished(const std::wstring& recording);

// Every packet FFmpeg can read from `from` copied into a new file `to` of the
// container that from's extension names. false (and no `to` left) when nothing
// could be copied or the copy could not be written.
bool RemuxRecording(const std::wstring& from, const std::wstring& to);
// path made an ordinary file of its container in place (through a copy beside it);
// on failure path stays as it is. false then.
bool FinishRecordingInPlace(const std::wstring& path);
// The file opens as media and holds at least one packet.
bool IsPlayableRecording(const std::wstring& path);

// Every marked recording in folder finished in place; those that play are returned
// (full paths, in name order), the others are left as they are. Every marker goes.
std::vector<std::wstring> FinishUnfinishedRecordings(const std::wstring& folder);
