// Recordings that end abnormally: a process recording through the real devices
// is killed (as a crash, a power cut or Windows ending it would end it), and what
// it left on the disk is read back, then finished as the next start finishes it.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "common/program_path.h"
#include "common/text_convert.h"
#include "engine/recording_finish.h"
#include "tests/engine/media_probe.h"
#include "tests/support/test_support.h"

namespace {

constexpr DWORD kStartBoundMs = 30000;  // a bound, not a measure: Wine may be slow
constexpr DWORD kRecordedMs = 6000;     // recorded before the kill

std::vector<std::wstring> FilesMatching(const std::wstring& folder, const std::wstring& pattern) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((folder + pattern).c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        names.push_back(found.cFileName);
    } while (FindNextFileW(find, &found));
    FindClose(find);
    return names;
}

bool WaitForFile(const std::wstring& path) {
    for (DWORD start = GetTickCount(); GetTickCount() - start < kStartBoundMs; Sleep(50))
        if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
    return false;
}

// The probe started on folder with format; killed after recording kRecordedMs.
// false when it never began to record.
bool RecordAndKill(const std::wstring& folder, const char* format) {
    std::wstring command = L"\"" + GetProgramFolderW() + L"kill_probe.exe\" \"" + folder.substr(0, folder.size() - 1) +
                           L"\" " + Utf8ToWide(format);
    STARTUPINFOW startup = {sizeof(startup)};
    PROCESS_INFORMATION info = {};
    if (!CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, GetProgramFolderW().c_str(),
                        &startup, &info))
        return false;
    const bool recording = WaitForFile(folder + L"recording.txt");
    if (recording) Sleep(kRecordedMs);
    TerminateProcess(info.hProcess, 9);  // no chance to finish anything
    WaitForSingleObject(info.hProcess, kStartBoundMs);
    CloseHandle(info.hProcess);
    CloseHandle(info.hThread);
    return recording;
}

double StreamSeconds(const ProbedFile& file, AVMediaType type) {
    const ProbedStream* stream = file.Find(type);
    return stream ? stream->Seconds() : 0;
}

// The container's own duration, as a player shows it before reading the file.
double ContainerSeconds(const std::wstring& path) {
    AVFormatContext* input = nullptr;
    if (avformat_open_input(&input, WideToUtf8(path).c_str(), nullptr, nullptr) < 0) return 0;
    avformat_find_stream_info(input, nullptr);
    const double seconds = input->duration > 0 ? input->duration / double(AV_TIME_BASE) : 0;
    avformat_close_input(&input);
    return seconds;
}

}  // namespace

// A recording killed after 6 s keeps all but its last two seconds, readable at
// once in each format; the next start makes it an ordinary file, and then the
// marker is gone.
TEST(KilledRecording, KeepsAllButItsLastSecondsAndIsFinishedAtTheNextStart) {
    struct Case {
        const char* format;
        const wchar_t* pattern;
        AVMediaType kept;  // the stream that must hold the recorded time
    } cases[] = {
        {"MP4", L"*.mp4", AVMEDIA_TYPE_VIDEO},
        {"FLV", L"*.flv", AVMEDIA_TYPE_VIDEO},
        {"MP3", L"*.mp3", AVMEDIA_TYPE_AUDIO},
    };
    const double keptAtLeast = (kRecordedMs - 2000) / 1000.0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.format);
        testing_support::TempDir folder;
        ASSERT_TRUE(RecordAndKill(folder.path(), c.format)) << "the probe recorded";
        const std::vector<std::wstring> files = FilesMatching(folder.path(), c.pattern);
        ASSERT_EQ(files.size(), 1u);
        const std::wstring path = folder.File(files[0]);
        EXPECT_NE(GetFileAttributesW(UnfinishedMarkerOf(path).c_str()), INVALID_FILE_ATTRIBUTES) << "marked unfinished";

        ProbedFile killed = ProbeFile(path);
        ASSERT_TRUE(killed.opened) << "readable as it was left";
        EXPECT_GE(StreamSeconds(killed, c.kept), keptAtLeast) << "on the disk when it was killed";

        const std::vector<std::wstring> finished = FinishUnfinishedRecordings(folder.path());
        ASSERT_EQ(finished.size(), 1u);
        EXPECT_EQ(finished[0], path);
        EXPECT_EQ(GetFileAttributesW(UnfinishedMarkerOf(path).c_str()), INVALID_FILE_ATTRIBUTES);
        ProbedFile whole = ProbeFile(path);
        ASSERT_TRUE(whole.opened);
        EXPECT_GE(StreamSeconds(whole, c.kept), keptAtLeast) << "nothing lost by finishing";
        EXPECT_GE(ContainerSeconds(path), keptAtLeast) << "its duration known to players";
        EXPECT_TRUE(FinishUnfinishedRecordings(folder.path()).empty()) << "finished once";
    }
}
