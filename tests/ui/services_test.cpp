// Library services: the skin ZIP and its id list, the image cache, strings and
// attribute values, frame animation, the tray icon.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "tests/ui/ui_test_support.h"
#include "ui/resources/skin_source.h"

using namespace DuiLib;
using namespace ui_test;

TEST(Services, SkinZipFilesAreFoundWhateverTheSlashesAndCase) {
    EnsureTestSkin();
    EXPECT_STREQ(CResourceManager::GetInstance()->GetXmlPath(L"XML_SHOWCASE"), L"showcase.xml");
    EXPECT_EQ(CResourceManager::GetInstance()->GetXmlPath(L"XML_NONE"), nullptr);
    for (LPCTSTR name : {L"img/nine.png", L"img\\nine.png", L"IMG/Nine.PNG", L"./img/nine.png"}) {
        TImageInfo* image = CRenderEngine::LoadImage(name);
        ASSERT_NE(image, nullptr) << Narrow(name);
        EXPECT_EQ(image->nX, 30);
        EXPECT_FALSE(image->bAlpha);
        CRenderEngine::FreeImage(image);
    }
    TImageInfo* half = CRenderEngine::LoadImage(L"img/half.png");
    ASSERT_NE(half, nullptr);
    EXPECT_TRUE(half->bAlpha);
    CRenderEngine::FreeImage(half);
    EXPECT_EQ(CRenderEngine::LoadImage(L"img/none.png"), nullptr);
    EXPECT_FALSE(CPaintManagerUI::SetResourceZip(const_cast<char*>("not a zip"), 9)) << "rejected, and the skin stays";
}

// A worker decodes images while the UI thread reads other skin files.
TEST(Services, SkinFilesReadFromSeveralThreadsAtOnceComeOutWhole) {
    EnsureTestSkin();
    std::vector<unsigned char> nine, half;
    ASSERT_TRUE(CSkinSource::Get().ReadFile(L"img/nine.png", nine));
    ASSERT_TRUE(CSkinSource::Get().ReadFile(L"img/half.png", half));
    std::atomic<int> wrong{0};
    std::vector<std::thread> readers;
    for (int t = 0; t < 4; ++t) {
        readers.emplace_back([&, t] {
            const bool odd = t % 2 != 0;
            std::vector<unsigned char> bytes;
            for (int i = 0; i < 2000; ++i) {
                const bool read = CSkinSource::Get().ReadFile(odd ? L"img/half.png" : L"img/nine.png", bytes);
                if (!read || bytes != (odd ? half : nine)) ++wrong;
            }
        });
    }
    for (std::thread& reader : readers) reader.join();
    EXPECT_EQ(wrong, 0);
}

TEST(Services, NamedImagesMadeInMemoryAndTheSharedCache) {
    TestWindow w(
        LR"(<Window size="60,40"><VerticalLayout><Control name="c" bkimage="file='memory_image'"/></VerticalLayout></Window>)");
    ASSERT_TRUE(w.Open());
    BYTE* bits = nullptr;
    HBITMAP bitmap = CRenderEngine::CreateARGB32Bitmap(nullptr, 4, 4, &bits);
    for (int i = 0; i < 16; ++i) reinterpret_cast<DWORD*>(bits)[i] = 0xFF00FF00;
    const TImageInfo* added = w.Pm().AddImage(L"memory_image", bitmap, 4, 4, false);
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(w.Pm().GetImageEx(L"memory_image"), added);
    EXPECT_EQ(G(w.BufferPixel(30, 20)), 255) << "image strings reach images made in memory";
    const TImageInfo* cached = w.Pm().GetImageEx(L"img/nine.png");
    ASSERT_NE(cached, nullptr);
    EXPECT_EQ(w.Pm().GetImageEx(L"img\\NINE.png"), cached) << "one decoded copy per file";
    CRenderEngine::FreeImage(const_cast<TImageInfo*>(cached));  // a cache's record: left alone
    EXPECT_EQ(w.Pm().GetImageEx(L"img/nine.png")->nX, 30);
}

TEST(Services, StringsAndAttributeValues) {
    CDuiString s(L"file='a.png' source='1,2,3,4'");
    EXPECT_EQ(s.Find(L"source"), 13);
    EXPECT_EQ(s.Mid(6, 5), CDuiString(L"a.png"));
    EXPECT_EQ(CDuiString::FormatText(L"%d x %d", 640, 480), CDuiString(L"640 x 480"));
    EXPECT_EQ(CDuiString(L"Btn_OK").CompareNoCase(L"btn_ok"), 0);
    struct ColorCase {
        LPCTSTR text;
        DWORD value;
    } colors[] = {{L"#FF4EA4FD", 0xFF4EA4FD},
                  {L"  #80000000", 0x80000000},
                  {L"0xFFF7F7F7", 0xFFF7F7F7},
                  {L"#4EA4FD", 0xFF4EA4FD}};
    for (auto& c : colors) EXPECT_EQ(ParseColor(c.text), c.value) << Narrow(c.text);
    RECT rc = ParseRect(L"-1, 2,30,-4");
    EXPECT_EQ(rc.left, -1);
    EXPECT_EQ(rc.bottom, -4);
    TDrawInfo info = CRenderEngine::ParseDrawInfo(L"file='x.png' corner='5,5,5,5' hole='true'", L"dest='0,7,88,10'");
    EXPECT_EQ(info.sImageName, CDuiString(L"x.png"));
    EXPECT_TRUE(info.bHole);
    EXPECT_TRUE(info.bHasDest);
    EXPECT_EQ(info.rcDest.bottom, 10);
    EXPECT_EQ(CRenderEngine::ParseDrawInfo(L"common/bg.png").sImageName, CDuiString(L"common/bg.png"));
}

namespace {

class CFramesUI : public CLabelUI, public CUIAnimation {
public:
    CFramesUI() : CUIAnimation(this) {}
    std::vector<int> frames;
    bool stopped = false;
    void DoEvent(TEventUI& event) override {
        if (event.Type == UIEVENT_TIMER) OnAnimationElapse(static_cast<int>(event.wParam));
        CLabelUI::DoEvent(event);
    }
    void OnAnimationStep(int total, int current, int id) override {
        if (total == 5 && id == 6) frames.push_back(current);
    }
    void OnAnimationStop(int id) override { stopped = id == 6; }
};

}  // namespace

TEST(Services, AnimationStepsEveryFrameOnceAndStops) {
    TestWindow w(LR"(<Window size="60,40"><VerticalLayout><Frames name="f"/></VerticalLayout></Window>)");
    w.makeControl = [](LPCTSTR tag) -> CControlUI* { return wcscmp(tag, L"Frames") == 0 ? new CFramesUI : nullptr; };
    ASSERT_TRUE(w.Open());
    auto* f = w.Find<CFramesUI>(L"f");
    ASSERT_TRUE(f->StartAnimation(10, 5, 6));
    EXPECT_TRUE(f->IsAnimationRunning(6));
    EXPECT_TRUE(PumpUntil([&] { return f->stopped; }));
    EXPECT_EQ(f->frames, (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_FALSE(f->IsAnimationRunning(6));
}

TEST(Services, TrayIconIsCreatedAndDeleted) {
    TestWindow w(LR"(<Window size="60,40"><VerticalLayout/></Window>)");
    ASSERT_TRUE(w.Open());
    CTrayIcon tray;
    ASSERT_TRUE(tray.CreateTrayIcon(w.GetHWND(), 101, L"录屏", WM_TRAY_NOTIFY));
    EXPECT_TRUE(tray.IsVisible());
    EXPECT_TRUE(tray.SetTooltipText(L"录屏 - 录制中"));
    EXPECT_TRUE(tray.DeleteTrayIcon());
    EXPECT_FALSE(tray.IsVisible());
    EXPECT_EQ(WM_TRAY_NOTIFY, WM_USER + 1u);
}

namespace {

constexpr UINT kSlowMessage = WM_APP + 1, kQuickMessage = WM_APP + 2, kQuitMessage = WM_APP + 3;
constexpr double kSlowMessageMs = 30;

// Holds the thread for kSlowMessageMs by the performance counter (a Sleep may end early).
LRESULT CALLBACK SlowWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == kSlowMessage) {
        LARGE_INTEGER f, start, now;
        QueryPerformanceFrequency(&f);
        QueryPerformanceCounter(&start);
        do QueryPerformanceCounter(&now);
        while ((now.QuadPart - start.QuadPart) * 1000.0 / f.QuadPart < kSlowMessageMs + 1);
        return 0;
    }
    if (msg == kQuitMessage) PostQuitMessage(0);
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

struct SlowNotice {
    UINT message;
    double ms;
};

// Runs the loop over a quick, a slow and the quitting message with the watch given.
std::vector<SlowNotice> RunLoopWatched(double thresholdMs, bool watch) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = SlowWindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"SlowMessageTestWindow";
    RegisterClassW(&wc);
    HWND window =
        CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr);
    std::vector<SlowNotice> notices;
    CPaintManagerUI::SetSlowMessageNotice(thresholdMs,
                                          watch ? CPaintManagerUI::SlowMessageNotice([&](const MSG& msg, double ms) {
                                              if (msg.hwnd == window) notices.push_back({msg.message, ms});
                                          })
                                                : nullptr);
    PostMessageW(window, kQuickMessage, 0, 0);
    PostMessageW(window, kSlowMessage, 0, 0);
    PostMessageW(window, kQuitMessage, 0, 0);
    CPaintManagerUI::MessageLoop();
    CPaintManagerUI::SetSlowMessageNotice(0, nullptr);
    DestroyWindow(window);
    return notices;
}

}  // namespace

TEST(Services, MessageLoopTellsOfMessagesSlowerThanTheWatchsThreshold) {
    // A quick message may be told too on a loaded machine; the slow one always is.
    const std::vector<SlowNotice> told = RunLoopWatched(kSlowMessageMs, true);
    int slowTold = 0;
    for (const SlowNotice& notice : told) {
        if (notice.message != kSlowMessage) continue;
        ++slowTold;
        EXPECT_GE(notice.ms, kSlowMessageMs);
    }
    EXPECT_EQ(slowTold, 1);
    EXPECT_TRUE(RunLoopWatched(60000, true).empty()) << "nothing reaches a threshold of a minute";
    EXPECT_TRUE(RunLoopWatched(0, false).empty()) << "no notice, no watch";
}
