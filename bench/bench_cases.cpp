#include "bench/bench_cases.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "bench/child_process.h"
#include "bench/thread_split.h"
#include "common/monitor_list.h"
#include "common/record_globals.h"
#include "common/setting_data.h"
#include "common/text_convert.h"
#include "engine/capture_input.h"
#include "engine/capture_screen_values.h"
#include "engine/vistreler.h"

namespace {

constexpr DWORD kCountdownMs = 1000;
const char kCpuTag[] = "vistrel-bench cpu=";
const char kFileTag[] = "vistrel-bench file=";

double OwnCpuSeconds() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    return FileTimeSeconds(kernel) + FileTimeSeconds(user);
}

std::wstring ExePath() {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return path;
}

// The text after `tag` up to the end of its line; empty when absent.
std::string After(const std::string& text, const char* tag) {
    size_t at = text.rfind(tag);
    if (at == std::string::npos) return "";
    at += strlen(tag);
    size_t end = text.find_first_of("\r\n", at);
    return text.substr(at, end == std::string::npos ? std::string::npos : end - at);
}

void SaveOutputFolder(const std::wstring& folder) {
    SettingRecord settings = CSettingData::GetInstance()->GetSettings();
    settings.path = folder;
    settings.VFormat = L"MP4";
    settings.Division = false;
    CSettingData::GetInstance()->Save(settings);
}

std::wstring Stamp() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    wchar_t text[32];
    swprintf(text, 32, L"%02d%02d%02d", now.wHour, now.wMinute, now.wSecond);
    return text;
}

}  // namespace

RECT DesktopRect() {
    std::vector<MonitorInfo> monitors;
    RECT desktop{};
    EnumMonitorList(monitors, desktop);
    return desktop;
}

int RunRecorderChild(int width, int height, double seconds, const std::wstring& folder) {
    SaveOutputFolder(folder);
    const RECT desktop = DesktopRect();
    g_userSelMode = kSelModeFullScreen;  // as a monitor of width x height at the origin
    g_rcSnapwick = RECT{desktop.left, desktop.top, desktop.left + width, desktop.top + height};
    g_recordSources = kSourceScreen | kSourceSystemSound;
    CVistreler recorder;
    recorder.SetWriterPath("");
    recorder.SetFrameRate(25);
    recorder.SetRecordRect(desktop.left, desktop.top, desktop.right, desktop.bottom);
    if (!recorder.init("screen-capture-recorder", true, "virtual-audio-capturer", true, "", false)) {
        printf("vistrel-bench error=init failed (%d)\n", int(g_lastDeviceOpenError));
        return 2;
    }
    recorder.Start();
    Sleep(kCountdownMs);
    // From the first recorded packet to the finished file, as FFmpeg's -benchmark
    // counts its transcoding (opening the devices is left out of both).
    const double cpuBefore = OwnCpuSeconds();
    const ThreadSnapshot threadsBefore = SnapshotOwnThreads();
    g_recordeState = _RecordingState;
    recorder.SetRecordState(_RecordingState);
    Sleep(DWORD(seconds * 1000));
    PrintShares(SpentBetween(threadsBefore, SnapshotOwnThreads()));
    g_recordeState = _StopState;
    recorder.SetRecordState(_StopState);
    recorder.StopRecord();
    recorder.WaitForFinishedFiles();
    printf("%s%.3f\n%s%s\n", kCpuTag, OwnCpuSeconds() - cpuBefore, kFileTag,
           WideToUtf8(recorder.FinishedPath()).c_str());
    fflush(stdout);
    return 0;
}

CaseResult RecordWithVistrel(int width, int height, double seconds, const std::wstring& folder) {
    wchar_t args[64];
    swprintf(args, 64, L" --record %d %d %.1f ", width, height, seconds);
    const ChildResult child = RunChild(L"\"" + ExePath() + L"\"" + args + L"\"" + folder + L"\"");
    CaseResult result;
    result.peakMegabytes = double(child.peakWorkingSet) / (1 << 20);
    const std::string cpu = After(child.output, kCpuTag);
    result.file = Utf8ToWide(After(child.output, kFileTag));
    result.ok = child.started && child.exitCode == 0 && !cpu.empty() && !result.file.empty();
    result.threads = ReadShares(child.output);
    if (result.ok)
        result.cpuSeconds = atof(cpu.c_str());
    else
        result.error = child.started ? After(child.output, "vistrel-bench error=") : "not started";
    return result;
}

CaseResult RecordWithFfmpeg(const std::wstring& ffmpeg, int width, int height, double seconds,
                            const std::wstring& folder) {
    // The capture the recorder sets up: the same device values and queue, the same
    // encoder settings as its writer.
    const RECT desktop = DesktopRect();
    WriteScreenFilterValues(desktop, CSettingData::GetInstance()->GetSettings());
    const std::wstring file =
        folder + L"\\ffmpeg_" + std::to_wstring(width) + L"x" + std::to_wstring(height) + L"_" + Stamp() + L".mp4";
    wchar_t args[1024];
    swprintf(args, 1024,
             L" -hide_banner -nostats -loglevel info -benchmark -rtbufsize %lld -f dshow"
             L" -i video=screen-capture-recorder:audio=virtual-audio-capturer -t %.1f"
             L" -vf crop=%d:%d:0:0 -fps_mode passthrough -c:v libx264 -preset fast -tune zerolatency"
             L" -g 50 -bf 0 -qmin 16 -qmax 24 -b:v 5000 -pix_fmt yuv420p -c:a aac -b:a 131072 -y ",
             static_cast<long long>(ScreenQueueBytes(desktop.right - desktop.left, desktop.bottom - desktop.top)),
             seconds, width, height);
    const ChildResult child = RunChild(L"\"" + ffmpeg + L"\"" + args + L"\"" + file + L"\"");
    CaseResult result;
    result.peakMegabytes = double(child.peakWorkingSet) / (1 << 20);
    const std::string times = After(child.output, "bench: utime=");
    result.ok = child.started && child.exitCode == 0 && !times.empty();
    if (!result.ok) {
        result.error =
            child.started
                ? "ffmpeg failed: " + child.output.substr(child.output.size() > 300 ? child.output.size() - 300 : 0)
                : "ffmpeg not started";
        return result;
    }
    double user = 0, system = 0;
    sscanf(times.c_str(), "%lfs stime=%lfs", &user, &system);
    result.cpuSeconds = user + system;
    result.file = file;
    return result;
}
