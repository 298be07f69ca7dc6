// Areaprobe.dll under real input: SendInput reaches the library's low-level hook,
// whose reports land in a hidden window on a thread of its own.
#include "areaprobe/areaprobe.h"

#include <windows.h>

#include <malloc.h>

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <ostream>
#include <thread>
#include <vector>

namespace {

constexpr auto kArrivalBound = std::chrono::seconds(10);
constexpr UINT kBlockThread = WM_APP + 10;
constexpr UINT kStartHook = WM_APP + 11;

struct Report {
    WPARAM message;
    int32_t x;
    int32_t y;
    bool operator==(const Report& o) const { return message == o.message && x == o.x && y == o.y; }
};

std::ostream& operator<<(std::ostream& os, const Report& r) {
    const char* name = r.message == WM_MOUSEMOVE     ? "move"
                       : r.message == WM_LBUTTONDOWN ? "down"
                       : r.message == WM_LBUTTONUP   ? "up"
                                                     : "other";
    return os << name << "(" << r.x << "," << r.y << ")";
}

Report Move(POINT p) { return {WM_MOUSEMOVE, p.x, p.y}; }
Report Down(POINT p) { return {WM_LBUTTONDOWN, p.x, p.y}; }
Report Up(POINT p) { return {WM_LBUTTONUP, p.x, p.y}; }

// A hidden top-level window on a thread of its own that receives the reports as
// the main window does: it takes each record and frees it.
class ReportSink {
public:
    ReportSink() {
        thread_ = std::thread([this] { Run(); });
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait(lock, [this] { return window_ != nullptr || failed_; });
    }
    ~ReportSink() {
        Unblock();
        if (window_) PostMessageW(window_, WM_CLOSE, 0, 0);
        thread_.join();
        if (release_) CloseHandle(release_);
    }
    ReportSink(const ReportSink&) = delete;
    ReportSink& operator=(const ReportSink&) = delete;

    HWND window() const { return window_; }

    // Ordinal 2 called on the window's own thread, as a main window does.
    bool StartHook() { return SendMessageW(window_, kStartHook, 0, 0) == TRUE; }

    // Keeps the window's thread away from its messages until Unblock.
    bool Block() {
        if (!PostMessageW(window_, kBlockThread, 0, 0)) return false;
        std::unique_lock<std::mutex> lock(mutex_);
        return changed_.wait_for(lock, kArrivalBound, [this] { return blocked_; });
    }
    void Unblock() {
        if (release_) SetEvent(release_);
    }

    // Waits until a report equal to `last` arrives; true with every report up to
    // and including it. Reports are posted in input order, so any that the input
    // before `last` caused are among them.
    bool WaitFor(const Report& last, std::vector<Report>* upToLast) {
        std::unique_lock<std::mutex> lock(mutex_);
        bool seen = changed_.wait_for(lock, kArrivalBound, [&] { return IndexOf(last) < reports_.size(); });
        if (!seen) return false;
        size_t end = IndexOf(last) + 1;
        upToLast->assign(reports_.begin(), reports_.begin() + end);
        reports_.erase(reports_.begin(), reports_.begin() + end);
        return true;
    }

    int badRecords() {
        std::lock_guard<std::mutex> lock(mutex_);
        return badRecords_;
    }

private:
    size_t IndexOf(const Report& r) const {
        for (size_t i = 0; i < reports_.size(); ++i)
            if (reports_[i] == r) return i;
        return reports_.size();
    }

    void Run() {
        release_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        WNDCLASSW wc = {};
        wc.lpfnWndProc = &ReportSink::WndProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"AreaprobeTestSink";
        RegisterClassW(&wc);  // already registered by an earlier sink: fine
        HWND w = CreateWindowExW(0, wc.lpszClassName, L"areaprobe sink", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                                 nullptr, wc.hInstance, this);
        {
            std::lock_guard<std::mutex> lock(mutex_);
            window_ = w;
            failed_ = w == nullptr;
        }
        changed_.notify_all();
        MSG msg;
        while (w && GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    }

    void OnRecord(WPARAM wParam, LPARAM lParam) {
        std::lock_guard<std::mutex> lock(mutex_);
        // The record must come from the C runtime's heap, the one delete returns it to.
        if (!HeapValidate(reinterpret_cast<HANDLE>(_get_heap_handle()), 0, reinterpret_cast<void*>(lParam))) {
            ++badRecords_;
            return;  // freeing it here would corrupt the heap
        }
        AreaprobeMouseRecord record;
        if (!TakeAreaprobeRecord(lParam, &record)) {
            ++badRecords_;
            return;
        }
        if (record.message != wParam || !(record.flags & LLMHF_INJECTED) || record.reserved != 0) ++badRecords_;
        reports_.push_back({wParam, record.x, record.y});
        changed_.notify_all();
    }

    void OnBlock() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            blocked_ = true;
        }
        changed_.notify_all();
        WaitForSingleObject(release_, INFINITE);
    }

    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        if (msg == WM_NCCREATE) {
            auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
        }
        auto* self = reinterpret_cast<ReportSink*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        switch (msg) {
            case WM_AREAPROBE_MOUSE: self->OnRecord(wParam, lParam); return 0;
            case kBlockThread: self->OnBlock(); return 0;
            case kStartHook: return AreaprobeStart(hwnd, 0, 0, 1);
            case WM_DESTROY: PostQuitMessage(0); return 0;
        }
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }

    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable changed_;
    HWND window_ = nullptr;
    bool failed_ = false;
    bool blocked_ = false;
    HANDLE release_ = nullptr;
    std::vector<Report> reports_;
    int badRecords_ = 0;
};

// Absolute coordinates that land exactly on pixel p (pixel = value * size / 65536).
LONG Normalise(LONG pixel, int size) { return static_cast<LONG>((pixel * 65536 + size - 1) / size); }

INPUT MouseInput(DWORD flags) {
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flags;
    return in;
}

INPUT MoveInput(POINT p) {
    INPUT in = MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE);
    in.mi.dx = Normalise(p.x, GetSystemMetrics(SM_CXSCREEN));
    in.mi.dy = Normalise(p.y, GetSystemMetrics(SM_CYSCREEN));
    return in;
}

bool Send(std::vector<INPUT> inputs) {
    UINT n = static_cast<UINT>(inputs.size());
    return SendInput(n, inputs.data(), sizeof(INPUT)) == n;
}

bool CursorReaches(POINT p) {
    auto until = std::chrono::steady_clock::now() + kArrivalBound;
    POINT at = {};
    while (GetCursorPos(&at) && (at.x != p.x || at.y != p.y)) {
        if (std::chrono::steady_clock::now() > until) return false;
        Sleep(5);
    }
    return at.x == p.x && at.y == p.y;
}

class AreaprobeHook : public ::testing::Test {
protected:
    void TearDown() override { AreaprobeStop(); }

    // Moves to each point in turn and returns the reports up to the last move.
    std::vector<Report> MoveThrough(ReportSink& sink, const std::vector<POINT>& points) {
        std::vector<INPUT> inputs;
        for (POINT p : points) inputs.push_back(MoveInput(p));
        EXPECT_TRUE(Send(inputs));
        std::vector<Report> got;
        EXPECT_TRUE(sink.WaitFor(Move(points.back()), &got)) << "no report of the last move";
        return got;
    }
};

TEST(Areaprobe, ExportsItsFunctionsByOrdinal) {
    HMODULE dll = GetModuleHandleW(L"Areaprobe.dll");
    ASSERT_NE(dll, nullptr);
    EXPECT_EQ(reinterpret_cast<void*>(GetProcAddress(dll, MAKEINTRESOURCEA(2))),
              reinterpret_cast<void*>(&AreaprobeStart));
    EXPECT_EQ(reinterpret_cast<void*>(GetProcAddress(dll, MAKEINTRESOURCEA(4))),
              reinterpret_cast<void*>(&AreaprobeStop));
    EXPECT_EQ(reinterpret_cast<void*>(GetProcAddress(dll, MAKEINTRESOURCEA(5))),
              reinterpret_cast<void*>(&AreaprobeTakeRecord));
}

// A value the library did not post (another process's pointer, a record of the
// receiver's own) is refused untouched: it is neither read into out nor freed.
TEST(Areaprobe, TakesOnlyRecordsItPosted) {
    const AreaprobeMouseRecord pattern = {11, 22, WM_MOUSEMOVE, 0, 33, 0};
    AreaprobeMouseRecord onStack = pattern;
    auto* onHeap = new AreaprobeMouseRecord(pattern);
    for (LPARAM value : {reinterpret_cast<LPARAM>(&onStack), reinterpret_cast<LPARAM>(onHeap),
                         static_cast<LPARAM>(0x12345678), static_cast<LPARAM>(0)}) {
        AreaprobeMouseRecord out = {-1, -1, 0, 0, 0, 0};
        EXPECT_FALSE(TakeAreaprobeRecord(value, &out));
        EXPECT_EQ(out.x, -1) << "nothing was read";
    }
    EXPECT_EQ(onStack.x, 11);
    EXPECT_TRUE(HeapValidate(reinterpret_cast<HANDLE>(_get_heap_handle()), 0, onHeap)) << "still allocated";
    EXPECT_EQ(onHeap->time, 33u);
    delete onHeap;
}

TEST_F(AreaprobeHook, ReportsMovesAndLeftButtonChangesWithTheirPoints) {
    ReportSink sink;
    ASSERT_NE(sink.window(), nullptr);
    ASSERT_TRUE(sink.StartHook());
    const POINT a = {101, 203}, b = {640, 400}, c = {1001, 77}, end = {13, 17};
    ASSERT_TRUE(Send({MoveInput(a), MoveInput(b), MouseInput(MOUSEEVENTF_LEFTDOWN), MouseInput(MOUSEEVENTF_LEFTUP),
                      MoveInput(c), MouseInput(MOUSEEVENTF_MIDDLEDOWN), MouseInput(MOUSEEVENTF_MIDDLEUP),
                      MouseInput(MOUSEEVENTF_LEFTDOWN), MoveInput(end), MouseInput(MOUSEEVENTF_LEFTUP)}));
    std::vector<Report> got;
    ASSERT_TRUE(sink.WaitFor(Up(end), &got));
    // The middle button is not reported; a drag is down, moves, up.
    const std::vector<Report> want = {Move(a), Move(b), Down(b), Up(b), Move(c), Down(c), Move(end), Up(end)};
    EXPECT_EQ(got, want);
    EXPECT_EQ(sink.badRecords(), 0);
}

TEST_F(AreaprobeHook, NothingIsReportedAfterStopAndStartWorksAgain) {
    ReportSink sink;
    ASSERT_TRUE(AreaprobeStart(sink.window(), 0, 0, 1));
    MoveThrough(sink, {{300, 300}});
    ASSERT_TRUE(AreaprobeStop());
    EXPECT_TRUE(AreaprobeStop());  // stopping again is harmless

    const POINT unseen = {222, 333}, seen = {444, 555};
    ASSERT_TRUE(Send(
        {MoveInput({210, 310}), MoveInput(unseen), MouseInput(MOUSEEVENTF_LEFTDOWN), MouseInput(MOUSEEVENTF_LEFTUP)}));
    ASSERT_TRUE(CursorReaches(unseen));
    // Had the first hook lived on, its reports would come before the new one's.
    ASSERT_TRUE(AreaprobeStart(sink.window(), 0, 0, 1));
    EXPECT_EQ(MoveThrough(sink, {seen}), std::vector<Report>{Move(seen)});
    EXPECT_EQ(sink.badRecords(), 0);
}

TEST_F(AreaprobeHook, RepeatedOrStrayCallsAreHarmless) {
    EXPECT_TRUE(AreaprobeStop());  // stop before any start
    EXPECT_FALSE(AreaprobeStart(nullptr, 0, 0, 1));
    ReportSink first, second;
    ASSERT_TRUE(AreaprobeStart(first.window(), 0, 0, 1));
    ASSERT_TRUE(AreaprobeStart(first.window(), 0, 0, 1));
    // One hook: each event is reported once.
    const POINT a = {120, 130}, b = {140, 150};
    EXPECT_EQ(MoveThrough(first, {a, b}), (std::vector<Report>{Move(a), Move(b)}));

    // A handle that is no window does not disturb the running hook.
    HWND gone = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(gone, nullptr);
    DestroyWindow(gone);
    EXPECT_FALSE(AreaprobeStart(gone, 0, 0, 1));
    const POINT c = {160, 170};
    EXPECT_EQ(MoveThrough(first, {c}), std::vector<Report>{Move(c)});

    // Starting again with another window sends the reports there instead.
    ASSERT_TRUE(AreaprobeStart(second.window(), 0, 0, 1));
    const POINT d = {180, 190}, e = {200, 210};
    EXPECT_EQ(MoveThrough(second, {d, e}), (std::vector<Report>{Move(d), Move(e)}));
    // ...and only there: back on the first window, nothing of d and e came before f.
    ASSERT_TRUE(AreaprobeStart(first.window(), 0, 0, 1));
    const POINT f = {220, 230};
    EXPECT_EQ(MoveThrough(first, {f}), std::vector<Report>{Move(f)});
    EXPECT_EQ(first.badRecords() + second.badRecords(), 0);
}

// Busy blocks in the C runtime's heap, where the records live.
size_t CountCrtHeapBlocks() {
    HANDLE heap = reinterpret_cast<HANDLE>(_get_heap_handle());
    size_t busy = 0;
    if (!HeapLock(heap)) return 0;
    PROCESS_HEAP_ENTRY entry = {};
    while (HeapWalk(heap, &entry))
        if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) ++busy;
    HeapUnlock(heap);
    return busy;
}

TEST_F(AreaprobeHook, ReportsThatNoWindowTakesAreFreed) {
    constexpr int kMoves = 400;
    std::vector<INPUT> inputs;
    for (int i = 0; i < kMoves; ++i) inputs.push_back(MoveInput({50 + i % 200, 60 + i / 200}));
    const POINT last = {50 + (kMoves - 1) % 200, 60 + (kMoves - 1) / 200};
    {
        ReportSink sink;
        ASSERT_TRUE(AreaprobeStart(sink.window(), 0, 0, 1));
        MoveThrough(sink, {{700, 500}});
    }  // the window is gone and the hook still runs, as when a program forgets ordinal 4
    const size_t before = CountCrtHeapBlocks();
    ASSERT_TRUE(Send(inputs));
    ASSERT_TRUE(CursorReaches(last));
    ASSERT_TRUE(AreaprobeStop());
    const size_t after = CountCrtHeapBlocks();
    EXPECT_LT(after, before + kMoves / 4) << "records posted to no window were kept";
}

TEST_F(AreaprobeHook, MouseKeepsMovingWhileTheWindowThreadIsBusy) {
    ReportSink sink;
    ASSERT_TRUE(sink.StartHook());
    ASSERT_TRUE(sink.Block());
    // A hook on the busy thread would hold each event back until the system gives
    // up on it, and then the event goes unreported.
    const std::vector<POINT> points = {{500, 100}, {510, 120}, {530, 140}, {560, 160}, {600, 180}};
    for (POINT p : points) {
        ASSERT_TRUE(Send({MoveInput(p)}));
        ASSERT_TRUE(CursorReaches(p)) << "the cursor did not reach " << p.x << "," << p.y;
    }
    sink.Unblock();
    std::vector<Report> got;
    ASSERT_TRUE(sink.WaitFor(Move(points.back()), &got));
    std::vector<Report> want;
    for (POINT p : points) want.push_back(Move(p));
    EXPECT_EQ(got, want);
    EXPECT_EQ(sink.badRecords(), 0);
}

}  // namespace
