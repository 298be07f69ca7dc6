// Closed recordings made whole: an MP4 made ordinary only by a copy that holds all
// of it, failures of the file layer at every step (through its test faults), and the
// recordings found unfinished at a start, each tried once.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "common/text_convert.h"
#include "engine/recording_finish.h"
#include "tests/engine/media_probe.h"
#include "tests/engine/writer_harness.h"

using testing_support::FileExists;
using testing_support::ReadFileBytes;
using testing_support::SplitLines;
using testing_support::TempDir;
using testing_support::WriteFileBytes;

namespace {

const SoundFeed kSystemSound{kSourceSystemSound, 44100, 2};

class FinishTest : public ::testing::Test {
protected:
    TempDir dir;
    TestSettings settings{dir.path()};
    RecordingOwner owner;

    std::vector<std::string> VideoList() { return SplitLines(ReadFileBytes(dir.File(L"videolist.txt"))); }
    bool Listed(const std::wstring& name) {
        for (const std::string& line : VideoList())
            if (line == WideToChs(name)) return true;
        return false;
    }
    // A recording of `seconds` left fragmented, as a killed program leaves it (its
    // copy refused by the file layer), with its marker when marked.
    std::wstring FragmentedRecording(const std::wstring& name, double seconds, bool marked) {
        FileFaults faults;
        faults.FailWrites(L".finishing", 0, ERROR_WRITE_FAULT);
        WriterSetup setup{dir.File(name)};
        setup.sounds = {kSystemSound};
        EXPECT_GE(RecordFile(setup, &owner, seconds), 0);
        if (marked) EXPECT_TRUE(MarkUnfinished(setup.name));
        EXPECT_TRUE(IsFragmentedMp4(setup.name));
        return setup.name;
    }
};

bool Marked(const std::wstring& path) { return FileExists(UnfinishedMarkerOf(path)); }

std::vector<std::wstring> NamesIn(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((folder + L"*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        names.push_back(found.cFileName);
    } while (FindNextFileW(find, &found));
    FindClose(find);
    return names;
}

PacketCounts CountsOf(const std::wstring& path) {
    const ProbedFile file = ProbeFile(path);
    PacketCounts counts;
    if (const ProbedStream* video = file.Find(AVMEDIA_TYPE_VIDEO)) counts.video = int64_t(video->pts.size());
    if (const ProbedStream* audio = file.Find(AVMEDIA_TYPE_AUDIO)) counts.audio = int64_t(audio->pts.size());
    return counts;
}

// Where the n-th top-level box of that type starts; -1 when there is none.
int64_t BoxOffset(const std::string& bytes, const char* type, int n) {
    int64_t at = 0;
    while (at + 8 <= int64_t(bytes.size())) {
        const auto* p = reinterpret_cast<const unsigned char*>(bytes.data() + at);
        const int64_t size = (int64_t(p[0]) << 24) | (int64_t(p[1]) << 16) | (int64_t(p[2]) << 8) | p[3];
        if (bytes.compare(size_t(at) + 4, 4, type) == 0 && n-- == 0) return at;
        if (size < 8) return -1;
        at += size;
    }
    return -1;
}

}  // namespace

// A stopped MP4 reads back as an ordinary one, its marker gone and its name listed.
TEST_F(FinishTest, AStoppedMp4IsOrdinary) {
    WriterSetup setup{dir.File(L"stopped.mp4")};
    setup.sounds = {kSystemSound};
    ASSERT_EQ(RecordFile(setup, &owner, 3), 75);
    const std::vector<std::string> boxes = TopLevelBoxes(setup.name);
    EXPECT_NE(std::find(boxes.begin(), boxes.end(), "moov"), boxes.end());
    EXPECT_FALSE(IsFragmentedMp4(setup.name));
    EXPECT_EQ(CountsOf(setup.name).video, 75);
    EXPECT_FALSE(Marked(setup.name));
    EXPECT_FALSE(FileExists(setup.name + L".finishing"));
    EXPECT_TRUE(Listed(L"stopped.mp4"));
}

// Every way the file layer can fail while a file is made, written, closed and
// copied: the cause is kept as the user is told it, what was written stays, a file
// is listed only when it plays, and a copy that breaks off never replaces the file.
TEST_F(FinishTest, FileLayerFailuresKeepWhatWasWritten) {
    struct Case {
        const char* what;
        const wchar_t* name;
        std::function<void(FileFaults&)> before;  // armed before the opening
        std::function<void(FileFaults&)> atStop;  // armed just before the close
        WriteFailure open, write;
        bool fragmented;  // what is left: the original as written
    } cases[] = {
        {"the folder cannot be written",
         L"denied.mp4",
         [](FileFaults& f) { f.FailOpen(L"denied", ERROR_ACCESS_DENIED); },
         {},
         WriteFailure::kNotWritable,
         WriteFailure::kNone,
         false},
        {"the disk is full at the opening",
         L"full.mp4",
         [](FileFaults& f) { f.FailOpen(L"full", ERROR_DISK_FULL); },
         {},
         WriteFailure::kDiskFull,
         WriteFailure::kNone,
         false},
        {"a write fails mid-recording",
         L"broken.mp4",
         [](FileFaults& f) { f.FailWrites(L"broken.mp4", 20000, ERROR_CRC); },
         {},
         WriteFailure::kNone,
         WriteFailure::kOther,
         true},
        {"the close's writes fail",
         L"closing.mp4",
         {},
         [](FileFaults& f) { f.FailWrites(L"closing.mp4", 0, ERROR_CRC); },
         WriteFailure::kNone,
         WriteFailure::kOther,
         true},
        {"the copy breaks off half way",
         L"copy.mp4",
         [](FileFaults& f) { f.FailWrites(L"copy.mp4.finishing", 20000, ERROR_DISK_FULL); },
         {},
         WriteFailure::kNone,
         WriteFailure::kNone,
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FileFaults faults;
        if (c.before) c.before(faults);
        WriterSetup setup{dir.File(c.name)};
        setup.sounds = {kSystemSound};
        bool opened = false;
        auto writer = OpenWriter(setup, &owner, &opened);
        EXPECT_EQ(writer->OpenFailure(), c.open);
        if (!opened) {
            EXPECT_NE(c.open, WriteFailure::kNone);
            EXPECT_FALSE(FileExists(setup.name)) << "no empty file left";
            EXPECT_FALSE(Marked(setup.name));
            continue;
        }
        CaptureScript script;
        script.sounds = setup.sounds;
        script.seconds = 4;
        RunCapture(*writer, script);
        if (c.atStop) c.atStop(faults);
        writer->coPutFun();
        EXPECT_EQ(writer->WriteFailed(), c.write) << "the cause, also when it came at the close";
        faults.Clear();
        ASSERT_TRUE(FileExists(setup.name)) << "what was written is kept";
        EXPECT_FALSE(FileExists(setup.name + L".finishing"));
        EXPECT_FALSE(Marked(setup.name));
        const bool plays = IsPlayableRecording(setup.name);
        EXPECT_EQ(Listed(c.name), plays) << "listed only when it plays";
        if (c.write == WriteFailure::kNone) {
            EXPECT_TRUE(plays);
            EXPECT_EQ(CountsOf(setup.name).video, 100) << "the whole recording";
        }
        if (plays) EXPECT_EQ(IsFragmentedMp4(setup.name), c.fragmented);
    }
}

// A copy that lacks packets the writer wrote (here a fragment the reading skips)
// leaves the fragmented original in place; a whole copy replaces it.
TEST_F(FinishTest, OnlyACopyHoldingEveryPacketReplacesTheOriginal) {
    const std::wstring path = FragmentedRecording(L"whole.mp4", 6, true);
    ClosedFile closed;
    closed.path = path;
    closed.countsKnown = true;
    closed.counts = CountsOf(path);
    ASSERT_EQ(closed.counts.video, 150);
    std::string bytes = ReadFileBytes(path);
    const int64_t moof = BoxOffset(bytes, "moof", 3);
    ASSERT_GT(moof, 0) << "written in fragments";
    const std::string intact = bytes;
    bytes.replace(size_t(moof) + 4, 4, "skip");  // the reader steps over this fragment
    ASSERT_TRUE(WriteFileBytes(path, bytes));
    ASSERT_LT(CountsOf(path).video, closed.counts.video) << "the reading comes out short";

    const FinishedFile kept = FinishClosedRecording(closed);
    EXPECT_EQ(ReadFileBytes(path), bytes) << "the original stays as it was";
    EXPECT_FALSE(FileExists(path + L".finishing"));
    EXPECT_TRUE(kept.plays);
    EXPECT_TRUE(kept.listed);

    for (PacketCounts more : {PacketCounts{closed.counts.video + 1, closed.counts.audio},
                              PacketCounts{closed.counts.video, closed.counts.audio + 1}}) {
        ASSERT_TRUE(WriteFileBytes(path, intact));
        EXPECT_FALSE(FinishRecordingInPlace(path, &more)) << "a packet more was written than the copy holds";
        EXPECT_EQ(ReadFileBytes(path), intact);
    }
    EXPECT_TRUE(FinishRecordingInPlace(path, &closed.counts));
    EXPECT_FALSE(IsFragmentedMp4(path));
    EXPECT_EQ(CountsOf(path).video, closed.counts.video);
}

// What a start finds marked: each is tried once, its marker goes, and nothing is
// deleted or changed that could not be made whole. A file whose earlier try never
// ended (its marker set aside) is not tried again.
TEST_F(FinishTest, RecoveryTriesEachMarkedFileOnceAndKeepsIt) {
    const std::wstring good = FragmentedRecording(L"a good.mp4", 3, true);
    const std::wstring copied = FragmentedRecording(L"b copied.mp4", 3, true);
    ASSERT_TRUE(WriteFileBytes(copied + L".finishing", "half a copy"));  // the killed program's copy
    const std::wstring tried = FragmentedRecording(L"c tried.mp4", 3, false);
    ASSERT_TRUE(WriteFileBytes(tried + L".recovering", ""));  // a try that brought the program down
    struct Kept {
        std::wstring path;
        std::string bytes;
    } kept[] = {{dir.File(L"d damaged.mp4"), std::string(300000, '\x5a')},
                {dir.File(L"e empty.mp4"), ""},
                {tried, ReadFileBytes(tried)}};
    for (const Kept& k : kept) {
        if (k.path != tried) {
            ASSERT_TRUE(WriteFileBytes(k.path, k.bytes));
            ASSERT_TRUE(MarkUnfinished(k.path));
        }
    }
    const std::wstring stale = dir.File(L"f stale.mp4");
    ASSERT_TRUE(MarkUnfinished(stale));

    EXPECT_EQ(FinishUnfinishedRecordings(dir.path()), (std::vector<std::wstring>{good, copied}));
    for (const std::wstring& path : {good, copied}) {
        SCOPED_TRACE(WideToUtf8(path));
        EXPECT_FALSE(IsFragmentedMp4(path)) << "made ordinary";
        EXPECT_EQ(CountsOf(path).video, 75);
    }
    EXPECT_FALSE(FileExists(copied + L".finishing"));
    for (const Kept& k : kept) {
        SCOPED_TRACE(WideToUtf8(k.path));
        EXPECT_EQ(ReadFileBytes(k.path), k.bytes) << "kept as it was";
    }
    EXPECT_FALSE(FileExists(stale));
    for (const std::wstring& name : NamesIn(dir.path()))
        EXPECT_EQ(name.find(L".unfinished"), std::wstring::npos) << WideToUtf8(name);
    EXPECT_FALSE(FileExists(tried + L".recovering"));
    EXPECT_TRUE(FinishUnfinishedRecordings(dir.path()).empty()) << "each was tried once";
}
