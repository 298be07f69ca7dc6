#include "bench/latency_program.h"

#include "bench/child_process.h"
#include "bench/latency_screen.h"

#include <cstdio>
#include <cstdlib>

bool VistrelProcess::Start(const std::wstring& exe) {
    const std::wstring folder = exe.substr(0, exe.find_last_of(L'\\'));
    HANDLE readEnd = nullptr;
    if (!StartWithOutputPipe(L"\"" + exe + L"\"", folder.c_str(), &m_process, &readEnd)) return false;
    m_reader = std::thread([this, readEnd] {
        Read(readEnd);
        CloseHandle(readEnd);
    });
    return true;
}

VistrelProcess::~VistrelProcess() { End(); }

void VistrelProcess::End() {
    if (m_process.hProcess) {
        TerminateProcess(m_process.hProcess, 0);
        WaitForSingleObject(m_process.hProcess, 10000);
        CloseHandle(m_process.hThread);
        CloseHandle(m_process.hProcess);
        m_process = PROCESS_INFORMATION{};
    }
    if (m_reader.joinable()) m_reader.join();
}

void VistrelProcess::Read(HANDLE pipe) {
    char buffer[4096];
    DWORD got = 0;
    std::string partial;
    while (ReadFile(pipe, buffer, sizeof buffer, &got, nullptr) && got > 0) {
        const double ms = NowMs();
        partial.append(buffer, got);
        size_t end;
        while ((end = partial.find('\n')) != std::string::npos) {
            std::lock_guard<std::mutex> guard(m_lock);
            m_lines.push_back({ms, partial.substr(0, end)});
            if (getenv("LATENCY_VERBOSE")) fprintf(stderr, "    | %s\n", m_lines.back().text.c_str());
            partial.erase(0, end + 1);
        }
    }
}

double VistrelProcess::WaitForLine(const char* text, double fromMs, double timeoutMs) {
    const double until = NowMs() + timeoutMs;
    do {
        {
            std::lock_guard<std::mutex> guard(m_lock);
            for (const Line& line : m_lines)
                if (line.ms >= fromMs && line.text.find(text) != std::string::npos) return line.ms;
        }
        PumpFor(2);
    } while (NowMs() < until);
    return -1;
}

std::vector<std::string> VistrelProcess::LinesBetween(const char* text, double fromMs, double toMs) {
    std::vector<std::string> found;
    std::lock_guard<std::mutex> guard(m_lock);
    for (const Line& line : m_lines)
        if (line.ms >= fromMs && line.ms <= toMs && line.text.find(text) != std::string::npos)
            found.push_back(line.text);
    return found;
}

namespace {

INPUT Key(WORD key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

}  // namespace

void PressKey(WORD key, std::initializer_list<WORD> modifiers) {
    std::vector<INPUT> inputs;
    for (WORD m : modifiers) inputs.push_back(Key(m, false));
    inputs.push_back(Key(key, false));
    inputs.push_back(Key(key, true));
    for (auto m = modifiers.end(); m != modifiers.begin();) inputs.push_back(Key(*--m, true));
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void ClickAt(POINT point) {
    SetCursorPos(point.x, point.y);
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, inputs, sizeof(INPUT));
}

void PumpFor(double ms) {
    const double until = NowMs() + ms;
    do {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(1);
    } while (NowMs() < until);
}
