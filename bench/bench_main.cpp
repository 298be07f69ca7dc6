// Records N seconds of the screen and system sound at 1280x720 and 1920x1080. First,
// as the headline, the recorder and FFmpeg both at the same time on the same scene,
// repeated R times: the recorder's CPU time over FFmpeg's (median, min, max) next to
// the frames each wrote and their peak memory. Then each alone: pictures written of
// those expected at 25 per second, CPU seconds per recorded second, peak memory, and
// how far the sound lies from the picture (a flash shown as a tone starts).
//
//   vistrel_bench --ffmpeg <ffmpeg.exe> [--seconds N] [--repeat R] [--out <folder>]
//   vistrel_bench --check <recording>   (the flash and tone starts found in a file)
// Needs the capture devices registered and a desktop of at least 1920x1080 for the
// larger size (bench/run.sh sets that up).
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "bench/bench_cases.h"
#include "bench/recording_check.h"
#include "bench/side_by_side.h"
#include "bench/sync_scene.h"
#include "common/text_convert.h"

namespace {

constexpr int kFramesPerSecond = 25;

struct Options {
    std::wstring ffmpeg;
    double seconds = 10;
    int repeat = 5;  // runs of both at once per size
    std::wstring folder;
};

struct Row {
    std::string tool;
    int width, height;
    CaseResult run;
    RecordingCheck check;
};

bool ParseOptions(int argc, wchar_t** argv, Options* o) {
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::wstring key = argv[i];
        if (key == L"--ffmpeg")
            o->ffmpeg = argv[i + 1];
        else if (key == L"--seconds")
            o->seconds = _wtof(argv[i + 1]);
        else if (key == L"--repeat")
            o->repeat = _wtoi(argv[i + 1]);
        else if (key == L"--out")
            o->folder = argv[i + 1];
        else
            return false;
    }
    if (o->folder.empty()) {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        o->folder = std::wstring(temp) + L"vistrel-bench";
    }
    while (!o->folder.empty() && (o->folder.back() == L'\\' || o->folder.back() == L'/')) o->folder.pop_back();
    CreateDirectoryW(o->folder.c_str(), nullptr);
    return !o->ffmpeg.empty() && o->seconds > 0 && o->repeat > 0;
}

void PrintTable(const std::vector<Row>& rows, double seconds) {
    printf("\n%.0f s of screen + system sound, 25 fps expected\n\n", seconds);
    printf(
        "| tool    | size      | frames written / expected | CPU s per recorded s | peak memory | A/V offset mean / "
        "worst (flashes) |\n");
    printf(
        "|---------|-----------|---------------------------|----------------------|-------------|----------------------"
        "-------------|\n");
    const int expected = int(seconds * kFramesPerSecond + 0.5);
    for (const Row& r : rows) {
        if (!r.run.ok || !r.check.opened) {
            printf("| %-7s | %4dx%-4d | failed: %s |\n", r.tool.c_str(), r.width, r.height, r.run.error.c_str());
            continue;
        }
        char frames[64], offsets[64];
        snprintf(frames, sizeof frames, "%d / %d (%.0f%%)", r.check.pictures, expected,
                 100.0 * r.check.pictures / expected);
        snprintf(offsets, sizeof offsets, "%+.0f / %+.0f ms (%d)", r.check.meanOffsetMs, r.check.worstOffsetMs,
                 r.check.pairs);
        printf("| %-7s | %4dx%-4d | %-25s | %20.2f | %8.0f MB | %-33s |\n", r.tool.c_str(), r.width, r.height, frames,
               r.run.cpuSeconds / seconds, r.run.peakMegabytes, offsets);
    }
    printf(
        "\nA/V offset: a tone's start in the file minus the start of the flash shown with it\n"
        "(positive: the sound comes late); pictures are 40 ms apart.\n");
    fflush(stdout);
}

Row RunCase(const std::string& tool, int width, int height, const Options& o) {
    const RECT desktop = DesktopRect();
    // The scene runs longer than the recording: device opening and countdown come first.
    SyncScene scene(desktop.right - desktop.left, desktop.bottom - desktop.top, o.seconds + 8);
    Row row{tool, width, height, {}, {}};
    if (!scene.IsPlaying()) {
        row.run.error = "no sound device to play the tone";
        return row;
    }
    row.run = tool == "Vistrel" ? RecordWithVistrel(width, height, o.seconds, o.folder)
                                : RecordWithFfmpeg(o.ffmpeg, width, height, o.seconds, o.folder);
    if (row.run.ok) row.check = CheckRecording(row.run.file);
    fprintf(stderr, "%s %dx%d: %s %s\n", tool.c_str(), width, height, row.run.ok ? "done" : "failed",
            WideToUtf8(row.run.file).c_str());
    return row;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 6 && std::wstring(argv[1]) == L"--record")
        return RunRecorderChild(_wtoi(argv[2]), _wtoi(argv[3]), _wtof(argv[4]), argv[5]);
    if (argc == 3 && std::wstring(argv[1]) == L"--check") {
        PrintOnsets(argv[2]);
        return 0;
    }
    Options options;
    if (!ParseOptions(argc, argv, &options)) {
        fprintf(stderr, "usage: vistrel_bench --ffmpeg <ffmpeg.exe> [--seconds N] [--repeat R] [--out <folder>]\n");
        return 1;
    }
    const RECT desktop = DesktopRect();
    std::vector<PairedSize> paired;
    std::vector<Row> rows;
    for (const auto& size : {std::pair<int, int>{1280, 720}, std::pair<int, int>{1920, 1080}}) {
        if (size.first > desktop.right - desktop.left || size.second > desktop.bottom - desktop.top) {
            fprintf(stderr, "skipped %dx%d: the desktop is smaller\n", size.first, size.second);
            continue;
        }
        paired.push_back(
            RecordBothAtOnce(options.ffmpeg, size.first, size.second, options.seconds, options.repeat, options.folder));
        for (const char* tool : {"Vistrel", "FFmpeg"}) rows.push_back(RunCase(tool, size.first, size.second, options));
    }
    PrintHeadline(paired, options.seconds, kFramesPerSecond);
    PrintTable(rows, options.seconds);
    return 0;
}
