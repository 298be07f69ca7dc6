// The recorder and FFmpeg at the same time on the same scene: CPU ratio, frames, memory.
#include "bench/side_by_side.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <thread>

#include "bench/sync_scene.h"

namespace {

struct Spread {
    double median = 0, min = 0, max = 0;
};

Spread SpreadOf(std::vector<double> v) {
    Spread s;
    if (v.empty()) return s;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    s.median = n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
    s.min = v.front();
    s.max = v.back();
    return s;
}

// "median (min-max)" of values picked from the runs that finished.
template <typename Pick>
std::string SpreadText(const std::vector<PairedRun>& runs, Pick pick, const char* format) {
    std::vector<double> v;
    for (const PairedRun& r : runs)
        if (r.Ok()) v.push_back(pick(r));
    if (v.empty()) return "-";
    const Spread s = SpreadOf(v);
    char text[96], m[32], lo[32], hi[32];
    snprintf(m, sizeof m, format, s.median);
    snprintf(lo, sizeof lo, format, s.min);
    snprintf(hi, sizeof hi, format, s.max);
    snprintf(text, sizeof text, "%s (%s-%s)", m, lo, hi);
    return text;
}

PairedRun RecordOnce(const std::wstring& ffmpeg, int width, int height, double seconds, const std::wstring& folder) {
    const RECT desktop = DesktopRect();
    // Longer than the recordings: device opening and the countdown come first.
    SyncScene scene(desktop.right - desktop.left, desktop.bottom - desktop.top, seconds + 8);
    PairedRun run;
    std::thread vistrel([&] { run.ours = RecordWithVistrel(width, height, seconds, folder); });
    std::thread other([&] { run.theirs = RecordWithFfmpeg(ffmpeg, width, height, seconds, folder); });
    vistrel.join();
    other.join();
    if (run.ours.ok) run.oursCheck = CheckRecording(run.ours.file);
    if (run.theirs.ok) run.theirsCheck = CheckRecording(run.theirs.file);
    return run;
}

// The median of each thread name's CPU s per recorded s over the runs that finished.
std::map<std::string, double> ThreadMedians(const PairedSize& size, double seconds) {
    std::map<std::string, std::vector<double>> perName;
    for (const PairedRun& r : size.runs)
        if (r.Ok())
            for (const ThreadShare& share : r.ours.threads) perName[share.name].push_back(share.cpuSeconds / seconds);
    std::map<std::string, double> medians;
    for (const auto& [name, values] : perName) medians[name] = SpreadOf(values).median;
    return medians;
}

// The recorder's threads by name, one column per size, largest at the first size first.
void PrintThreadSplit(const std::vector<PairedSize>& sizes, double seconds) {
    std::vector<std::map<std::string, double>> columns;
    for (const PairedSize& s : sizes) columns.push_back(ThreadMedians(s, seconds));
    if (columns.empty()) return;
    std::vector<std::pair<double, std::string>> rows;
    for (const auto& [name, value] : columns.front()) rows.push_back({value, name});
    std::sort(rows.rbegin(), rows.rend());
    printf("\nVistrel's threads while recording (CPU s per recorded s, medians of the runs at once):\n\n| thread |");
    for (const PairedSize& s : sizes) printf(" %dx%d |", s.width, s.height);
    printf("\n|---|");
    for (size_t i = 0; i < sizes.size(); ++i) printf("---|");
    printf("\n");
    for (const auto& row : rows) {
        printf("| %s |", row.second.c_str());
        for (const auto& column : columns) {
            const auto it = column.find(row.second);
            printf(it == column.end() ? " - |" : " %.2f |", it == column.end() ? 0.0 : it->second);
        }
        printf("\n");
    }
}

}  // namespace

PairedSize RecordBothAtOnce(const std::wstring& ffmpeg, int width, int height, double seconds, int repeat,
                            const std::wstring& folder) {
    PairedSize size{width, height, {}};
    for (int i = 0; i < repeat; ++i) {
        size.runs.push_back(RecordOnce(ffmpeg, width, height, seconds, folder));
        const PairedRun& r = size.runs.back();
        fprintf(stderr, "both at once %dx%d, run %d: %s\n", width, height, i + 1,
                r.Ok() ? "done" : (!r.ours.ok ? r.ours.error : r.theirs.error).c_str());
    }
    return size;
}

void PrintHeadline(const std::vector<PairedSize>& sizes, double seconds, int framesPerSecond) {
    const double expected = seconds * framesPerSecond;
    printf("\nRecording the same scene at the same time (%.0f s, %d fps expected), CPU recorder / FFmpeg:\n\n", seconds,
           framesPerSecond);
    printf(
        "| size | runs | CPU ratio, median (min-max) | Vistrel frames written / expected | FFmpeg frames written / "
        "expected | peak memory Vistrel / FFmpeg | sound after picture, Vistrel / FFmpeg |\n");
    printf("|---|---|---|---|---|---|---|\n");
    for (const PairedSize& s : sizes) {
        int ok = 0;
        double oursPeak = 0, theirsPeak = 0;
        for (const PairedRun& r : s.runs) {
            if (!r.Ok()) continue;
            ++ok;
            oursPeak = std::max(oursPeak, r.ours.peakMegabytes);
            theirsPeak = std::max(theirsPeak, r.theirs.peakMegabytes);
        }
        printf("| %dx%d | %d of %zu | %s | %s / %.0f | %s / %.0f | %.0f / %.0f MB | %s / %s ms |\n", s.width, s.height,
               ok, s.runs.size(),
               SpreadText(
                   s.runs, [](const PairedRun& r) { return r.Ratio(); }, "%.2f")
                   .c_str(),
               SpreadText(
                   s.runs, [](const PairedRun& r) { return double(r.oursCheck.pictures); }, "%.0f")
                   .c_str(),
               expected,
               SpreadText(
                   s.runs, [](const PairedRun& r) { return double(r.theirsCheck.pictures); }, "%.0f")
                   .c_str(),
               expected, oursPeak, theirsPeak,
               SpreadText(
                   s.runs, [](const PairedRun& r) { return r.oursCheck.meanOffsetMs; }, "%+.0f")
                   .c_str(),
               SpreadText(
                   s.runs, [](const PairedRun& r) { return r.theirsCheck.meanOffsetMs; }, "%+.0f")
                   .c_str());
    }
    printf("\nEach run (CPU s per recorded s, frames written, peak memory):\n");
    for (const PairedSize& s : sizes)
        for (size_t i = 0; i < s.runs.size(); ++i) {
            const PairedRun& r = s.runs[i];
            if (!r.Ok()) {
                printf("  %dx%d run %zu: failed: %s\n", s.width, s.height, i + 1,
                       (!r.ours.ok ? r.ours.error : r.theirs.error).c_str());
                continue;
            }
            printf("  %dx%d run %zu: ratio %.2f, Vistrel %.2f %d %.0f MB, FFmpeg %.2f %d %.0f MB\n", s.width, s.height,
                   i + 1, r.Ratio(), r.ours.cpuSeconds / seconds, r.oursCheck.pictures, r.ours.peakMegabytes,
                   r.theirs.cpuSeconds / seconds, r.theirsCheck.pictures, r.theirs.peakMegabytes);
        }
    PrintThreadSplit(sizes, seconds);
    fflush(stdout);
}
