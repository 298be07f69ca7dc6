// The recorder's per-thread CPU time, from a thread snapshot of its own process.
#include "bench/thread_split.h"

#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "common/text_convert.h"
#include "common/thread_name.h"

namespace {

const char kShareTag[] = "vistrel-bench thread=";

bool SampleThread(DWORD id, ThreadSample& sample) {
    HANDLE thread = OpenThread(THREAD_QUERY_LIMITED_INFORMATION, FALSE, id);
    if (!thread) return false;
    FILETIME created, exited, kernel, user;
    const bool ok = GetThreadTimes(thread, &created, &exited, &kernel, &user);
    const std::wstring name = ThreadName(thread);
    CloseHandle(thread);
    sample.name = name.empty() ? "unnamed" : WideToUtf8(name);
    sample.cpuSeconds = FileTimeSeconds(kernel) + FileTimeSeconds(user);
    return ok;
}

}  // namespace

double FileTimeSeconds(const FILETIME& t) {
    ULARGE_INTEGER v;
    v.LowPart = t.dwLowDateTime;
    v.HighPart = t.dwHighDateTime;
    return double(v.QuadPart) / 1e7;
}

ThreadSnapshot SnapshotOwnThreads() {
    ThreadSnapshot snapshot;
    HANDLE all = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (all == INVALID_HANDLE_VALUE) return snapshot;
    THREADENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    const DWORD self = GetCurrentProcessId();
    for (BOOL more = Thread32First(all, &entry); more; more = Thread32Next(all, &entry)) {
        ThreadSample sample;
        if (entry.th32OwnerProcessID == self && SampleThread(entry.th32ThreadID, sample))
            snapshot[entry.th32ThreadID] = sample;
    }
    CloseHandle(all);
    return snapshot;
}

std::vector<ThreadShare> SpentBetween(const ThreadSnapshot& before, const ThreadSnapshot& after) {
    std::map<std::string, double> byName;
    for (const auto& [id, sample] : after) {
        const auto earlier = before.find(id);
        byName[sample.name] += sample.cpuSeconds - (earlier == before.end() ? 0 : earlier->second.cpuSeconds);
    }
    std::vector<ThreadShare> shares;
    for (const auto& [name, seconds] : byName) shares.push_back({name, seconds});
    std::sort(shares.begin(), shares.end(),
              [](const ThreadShare& a, const ThreadShare& b) { return a.cpuSeconds > b.cpuSeconds; });
    return shares;
}

void PrintShares(const std::vector<ThreadShare>& shares) {
    for (const ThreadShare& share : shares) printf("%s%s\t%.3f\n", kShareTag, share.name.c_str(), share.cpuSeconds);
}

std::vector<ThreadShare> ReadShares(const std::string& childOutput) {
    std::vector<ThreadShare> shares;
    for (size_t at = childOutput.find(kShareTag); at != std::string::npos; at = childOutput.find(kShareTag, at)) {
        at += sizeof(kShareTag) - 1;
        const size_t tab = childOutput.find('\t', at);
        if (tab == std::string::npos) break;
        shares.push_back({childOutput.substr(at, tab - at), atof(childOutput.c_str() + tab + 1)});
    }
    return shares;
}
