// The webcam window with the test camera: opened by the camera option in the
// bottom-right corner, the camera's colour bars drawn into it (read back from
// the screen), its close button turning the camera off.
#include <gtest/gtest.h>

#include <set>

#include "common/record_globals.h"
#include "engine/vistreler.h"
#include "shell/custom_messages.h"
#include "tests/app/frame/frame_test_support.h"
#include "tests/app/frame/main_window_fixture.h"
#include "tests/fixtures/fixture_devices.h"
#include "tests/ui/ui_test_support.h"

using namespace DuiLib;

namespace {

HWND CameraWindow() { return FindWindowW(L"CameraWnd", nullptr); }

// The bar colours seen along one row of the window on the screen.
std::set<uint32_t> BarColoursInRow(HWND window, int y) {
    RECT rc = {};
    GetWindowRect(window, &rc);
    std::set<uint32_t> seen;
    for (int x = rc.left + 2; x < rc.left + 290; x += 4) {
        const DWORD argb = ui_test::ScreenPixel(x, rc.top + y) & 0xFFFFFF;
        for (uint32_t bar : fixture_devices::kPatternBarColours) {
            const int dr = static_cast<int>((argb >> 16) & 0xFF) - static_cast<int>((bar >> 16) & 0xFF);
            const int dg = static_cast<int>((argb >> 8) & 0xFF) - static_cast<int>((bar >> 8) & 0xFF);
            const int db = static_cast<int>(argb & 0xFF) - static_cast<int>(bar & 0xFF);
            if (dr * dr + dg * dg + db * db < 40 * 40) seen.insert(bar);
        }
    }
    return seen;
}

}  // namespace

class CameraWindowTest : public MainWindowTest {
protected:
    void Click(LPCTSTR name) {
        CControlUI* control = frame->FindControl(name);
        ASSERT_NE(control, nullptr);
        frame->GetPaintManager()->UpdateLayout();
        const RECT rc = control->GetPos();
        ui_test::ClickAt(Hwnd(), {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2});
        ui_test::Pump(50);
    }
};

TEST_F(CameraWindowTest, TheCameraShowsInItsWindowUntilItsCloseButtonTurnsItOff) {
    ASSERT_FALSE(frame->Cameras().empty()) << "the test camera is registered";
    RemoveRecordSource(kSourceCamera);
    Click(L"camera");
    ASSERT_TRUE(ui_test::PumpUntil([] { return CameraWindow() != nullptr; }));
    const HWND camera = CameraWindow();
    EXPECT_EQ(frame->CameraWindow(), camera);
    RECT work = {};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    RECT rc = {};
    GetWindowRect(camera, &rc);
    EXPECT_EQ(rc.right, work.right - 1) << "bottom-right corner";
    EXPECT_EQ(rc.bottom, work.bottom - 1);
    EXPECT_EQ(rc.right - rc.left, 320);
    EXPECT_EQ(rc.bottom - rc.top, 240);
    EXPECT_TRUE(GetWindowLongW(camera, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(ui_test::PumpUntil([&] { return BarColoursInRow(camera, 120).size() >= 6; }, 10000))
        << "the camera's colour bars are drawn into the window";

    // The close button over the picture: the owner turns the camera off.
    WindowImplBase* window = frame_test::WindowObject(camera);
    ASSERT_NE(window, nullptr);
    CControlUI* close = window->FindControl(L"closebtn");
    ASSERT_NE(close, nullptr);
    const RECT pos = close->GetPos();
    ui_test::ClickAt(camera, {(pos.left + pos.right) / 2, (pos.top + pos.bottom) / 2});
    EXPECT_TRUE(ui_test::PumpUntil([&] { return !IsWindow(camera); })) << "closed with the camera";
    EXPECT_FALSE(IsRecordSourceOn(kSourceCamera));
    EXPECT_EQ(frame->CameraWindow(), nullptr) << "the slot went with the window";
    auto* option = static_cast<COptionUI*>(frame->FindControl(L"camera")->GetInterface(L"Option"));
    EXPECT_FALSE(option->IsSelected());
    EXPECT_FALSE(frame->Recorder()->IsPreviewOpen());
}
