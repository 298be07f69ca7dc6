// Recordings that end abnormally: a process recording through the real devices
// is killed (as a crash, a power cut or Windows ending it would end it), and what
// it left on the disk is read back, then finished as the next start finishes it.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "common/program_path.h"
#include "common/text_convert.h"
#include "engine/recording_finish.h"
#include "tests/engine/media_probe.h"
#include "tests/support/test_support.h"

namespace {

constexpr DWORD kStartBoundMs = 30000;     // a bound, not a measure: Wine may be slow
constexpr size_t kPacketsBeforeKill = 50;  // on the disk and readable before the kill

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

bool WaitFor(const std::function<bool()>& done, DWORD boundMs = kStartBoundMs) {
    for (DWORD start = GetTickCount(); GetTickCount() - start < boundMs; Sleep(50))
        if (done()) return true;
    return false;
}

size_t PacketsOf(const std::wstring& path, AVMediaType type) {
    const ProbedFile file = ProbeFile(path);
    const ProbedStream* stream = file.Find(type);
    return stream ? stream->pts.size() : 0;
}

// The probe started on folder with format and killed once its file holds, as read
// back while it grows, kPacketsBeforeKill packets of `kept`: *path is the file,
// *onDisk the packets read just before the kill. false when it never got there.
bool RecordAndKill(const std::wstring& folder, const char* format, const wchar_t* pattern, AVMediaType kept,
                   std::wstring* path, size_t* onDisk) {
    std::wstring command = L"\"" + GetProgramFolderW() + L"kill_probe.exe\" \"" + folder.substr(0, folder.size() - 1) +
                           L"\" " + Utf8ToWide(format);
    STARTUPINFOW startup = {sizeof(startup)};
    PROCESS_INFORMATION info = {};
    if (!CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, GetProgramFolderW().c_str(),
                        &startup, &info))
        return false;
    const bool recording = WaitFor(
        [&] {
            const std::vector<std::wstring> files = FilesMatching(folder, pattern);
            if (files.size() != 1 || !FilesMatching(folder, L"recording.txt").size()) return false;
            *path = folder + files[0];
            *onDisk = PacketsOf(*path, kept);
            return *onDisk >= kPacketsBeforeKill;
        },
        3 * kStartBoundMs);
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

// A killed recording keeps everything that was on its disk before the kill,
// readable at once in each format; the next start makes it an ordinary file
// (an MP4 no longer fragmented) without losing a packet, and then the marker is gone.
TEST(KilledRecording, KeepsWhatWasOnTheDiskAndIsFinishedAtTheNextStart) {
    struct Case {
        const char* format;
        const wchar_t* pattern;
        AVMediaType kept;  // the stream that must hold the recorded time
    } cases[] = {
        {"MP4", L"*.mp4", AVMEDIA_TYPE_VIDEO},
        {"FLV", L"*.flv", AVMEDIA_TYPE_VIDEO},
        {"MP3", L"*.mp3", AVMEDIA_TYPE_AUDIO},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.format);
        testing_support::TempDir folder;
        std::wstring path;
        size_t onDisk = 0;
        ASSERT_TRUE(RecordAndKill(folder.path(), c.format, c.pattern, c.kept, &path, &onDisk)) << "the probe recorded";
        ASSERT_EQ(FilesMatching(folder.path(), c.pattern).size(), 1u);
        EXPECT_NE(GetFileAttributesW(UnfinishedMarkerOf(path).c_str()), INVALID_FILE_ATTRIBUTES) << "marked unfinished";

        ProbedFile killed = ProbeFile(path);
        ASSERT_TRUE(killed.opened) << "readable as it was left";
        const size_t left = PacketsOf(path, c.kept);
        EXPECT_GE(left, onDisk) << "nothing that was on the disk is lost by the kill";

        const std::vector<std::wstring> finished = FinishUnfinishedRecordings(folder.path());
        ASSERT_EQ(finished.size(), 1u);
        EXPECT_EQ(finished[0], path);
        EXPECT_EQ(GetFileAttributesW(UnfinishedMarkerOf(path).c_str()), INVALID_FILE_ATTRIBUTES);
        EXPECT_GE(PacketsOf(path, c.kept), left) << "nothing lost by finishing";
        if (c.kept == AVMEDIA_TYPE_VIDEO && std::string(c.format) == "MP4") EXPECT_FALSE(IsFragmentedMp4(path));
        EXPECT_GE(ContainerSeconds(path), 0.9 * StreamSeconds(ProbeFile(path), c.kept))
            << "its duration known to players";
        EXPECT_TRUE(FinishUnfinishedRecordings(folder.path()).empty()) << "finished once";
    }
}
