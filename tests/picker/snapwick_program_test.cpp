// Snapwick.exe as a process, answering a stand-in recorder window of the
// recorder's class: a drag returns the dragged rectangle made even, a click
// over a window returns that window's rectangle, the right button and Alt+Esc
// send a cancel (16 bytes, no rectangle), Esc alone does nothing, and the
// picker ends after every reply.
#include <gtest/gtest.h>

#include <string>

#include "picker/snapwick_wnd.h"
#include "picker/window_snap.h"
#include "tests/picker/picker_test_support.h"
#include "tests/ui/ui_test_support.h"

namespace {

struct Reply {
    bool seen = false;
    ULONG_PTR tag = 1;  // dwData
    DWORD bytes = 0;
    bool hasData = false;
    RECT area = {};
};
Reply g_reply;

LRESULT CALLBACK RecorderProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_COPYDATA) {
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        g_reply.seen = true;
        g_reply.tag = data->dwData;
        g_reply.bytes = data->cbData;
        g_reply.hasData = data->lpData != nullptr;
        if (data->lpData && data->cbData == sizeof(RECT)) memcpy(&g_reply.area, data->lpData, sizeof(RECT));
        return TRUE;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

std::wstring Folder() {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    return folder.substr(0, folder.rfind(L'\\') + 1);
}

class SnapwickProgram : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = RecorderProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = kRecorderWindowClass;
        RegisterClassW(&wc);
        // Hidden: the recorder's window is minimised while a pick is under way.
        recorder = CreateWindowExW(0, kRecorderWindowClass, L"recorder", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
    }
    static void TearDownTestSuite() { DestroyWindow(recorder); }

    // Starts the picker and waits for its window.
    HWND Start() {
        g_reply = Reply();
        std::wstring exe = Folder() + L"Snapwick.exe";
        STARTUPINFOW si = {sizeof(si)};
        if (!CreateProcessW(exe.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, Folder().c_str(), &si, &process))
            return nullptr;
        CloseHandle(process.hThread);
        return WaitForPicker();
    }
    // The reply arrived and the picker ended.
    bool Answered() {
        const bool replied = ui_test::PumpUntil([] { return g_reply.seen; }, 10000);
        const bool ended = WaitForSingleObject(process.hProcess, 10000) == WAIT_OBJECT_0;
        CloseHandle(process.hProcess);
        return replied && ended;
    }

    static HWND recorder;
    PROCESS_INFORMATION process = {};
};
HWND SnapwickProgram::recorder = nullptr;

std::string Text(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

}  // namespace

TEST_F(SnapwickProgram, ADragFromBottomRightToTopLeftReturnsTheRectangleMadeEven) {
    ASSERT_NE(Start(), nullptr);
    MouseAt({300, 200});
    MouseAt({300, 200}, MOUSEEVENTF_LEFTDOWN);
    MouseAt({200, 150});
    MouseAt({101, 151});
    MouseAt({101, 151}, MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(Answered());
    EXPECT_EQ(g_reply.bytes, 16u);
    const RECT expected = {101, 151, 301, 201};  // 199 x 49 grown to 200 x 50
    EXPECT_TRUE(EqualRect(&g_reply.area, &expected)) << Text(g_reply.area);
}

TEST_F(SnapwickProgram, AClickOverAWindowReturnsItsRectangleMadeEven) {
    HWND target = OpenSolidWindow({200, 150, 1001, 451});  // 801 x 301
    ASSERT_NE(Start(), nullptr);
    MouseAt({700, 300});
    MouseAt({702, 301});
    MouseAt({702, 301}, MOUSEEVENTF_LEFTDOWN);
    MouseAt({702, 301}, MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(Answered());
    const RECT expected = {200, 150, 1002, 452};
    EXPECT_TRUE(EqualRect(&g_reply.area, &expected)) << Text(g_reply.area);
    DestroyWindow(target);
}

// After a hover (the picker disables itself while it looks for the window under
// the cursor) the keys come from real key presses, as the user's would.
TEST_F(SnapwickProgram, TheRightButtonAndAltEscCancelWithoutARectangle) {
    const struct {
        const char* what;
        void (*cancel)();
    } cases[] = {
        {"the right button",
         [] {
             MouseAt({420, 310}, MOUSEEVENTF_RIGHTDOWN);
             MouseAt({420, 310}, MOUSEEVENTF_RIGHTUP);
         }},
        {"Alt+Esc",
         [] {
             PressKeys({VK_MENU, VK_ESCAPE});
         }},
    };
    for (const auto& c : cases) {
        ASSERT_NE(Start(), nullptr) << c.what;
        MouseAt({400, 300});
        MouseAt({420, 310});
        c.cancel();
        ASSERT_TRUE(Answered()) << c.what;
        EXPECT_FALSE(g_reply.hasData) << c.what;  // Wine hands a null block over with its size as 0
    }
}

// What the reply carries, sent in this process so that it arrives as it left.
TEST_F(SnapwickProgram, TheReplyIs16BytesWithTheRectangleOrANullPointer) {
    const RECT area = {10, 20, 410, 320};
    const struct {
        const char* what;
        const RECT* area;
    } cases[] = {{"a pick", &area}, {"a cancel", nullptr}};
    for (const auto& c : cases) {
        g_reply = Reply();
        SendAreaResult(c.area);
        ASSERT_TRUE(g_reply.seen) << c.what;
        EXPECT_EQ(g_reply.tag, 0u) << c.what;
        EXPECT_EQ(g_reply.bytes, 16u) << c.what;
        EXPECT_EQ(g_reply.hasData, c.area != nullptr) << c.what;
        if (c.area) EXPECT_TRUE(EqualRect(&g_reply.area, c.area)) << Text(g_reply.area);
    }
}

// Esc alone is not a cancel: the drag after it still answers with its area.
TEST_F(SnapwickProgram, EscAloneDoesNothingAfterTheMouseMoved) {
    ASSERT_NE(Start(), nullptr);
    MouseAt({400, 300});
    MouseAt({420, 310});
    PressKeys({VK_ESCAPE});
    MouseAt({100, 100}, MOUSEEVENTF_LEFTDOWN);
    MouseAt({200, 150});
    MouseAt({300, 200});
    MouseAt({300, 200}, MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(Answered());
    ASSERT_TRUE(g_reply.hasData) << "Esc cancelled the pick";
    const RECT expected = {100, 100, 300, 200};
    EXPECT_TRUE(EqualRect(&g_reply.area, &expected)) << Text(g_reply.area);
}
