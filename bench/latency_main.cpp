// How soon what the user does shows: Vistrel.exe started as a user starts it, full
// screen chosen by a click, and record pressed with its hotkey (F8) through
// SendInput, 5 times with the countdown and 5 without. From the key press it times
// the countdown's first frame on screen, timer 1 (the program's line "g_recordeState
// = _RecordingState;"), the recording toolbar on screen and the first picture in the
// file (its time code, painted on the desktop as it was captured); then, while
// recording, each overlay hotkey to its effect on screen: the spotlight (Ctrl+Q),
// the drawing board (F1) and pause (Alt+F2). The screen is read back itself. Also a
// plain window's hide, which shows whether Wine waits for a window manager; and, from
// the program's own watch, the UI-thread messages of 50 ms or more while recording.
// Prints the median, min and max of each, and where the start's time goes: the
// hotkey's arrival and the countdown window made, from the program's own lines.
// LATENCY_VERBOSE=1 echoes the program's lines.
//
//   vistrel_latency_bench --program <folder with Vistrel.exe> --out <folder> [--runs N]
// Needs the capture devices registered and a 1920x1080 desktop (bench/latency.sh).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "bench/latency_program.h"
#include "bench/latency_screen.h"
#include "common/text_convert.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

namespace {

const POINT kCountdownProbe{890, 630};  // inside the countdown's disc, off its digit and ring
const POINT kSpotlightCursor{300, 700};
const POINT kSpotlightProbe{1500, 200};  // far from the spot: darkened by the spotlight
const POINT kFullScreenButton{86, 140};  // "btn_all_screen" in the main window
const RECT kPauseButton{12, 7, 44, 39};  // "btn_pause" in the toolbar

struct Options {
    std::wstring program, out;
    int runs = 5;
};

// Samples of each measure, in ms from the action.
using Samples = std::map<std::string, std::vector<double>>;

// The first time at or after now that done() holds, polling; negative on timeout.
template <class F>
double PollUntil(F done, double timeoutMs) {
    const double until = NowMs() + timeoutMs;
    while (NowMs() < until) {
        if (done()) return NowMs();
        PumpFor(0);
    }
    return -1;
}

HWND VisibleWindow(const wchar_t* className) {
    HWND window = FindWindowW(className, nullptr);
    return window && IsWindowVisible(window) ? window : nullptr;
}

POINT Centre(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

bool WindowShownOnScreen(const wchar_t* className) {
    HWND window = VisibleWindow(className);
    if (!window) return false;
    RECT rc{};
    GetWindowRect(window, &rc);
    const POINT c = Centre(rc);
    return CoversBackdrop(ScreenPixel(c.x, c.y));
}

// The time code of the file's first picture, ms; -1 when it cannot be read.
int FirstPictureTimeCode(const std::wstring& path) {
    AVFormatContext* format = nullptr;
    if (avformat_open_input(&format, WideToUtf8(path).c_str(), nullptr, nullptr) < 0) return -1;
    int ms = -1;
    const AVCodec* codec = nullptr;
    const int stream = avformat_find_stream_info(format, nullptr) >= 0
                           ? av_find_best_stream(format, AVMEDIA_TYPE_VIDEO, -1, -1, &codec, 0)
                           : -1;
    AVCodecContext* decoder = stream >= 0 ? avcodec_alloc_context3(codec) : nullptr;
    if (decoder && avcodec_parameters_to_context(decoder, format->streams[stream]->codecpar) >= 0 &&
        avcodec_open2(decoder, codec, nullptr) >= 0) {
        AVPacket* packet = av_packet_alloc();
        AVFrame* frame = av_frame_alloc();
        bool got = false;
        while (!got && av_read_frame(format, packet) >= 0) {
            if (packet->stream_index == stream && avcodec_send_packet(decoder, packet) >= 0)
                got = avcodec_receive_frame(decoder, frame) >= 0;
            av_packet_unref(packet);
        }
        if (!got && avcodec_send_packet(decoder, nullptr) >= 0) got = avcodec_receive_frame(decoder, frame) >= 0;
        if (got) ms = ReadTimeCodeMs(frame->data[0], frame->linesize[0], frame->width, frame->height);
        av_frame_free(&frame);
        av_packet_free(&packet);
    }
    avcodec_free_context(&decoder);
    avformat_close_input(&format);
    return ms;
}

std::wstring NewestRecording(const std::wstring& folder) {
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((folder + L"\\*.mp4").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return L"";
    std::wstring newest;
    FILETIME newestTime{};
    do {
        if (newest.empty() || CompareFileTime(&found.ftLastWriteTime, &newestTime) > 0) {
            newest = found.cFileName;
            newestTime = found.ftLastWriteTime;
        }
    } while (FindNextFileW(find, &found));
    FindClose(find);
    return folder + L"\\" + newest;
}

// The program's own watch (VISTREL_SLOW_MESSAGE_MS): one line per UI-thread message
// that took kSlowMessageMs or more, "... [ms]N".
constexpr int kSlowMessageMs = 50;
const char kSlowMessageLine[] = "slow message";

void TallySlowMessages(Samples& samples, const std::vector<std::string>& lines, const char* suffix) {
    double longest = 0;
    for (const std::string& line : lines) {
        fprintf(stderr, "  %s\n", line.c_str());
        const size_t at = line.rfind("[ms]");
        if (at != std::string::npos) longest = std::max(longest, atof(line.c_str() + at + 4));
    }
    samples[std::string("UI-thread messages of 50 ms or more while recording") + suffix].push_back(
        static_cast<double>(lines.size()));
    if (longest > 0) samples[std::string("the longest of them") + suffix].push_back(longest);
}

void PrepareProgram(const Options& o, bool countdown, const std::wstring& out) {
    const std::wstring settings = o.program + L"\\setting_record.ini", main = o.program + L"\\Tessel.ini";
    WritePrivateProfileStringW(L"Output", L"path", out.c_str(), settings.c_str());
    WritePrivateProfileStringW(L"Record", L"Check_Countdown", countdown ? L"1" : L"0", settings.c_str());
    WritePrivateProfileStringW(L"HotkeyTip", L"HotkeyNoshow", L"1", main.c_str());
}

// Presses key and times its effect; then presses it again and waits for the effect to go.
void TimeToggle(Samples& samples, const std::string& name, WORD key, std::initializer_list<WORD> modifiers,
                const std::function<bool()>& shown) {
    const double pressed = NowMs();
    PressKey(key, modifiers);
    const double seen = PollUntil(shown, 5000);
    if (seen >= 0)
        samples[name].push_back(seen - pressed);
    else
        fprintf(stderr, "  %s: not seen within 5 s\n", name.c_str());
    PumpFor(300);
    PressKey(key, modifiers);
    PollUntil([&] { return !shown(); }, 5000);
    PumpFor(300);
}

bool RunOnce(const Options& o, Backdrop& backdrop, bool countdown, int run, Samples& samples) {
    const std::wstring out = o.out + (countdown ? L"\\countdown-" : L"\\no-countdown-") + std::to_wstring(run);
    CreateDirectoryW(out.c_str(), nullptr);
    PrepareProgram(o, countdown, out);
    VistrelProcess vistrel;
    if (!vistrel.Start(o.program + L"\\Vistrel.exe")) return false;
    const double started = NowMs();
    if (vistrel.WaitForLine("[CVistrelFrame::InitWindow] end", started, 30000) < 0) return false;
    HWND main = nullptr;
    if (PollUntil([&] { return (main = VisibleWindow(L"roverudedudovo")) != nullptr; }, 10000) < 0) return false;
    PumpFor(500);
    // Out of the countdown's way, then full screen chosen (the first click may only
    // activate the window; a second one on the chosen option changes nothing).
    SetWindowPos(main, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    PumpFor(300);
    for (int click = 0; click < 2; ++click) {
        POINT button = kFullScreenButton;
        ClientToScreen(main, &button);
        ClickAt(button);
        PumpFor(700);
    }
    SetWindowPos(main, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetCursorPos(kSpotlightCursor.x, kSpotlightCursor.y);
    PumpFor(500);
    if (CoversBackdrop(ScreenPixel(kCountdownProbe.x, kCountdownProbe.y)))
        fprintf(stderr, "  the countdown's place is covered before the start\n");

    const char* suffix = countdown ? "" : " (no countdown)";
    const double pressed = NowMs();
    backdrop.SetOrigin(pressed);
    PressKey(VK_F8);
    const double heard = vistrel.WaitForLine("WM_HOTKEY::KEYID_RECORDSTART", pressed, 5000);
    if (heard >= 0) samples[std::string("the hotkey reaches the program") + suffix].push_back(heard - pressed);
    if (countdown) {
        const double seen =
            PollUntil([] { return CoversBackdrop(ScreenPixel(kCountdownProbe.x, kCountdownProbe.y)); }, 5000);
        if (seen >= 0) samples["countdown's first frame on screen"].push_back(seen - pressed);
    }
    const double toolbar = PollUntil([] { return WindowShownOnScreen(L"toolbar"); }, 10000);
    if (toolbar >= 0) samples[std::string("toolbar on screen") + suffix].push_back(toolbar - pressed);
    if (vistrel.WaitForLine("InitRecord()", pressed, 1000) < 0) {
        fprintf(stderr, "  the start was not taken\n");
        return false;
    }
    if (countdown) {
        const double made = vistrel.WaitForLine("the countdown shows", pressed, 5000);
        if (made >= 0) samples["the countdown window made (its line)"].push_back(made - pressed);
    }
    const double timer1 = vistrel.WaitForLine("g_recordeState = _RecordingState;", pressed, 5000);
    if (timer1 >= 0) samples[std::string("timer 1") + suffix].push_back(timer1 - pressed);
    PumpFor(1500);

    if (countdown && toolbar >= 0) {
        TimeToggle(samples, "spotlight (Ctrl+Q)", 'Q', {VK_CONTROL},
                   [] { return CoversBackdrop(ScreenPixel(kSpotlightProbe.x, kSpotlightProbe.y)); });
        TimeToggle(samples, "drawing board (F1)", VK_F1, {}, [] { return WindowShownOnScreen(L"drawtoolbar"); });
        HWND bar = VisibleWindow(L"toolbar");
        RECT rc{};
        if (bar) GetWindowRect(bar, &rc);
        const RECT pause{rc.left + kPauseButton.left, rc.top + kPauseButton.top, rc.left + kPauseButton.right,
                         rc.top + kPauseButton.bottom};
        const uint64_t before = ScreenSum(pause);
        TimeToggle(samples, "pause (Alt+F2)", VK_F2, {VK_MENU}, [&] { return ScreenSum(pause) != before; });
    }
    const double stopAt = NowMs();
    if (timer1 >= 0) TallySlowMessages(samples, vistrel.LinesBetween(kSlowMessageLine, timer1, stopAt), suffix);
    PressKey(VK_F8);
    const bool stopped = vistrel.WaitForLine("[CVistrelFrame::onStopRecord] end", stopAt, 30000) >= 0;
    vistrel.End();
    backdrop.SetOrigin(0);
    const std::wstring file = stopped ? NewestRecording(out) : L"";
    const int code = file.empty() ? -1 : FirstPictureTimeCode(file);
    if (code >= 0)
        samples[std::string("first frame in the file") + suffix].push_back(code);
    else
        fprintf(stderr, "  no time code read from the recording\n");
    return stopped;
}

void TimeHides(Samples& samples, int runs) {
    HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP, 200, 200, 400, 300, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    for (int i = 0; i < runs; ++i) {
        ShowWindow(window, SW_SHOWNA);
        PumpFor(200);
        const double from = NowMs();
        ShowWindow(window, SW_HIDE);
        samples["a window's hide (ShowWindow SW_HIDE)"].push_back(NowMs() - from);
        PumpFor(100);
    }
    DestroyWindow(window);
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

void Print(const Samples& samples) {
    const struct {
        const char* name;
        const char* target;
    } rows[] = {
        {"the hotkey reaches the program", ""},
        {"the countdown window made (its line)", ""},
        {"countdown's first frame on screen", "100"},
        {"timer 1", "3000 +- 100"},
        {"toolbar on screen", "at timer 1"},
        {"first frame in the file", "timer 1 + 200"},
        {"the hotkey reaches the program (no countdown)", ""},
        {"timer 1 (no countdown)", "1000 +- 100"},
        {"toolbar on screen (no countdown)", "at timer 1"},
        {"first frame in the file (no countdown)", "timer 1 + 200"},
        {"spotlight (Ctrl+Q)", "100"},
        {"drawing board (F1)", "100"},
        {"pause (Alt+F2)", "100"},
        {"UI-thread messages of 50 ms or more while recording", "0"},
        {"the longest of them", "50"},
        {"UI-thread messages of 50 ms or more while recording (no countdown)", "0"},
        {"the longest of them (no countdown)", "50"},
        {"a window's hide (ShowWindow SW_HIDE)", "20"},
    };
    printf("| from the action to | target, ms | runs | median, ms | min | max |\n|---|---|---|---|---|---|\n");
    for (const auto& row : rows) {
        auto it = samples.find(row.name);
        if (it == samples.end() || it->second.empty()) {
            printf("| %s | %s | 0 | - | - | - |\n", row.name, row.target);
            continue;
        }
        const std::vector<double>& v = it->second;
        printf("| %s | %s | %zu | %.0f | %.0f | %.0f |\n", row.name, row.target, v.size(), Median(v),
               *std::min_element(v.begin(), v.end()), *std::max_element(v.begin(), v.end()));
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    Options o;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::wstring key = argv[i];
        if (key == L"--program")
            o.program = argv[i + 1];
        else if (key == L"--out")
            o.out = argv[i + 1];
        else if (key == L"--runs")
            o.runs = _wtoi(argv[i + 1]);
    }
    if (o.program.empty() || o.out.empty() || o.runs <= 0) {
        fprintf(stderr, "usage: vistrel_latency_bench --program <folder> --out <folder> [--runs N]\n");
        return 2;
    }
    CreateDirectoryW(o.out.c_str(), nullptr);
    SetEnvironmentVariableW(L"VISTREL_SLOW_MESSAGE_MS", std::to_wstring(kSlowMessageMs).c_str());
    Samples samples;
    TimeHides(samples, o.runs);
    Backdrop backdrop;
    PumpFor(500);
    for (bool countdown : {true, false}) {
        for (int run = 0; run < o.runs; ++run) {
            fprintf(stderr, "run %d %s\n", run + 1, countdown ? "with the countdown" : "without the countdown");
            if (!RunOnce(o, backdrop, countdown, run, samples)) fprintf(stderr, "  the run did not complete\n");
        }
    }
    Print(samples);
    return 0;
}
