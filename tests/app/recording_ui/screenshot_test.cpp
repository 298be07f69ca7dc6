// Screenshots of the recorded area: the file name from the settings, real images
// of a solid window on the screen read back, two in one second, a failure.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/recording_ui/screenshot.h"
#include "app/recording_ui/toolbar_wnd.h"
#include "common/record_globals.h"
#include "common/setting_data.h"
#include "tests/support/record_globals_reset.h"
#include "tests/support/test_support.h"
#include "tests/ui/ui_test_support.h"
#include "ui/render/image_decoder.h"

using namespace DuiLib;
using namespace testing_support;

namespace {

constexpr COLORREF kWindowColour = RGB(0x20, 0xA0, 0x60);
const RECT kWindowRect = {100, 120, 420, 360};  // 320 x 240 on the screen

// A plain top-most window of one colour where the recorded area is.
class SolidWindow {
public:
    explicit SolidWindow(const RECT& rc) {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hbrBackground = CreateSolidBrush(kWindowColour);
        wc.lpszClassName = L"ScreenshotTestSolid";
        RegisterClassW(&wc);
        hwnd_ =
            CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, rc.left,
                            rc.top, rc.right - rc.left, rc.bottom - rc.top, nullptr, nullptr, wc.hInstance, nullptr);
        UpdateWindow(hwnd_);
        ui_test::Pump(300);  // the compositor shows it
    }
    ~SolidWindow() { DestroyWindow(hwnd_); }

private:
    HWND hwnd_;
};

struct Decoded {
    int width = 0, height = 0;
    DWORD centre = 0;  // ARGB
};

Decoded DecodeFile(const std::wstring& path) {
    std::string bytes = ReadFileBytes(path);
    Decoded out;
    TImageInfo* image = DecodeImage(bytes.data(), bytes.size());
    if (!image) return out;
    out.width = image->nX;
    out.height = image->nY;
    const BYTE* px = image->pBits + (static_cast<size_t>(image->nY / 2) * image->nX + image->nX / 2) * 4;
    out.centre = (DWORD(px[3]) << 24) | (DWORD(px[2]) << 16) | (DWORD(px[1]) << 8) | px[0];
    CRenderEngine::FreeImage(image);
    return out;
}

std::wstring NameOf(const std::wstring& path) { return path.substr(path.find_last_of(L'\\') + 1); }

void SaveSettings(const std::wstring& folder, const std::wstring& format) {
    SettingRecord settings = CSettingData::GetInstance()->GetSettings();
    settings.path = folder;
    settings.SFormat = format;
    CSettingData::GetInstance()->Save(settings);
}

struct FormatCase {
    const wchar_t* format;
    ImageKind kind;
    const char* magic;
    const wchar_t* extension;
    int tolerance;  // JPEG is lossy
};

}  // namespace

TEST(ScreenshotName, FolderStampAndTheFormatInLowerCase) {
    SYSTEMTIME t = {};
    t.wYear = 2025;
    t.wMonth = 1;
    t.wDay = 11;
    t.wHour = 9;
    t.wMinute = 5;
    t.wSecond = 7;
    EXPECT_EQ(ScreenshotFileName(L"D:\\录屏", L"JPG", t), L"D:\\录屏\\20250111_090507.jpg");
    EXPECT_EQ(ScreenshotFileName(L"D:\\录屏\\", L"Png", t), L"D:\\录屏\\20250111_090507.png");
    EXPECT_EQ(ScreenshotFileName(L"D:\\out", L"GIF", t), L"D:\\out\\20250111_090507.gif");
    EXPECT_EQ(ScreenshotFileName(L"D:\\out", L"", t), L"D:\\out\\20250111_090507.png");
    EXPECT_EQ(ImageKindOf(L"bmp"), ImageKind::Bmp);
    EXPECT_EQ(ImageKindOf(L"JPG"), ImageKind::Jpeg);
    EXPECT_EQ(ImageKindOf(L"PNG"), ImageKind::Png);
    EXPECT_EQ(ImageKindOf(L"gif"), ImageKind::Png) << "any other format is written as PNG";
    EXPECT_EQ(ImageKindOf(L"jpeg"), ImageKind::Png);
}

class ScreenshotFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ui_test::EnsureTestSkin();
        testing_support::ResetRecordGlobals();
        g_rcSnapwick = kWindowRect;
        bar = std::make_unique<CToolbarWnd>(nullptr);  // no window needed to take a screenshot
        bar->SetFailureNotice([this](const wchar_t* text) { notices.push_back(text); });
    }
    void TearDown() override { testing_support::ResetRecordGlobals(); }

    TempDir folder;
    std::unique_ptr<CToolbarWnd> bar;
    std::vector<std::wstring> notices;
};

TEST_F(ScreenshotFixture, TheAreaInsideItsFrameInEachFormat) {
    SolidWindow window(kWindowRect);
    const FormatCase cases[] = {
        {L"JPG", ImageKind::Jpeg, "\xFF\xD8", L".jpg", 12},
        {L"PNG", ImageKind::Png, "\x89PNG", L".png", 0},
        {L"BMP", ImageKind::Bmp, "BM", L".bmp", 0},
        {L"tif", ImageKind::Png, "\x89PNG", L".tif", 0},
    };
    for (const FormatCase& c : cases) {
        SCOPED_TRACE(ui_test::Narrow(c.format));
        SaveSettings(folder.path(), c.format);
        SYSTEMTIME before;
        GetLocalTime(&before);
        std::wstring path = bar->CaptureRecordArea();
        ASSERT_FALSE(path.empty());
        EXPECT_EQ(path.substr(0, folder.path().size()), folder.path());
        std::wstring name = NameOf(path);
        ASSERT_EQ(name.size(), 15u + wcslen(c.extension));
        EXPECT_EQ(name.substr(15), c.extension);
        wchar_t day[16];
        swprintf(day, 16, L"%4d%02d%02d_", before.wYear, before.wMonth, before.wDay);
        EXPECT_EQ(name.substr(0, 9), day) << "named by the local time";
        std::string bytes = ReadFileBytes(path);
        EXPECT_EQ(bytes.compare(0, strlen(c.magic), c.magic), 0) << "written by the encoder of the format";
        Decoded image = DecodeFile(path);
        EXPECT_EQ(image.width, 316) << "2 pixels of frame left out on each side";
        EXPECT_EQ(image.height, 236);
        EXPECT_NEAR(ui_test::R(image.centre), GetRValue(kWindowColour), c.tolerance);
        EXPECT_NEAR(ui_test::G(image.centre), GetGValue(kWindowColour), c.tolerance);
        EXPECT_NEAR(ui_test::B(image.centre), GetBValue(kWindowColour), c.tolerance);
    }
    EXPECT_TRUE(notices.empty());
}

TEST_F(ScreenshotFixture, TwoInTheSameSecondAreBothKept) {
    SaveSettings(folder.path(), L"PNG");
    // Retried until both fall into one second.
    for (int attempt = 0; attempt < 5; ++attempt) {
        std::wstring first = bar->CaptureRecordArea();
        std::string firstBytes = ReadFileBytes(first);
        std::wstring second = bar->CaptureRecordArea();
        ASSERT_FALSE(first.empty());
        ASSERT_FALSE(second.empty());
        ASSERT_NE(first, second);
        if (NameOf(first).substr(0, 15) != NameOf(second).substr(0, 15)) {
            // A missed attempt leaves nothing behind that the next one could be numbered after.
            DeleteFileW(first.c_str());
            DeleteFileW(second.c_str());
            continue;
        }
        EXPECT_EQ(NameOf(second), NameOf(first).substr(0, 15) + L" - 1.png");
        EXPECT_EQ(ReadFileBytes(first), firstBytes) << "the first is not overwritten";
        EXPECT_FALSE(ReadFileBytes(second).empty());
        return;
    }
    FAIL() << "no two screenshots fell into one second";
}

TEST_F(ScreenshotFixture, AFailureTellsTheUserAndGivesNoPath) {
    SaveSettings(folder.File(L"gone"), L"PNG");
    EXPECT_EQ(bar->CaptureRecordArea(), L"");
    EXPECT_EQ(notices, std::vector<std::wstring>{L"截图失败！"});
    g_rcSnapwick = RECT{500, 500, 503, 503};  // nothing left inside the frame
    SaveSettings(folder.path(), L"PNG");
    EXPECT_EQ(bar->CaptureRecordArea(), L"");
    EXPECT_EQ(notices.size(), 2u);
    EXPECT_FALSE(FileExists(folder.File(L"gone"))) << "no folder is made for it";
}
