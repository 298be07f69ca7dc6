#include "tests/devices/sink_tone.h"

#include "tests/support/test_support.h"

#include <cmath>
#include <cstdio>
#include <vector>

namespace device_testing {

namespace {

const int kRate = 44100;

void PutLe(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(uint8_t(value >> (8 * i)));
}

std::vector<uint8_t> ToneWav(double frequency, int peak, double seconds) {
    const uint32_t frames = uint32_t(seconds * kRate), data_bytes = frames * 4;
    std::vector<uint8_t> wav;
    wav.insert(wav.end(), {'R', 'I', 'F', 'F'});
    PutLe(wav, 36 + data_bytes, 4);
    wav.insert(wav.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    PutLe(wav, 16, 4);
    PutLe(wav, 1, 2);  // PCM
    PutLe(wav, 2, 2);
    PutLe(wav, kRate, 4);
    PutLe(wav, kRate * 4, 4);
    PutLe(wav, 4, 2);
    PutLe(wav, 16, 2);
    wav.insert(wav.end(), {'d', 'a', 't', 'a'});
    PutLe(wav, data_bytes, 4);
    for (uint32_t i = 0; i < frames; ++i) {
        long v = std::lround(peak * std::sin(2 * 3.14159265358979323846 * frequency * i / kRate));
        PutLe(wav, uint32_t(v) & 0xFFFF, 2);
        PutLe(wav, uint32_t(v) & 0xFFFF, 2);
    }
    return wav;
}

// The Linux path of a Windows path, through Wine's kernel32; empty outside Wine.
std::string UnixPath(const std::wstring& path) {
    using ToUnix = char*(CDECL*)(LPCWSTR);
    auto to_unix = reinterpret_cast<ToUnix>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (!to_unix) return std::string();
    char* unix_path = to_unix(path.c_str());
    if (!unix_path) return std::string();
    std::string result = unix_path;
    HeapFree(GetProcessHeap(), 0, unix_path);
    return result;
}

}  // namespace

SinkTone::SinkTone(double frequency, int peak, double seconds) {
    wchar_t folder[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, folder);
    wav_path_ = std::wstring(folder) + L"\\sink_tone.wav";
    std::vector<uint8_t> wav = ToneWav(frequency, peak, seconds);
    FILE* file = _wfopen(wav_path_.c_str(), L"wb");
    if (!file) return;
    bool written = fwrite(wav.data(), 1, wav.size(), file) == wav.size();
    if (fclose(file) != 0 || !written) return;
    std::string unix_path = UnixPath(wav_path_);
    if (unix_path.empty()) return;
    std::wstring command = testing_support::HostProgram(L"paplay") + L" --device=nullout \"" +
                           std::wstring(unix_path.begin(), unix_path.end()) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) return;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    ends_at_ = GetTickCount64() + ULONGLONG(seconds * 1000) + 500;
    playing_ = true;
}

SinkTone::~SinkTone() {
    ULONGLONG now = GetTickCount64();
    if (playing_ && now < ends_at_) Sleep(DWORD(ends_at_ - now));
    DeleteFileW(wav_path_.c_str());
}

}  // namespace device_testing
