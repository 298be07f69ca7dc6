// Where the recorder's CPU time goes: its process's threads, grouped by their names.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

// A FILETIME span (100 ns units), as the process and thread times give it, in seconds.
double FileTimeSeconds(const FILETIME& t);

// CPU seconds (user + kernel) of each thread of this process now, by thread id.
struct ThreadSample {
    std::string name;  // the thread's name, or "unnamed"
    double cpuSeconds;
};
using ThreadSnapshot = std::map<DWORD, ThreadSample>;
ThreadSnapshot SnapshotOwnThreads();

// The CPU seconds each name spent between two snapshots (threads that began in
// between count from zero), largest first.
struct ThreadShare {
    std::string name;
    double cpuSeconds;
};
std::vector<ThreadShare> SpentBetween(const ThreadSnapshot& before, const ThreadSnapshot& after);

// Child side: one line per share for the parent to read; parent side: the lines back.
void PrintShares(const std::vector<ThreadShare>& shares);
std::vector<ThreadShare> ReadShares(const std::string& childOutput);
