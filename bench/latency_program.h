// Vistrel.exe run by the latency benchmark as a user runs it, with every line it
// prints kept with the time it arrived, and the user's keys and clicks sent to it
// through SendInput.
#pragma once

#include <windows.h>

#include <mutex>
#include <string>
#include <thread>
#include <vector>

class VistrelProcess {
public:
    // Starts the program in its own folder; false when it cannot be started.
    bool Start(const std::wstring& exe);
    ~VistrelProcess();  // ends the program if it still runs

    // The arrival time (NowMs) of the first line after fromMs that contains text,
    // waiting up to timeoutMs; negative when none came.
    double WaitForLine(const char* text, double fromMs, double timeoutMs);
    // The lines that arrived from fromMs to toMs and contain text.
    std::vector<std::string> LinesBetween(const char* text, double fromMs, double toMs);
    void End();

private:
    struct Line {
        double ms;
        std::string text;
    };
    void Read(HANDLE pipe);

    PROCESS_INFORMATION m_process{};
    std::thread m_reader;
    std::mutex m_lock;
    std::vector<Line> m_lines;
};

// A key with modifiers (VK_CONTROL, VK_MENU), pressed and released.
void PressKey(WORD key, std::initializer_list<WORD> modifiers = {});
// A left click at a screen point.
void ClickAt(POINT point);
// Messages of this thread's windows handled for about ms milliseconds.
void PumpFor(double ms);
