// The window base: modal loops and the first real click after one, asynchronous
// close, window and control timers, placement helpers, size limits from the layout.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <thread>

#include "tests/ui/ui_test_support.h"

using namespace DuiLib;
using namespace ui_test;

namespace {

const wchar_t* kSmall =
    LR"(<Window size="200,120" mininfo="150,100" maxinfo="400,300"><VerticalLayout bkcolor="#FFFFFFFF">
  <Button name="ok" text="确定" height="30"/><Label name="timed" height="30"/></VerticalLayout></Window>)";

// A label that counts its own control timer's ticks.
class CTickingLabelUI : public CLabelUI {
public:
    int ticks = 0;
    void DoEvent(TEventUI& event) override {
        if (event.Type == UIEVENT_TIMER && event.wParam == 1) ++ticks;
        CLabelUI::DoEvent(event);
    }
};

const wchar_t* kTwoButtons =
    LR"(<Window size="300,200"><HorizontalLayout bkcolor="#FFFFFFFF">
  <Button name="open" text="设置" width="100"/><Button name="other" text="区域" width="100"/></HorizontalLayout></Window>)";

// Closes with 1 at a click on its "ok" button.
class OkDialog : public TestWindow {
public:
    OkDialog() : TestWindow(kSmall, L"UiOkDialog") {}

protected:
    void OnClick(TNotifyUI& msg) override {
        if (msg.pSender->GetName() == L"ok") Close(1);
    }
};

// Opens OkDialog modally from its "open" button, as a settings button does: the
// dialog's loop runs inside the button's click.
class DialogOpener : public TestWindow {
public:
    DialogOpener() : TestWindow(kTwoButtons, L"UiDialogOpener") {}
    UINT code = 0;

protected:
    void OnClick(TNotifyUI& msg) override {
        TestWindow::OnClick(msg);
        if (msg.pSender->GetName() != L"open") return;
        OkDialog dialog;
        if (!dialog.Create(m_hWnd, L"dialog", WS_POPUP | WS_VISIBLE, WS_EX_TOOLWINDOW)) return;
        dialog.CenterWindow();
        dialog.Pm().UpdateLayout();  // its button is where a click finds it before the first paint
        code = dialog.ShowModal();
    }
};

// A real click (SendInput) at a screen point; any thread.
void RealClick(POINT p) {
    INPUT input[3] = {};
    for (INPUT& i : input) i.type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    input[0].mi.dx = (p.x * 65536 + GetSystemMetrics(SM_CXSCREEN) - 1) / GetSystemMetrics(SM_CXSCREEN);
    input[0].mi.dy = (p.y * 65536 + GetSystemMetrics(SM_CYSCREEN) - 1) / GetSystemMetrics(SM_CYSCREEN);
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(1, &input[0], sizeof(INPUT));
    Sleep(80);  // a user's hand: the move, then the click
    SendInput(2, &input[1], sizeof(INPUT));
}

// Asks done() every 20 ms from a thread that pumps nothing (the test's hand)
// until it holds; false after timeoutMs.
bool PollUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeoutMs) return false;
        Sleep(20);
    }
    return true;
}

// The visible window of the class, waited for; null when none shows.
HWND AwaitShown(LPCWSTR className) {
    HWND found = nullptr;
    return PollUntil([&] { return (found = FindWindowW(className, nullptr)) != nullptr && IsWindowVisible(found); })
               ? found
               : nullptr;
}

// Whether the window of the class is hidden or gone, waited for.
bool AwaitGone(LPCWSTR className) {
    return PollUntil([&] {
        HWND found = FindWindowW(className, nullptr);
        return !found || !IsWindowVisible(found);
    });
}

// Whether a real click at the screen point p reaches hwnd, waited for: Windows'
// idea of the window under p (where SendInput's click goes) is hwnd or a child of
// it, and hwnd takes input.
bool AwaitClickable(HWND hwnd, POINT p) {
    return PollUntil([&] {
        HWND under = WindowFromPoint(p);
        return under && GetAncestor(under, GA_ROOT) == hwnd && IsWindowEnabled(hwnd);
    });
}

}  // namespace

TEST(Window, ModalDialogReturnsItsCloseCodeWhileTheOwnerKeepsTicking) {
    TestWindow owner(kSmall, L"UiOwner");
    ASSERT_TRUE(owner.Open(100, 100, 0));
    TestWindow dialog(kSmall, L"UiDialog");
    int ticks = 0, postedSeen = 0;
    bool ownerEnabledDuringModal = true, ownerEnabledAtDestroy = false;
    owner.onMessage = [&](UINT msg, WPARAM wParam, LPARAM, bool& handled) -> LRESULT {
        handled = false;
        if (msg == WM_TIMER && wParam == 7) {
            ownerEnabledDuringModal = ownerEnabledDuringModal && !IsWindowEnabled(owner.GetHWND());
            if (++ticks == 5) dialog.Close(42);
        }
        if (msg == WM_APP + 5) ++postedSeen;
        return 0;
    };
    dialog.onMessage = [&](UINT msg, WPARAM, LPARAM, bool& handled) -> LRESULT {
        handled = false;
        if (msg == WM_DESTROY) ownerEnabledAtDestroy = IsWindowEnabled(owner.GetHWND()) != FALSE;
        return 0;
    };
    ASSERT_NE(dialog.Create(owner.GetHWND(), L"dialog", WS_POPUP | WS_VISIBLE, WS_EX_TOOLWINDOW), nullptr);
    dialog.CenterWindow();
    SetTimer(owner.GetHWND(), 7, 10, nullptr);
    PostMessageW(owner.GetHWND(), WM_APP + 5, 0, 0);
    UINT code = dialog.ShowModal();
    KillTimer(owner.GetHWND(), 7);
    EXPECT_EQ(code, 42u);
    EXPECT_GE(ticks, 5);
    EXPECT_EQ(postedSeen, 1) << "posted messages of the owner flow during the modal loop";
    EXPECT_TRUE(ownerEnabledDuringModal) << "the owner is disabled while the dialog runs";
    EXPECT_TRUE(ownerEnabledAtDestroy) << "and enabled again before the dialog goes";
    EXPECT_TRUE(IsWindowEnabled(owner.GetHWND()));
    EXPECT_FALSE(IsWindow(dialog.GetHWND()));
}

// A dialog opened from its parking place waits there unseen when it is not
// centred, and otherwise stands centred over its owner; either way the loop
// returns its close code.
TEST(Window, ShowModalFromParksOrCentresOverTheOwner) {
    TestWindow owner(kSmall, L"UiOwner");
    ASSERT_TRUE(owner.Open(300, 200, 0));
    const RECT ownerRect = [&] {
        RECT rc = {};
        GetWindowRect(owner.GetHWND(), &rc);
        return rc;
    }();
    for (bool center : {false, true}) {
        TestWindow dialog(kSmall, L"UiParkedDialog");
        RECT during = {};
        dialog.onMessage = [&](UINT msg, WPARAM wParam, LPARAM, bool& handled) -> LRESULT {
            handled = false;
            if (msg == WM_TIMER && wParam == 9) {
                GetWindowRect(dialog.GetHWND(), &during);
                dialog.Close(7);
            }
            return 0;
        };
        ASSERT_NE(dialog.Create(owner.GetHWND(), L"dialog", WS_POPUP | WS_VISIBLE, WS_EX_TOOLWINDOW, 40, 40, 0, 0),
                  nullptr);
        SetTimer(dialog.GetHWND(), 9, 30, nullptr);
        EXPECT_EQ(dialog.ShowModalFrom({-200, -120}, center), 7u);
        if (!center) {
            EXPECT_EQ(during.left, -200);
            EXPECT_EQ(during.top, -120);
            EXPECT_EQ(during.right - during.left, 200) << "parked keeping its size";
        } else {
            EXPECT_NEAR((during.left + during.right) / 2, (ownerRect.left + ownerRect.right) / 2, 1);
            EXPECT_NEAR((during.top + during.bottom) / 2, (ownerRect.top + ownerRect.bottom) / 2, 1);
        }
    }
    EXPECT_TRUE(IsWindowEnabled(owner.GetHWND()));
}

// The user's hand from another thread: open the dialog, close it with its
// button, then at once click another button of the owner, which must act.
TEST(Window, TheFirstClickAfterAModalDialogClosedActs) {
    DialogOpener owner;
    ASSERT_TRUE(owner.Open(200, 150, 0));
    POINT open = owner.Center(L"open"), other = owner.Center(L"other");
    ClientToScreen(owner.GetHWND(), &open);
    ClientToScreen(owner.GetHWND(), &other);
    bool dialogShown = false, dialogPlaced = false, dialogGone = false;
    std::thread hand([&] {
        RealClick(open);
        HWND dialog = AwaitShown(L"UiOkDialog");
        // The dialog shows as it is made, before it is centred: its place is known
        // once its loop runs, which disables the owner.
        dialogShown = dialog != nullptr && PollUntil([&] { return !IsWindowEnabled(owner.GetHWND()); });
        if (!dialogShown) return;
        RECT rc = {};
        GetWindowRect(dialog, &rc);
        const POINT ok = {(rc.left + rc.right) / 2, rc.top + 15};  // its "ok" row
        dialogPlaced = AwaitClickable(dialog, ok);
        RealClick(ok);
        dialogGone = AwaitGone(L"UiOkDialog");
        if (!dialogGone) {  // the click on it was lost: end the loop, fail below
            PostMessageW(dialog, WM_CLOSE, 0, 0);
            return;
        }
        RealClick(other);
    });
    const auto clicked = [&] {
        return std::find(owner.log.begin(), owner.log.end(), "OnClick:other") != owner.log.end();
    };
    PumpUntil(clicked, 15000);
    hand.join();
    ASSERT_TRUE(dialogShown);
    EXPECT_TRUE(dialogPlaced) << "the dialog never stood under the point of its button";
    EXPECT_TRUE(dialogGone);
    EXPECT_EQ(owner.code, 1u);
    EXPECT_TRUE(clicked()) << "the first click after the dialog was lost";
    EXPECT_EQ(GetForegroundWindow(), owner.GetHWND()) << "the owner is the active window again";
}

TEST(Window, CloseIsAsynchronousAndAClosedDialogReturnsZeroFromAltF4) {
    TestWindow w(kSmall);
    ASSERT_TRUE(w.Open());
    w.Close(3);
    EXPECT_TRUE(IsWindow(w.GetHWND())) << "Close only posts";
    EXPECT_TRUE(PumpUntil([&] { return w.GetHWND() == nullptr; }));

    TestWindow dialog(kSmall, L"UiDialog2");
    ASSERT_NE(dialog.Create(nullptr, L"dialog", WS_POPUP | WS_VISIBLE, WS_EX_TOOLWINDOW), nullptr);
    PostMessageW(dialog.GetHWND(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(dialog.ShowModal(), 0u);
}

TEST(Window, ControlTimersNeverReachTheWindowsOwnTimerIds) {
    TestWindow w(LR"(<Window size="200,100"><VerticalLayout><Ticking name="tick"/></VerticalLayout></Window>)");
    w.makeControl = [](LPCTSTR tag) -> CControlUI* {
        return wcscmp(tag, L"Ticking") == 0 ? new CTickingLabelUI : nullptr;
    };
    std::set<WPARAM> windowTimerIds;
    w.onMessage = [&](UINT msg, WPARAM wParam, LPARAM, bool& handled) -> LRESULT {
        if (msg == WM_TIMER) windowTimerIds.insert(wParam);
        handled = false;
        return 0;
    };
    ASSERT_TRUE(w.Open());
    auto* label = w.Find<CTickingLabelUI>(L"tick");
    ASSERT_TRUE(w.Pm().SetTimer(label, 1, 10));
    SetTimer(w.GetHWND(), 1, 10, nullptr);
    EXPECT_TRUE(PumpUntil([&] { return label->ticks >= 3 && windowTimerIds.count(1); }));
    KillTimer(w.GetHWND(), 1);
    EXPECT_EQ(windowTimerIds, std::set<WPARAM>{1}) << "the window sees only its own timer";
    EXPECT_TRUE(w.Pm().KillTimer(label, 1));
    int after = label->ticks;
    Pump(60);
    EXPECT_EQ(label->ticks, after);
}

TEST(Window, ResizeClientCenterWindowAndSizeLimits) {
    TestWindow w(kSmall);
    ASSERT_TRUE(w.Open(10, 10, 0));
    w.ResizeClient(260, -1);
    RECT rc = {};
    GetClientRect(w.GetHWND(), &rc);
    EXPECT_EQ(rc.right, 260);
    EXPECT_EQ(rc.bottom, 120) << "-1 keeps the height";
    w.CenterWindow();
    GetWindowRect(w.GetHWND(), &rc);
    MONITORINFO mi = {sizeof(mi)};
    GetMonitorInfoW(MonitorFromWindow(w.GetHWND(), MONITOR_DEFAULTTONEAREST), &mi);
    EXPECT_NEAR((rc.left + rc.right) / 2, (mi.rcWork.left + mi.rcWork.right) / 2, 1);
    MINMAXINFO info = {};
    SendMessageW(w.GetHWND(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, 150);
    EXPECT_EQ(info.ptMaxTrackSize.y, 300);
}

TEST(Window, DeletingAWindowObjectDestroysItsWindow) {
    auto* w = new TestWindow(kSmall);
    ASSERT_TRUE(w->Open());
    HWND hwnd = w->GetHWND();
    delete w;
    EXPECT_FALSE(IsWindow(hwnd));
}

// Nested modal loops are counted, and closing them all ends the inner loop first,
// then the outer one, each with 0; the owner is enabled again.
TEST(Window, CloseModalWindowsEndsNestedLoopsInnermostFirst) {
    TestWindow owner(kSmall, L"UiOwner");
    ASSERT_TRUE(owner.Open(100, 100, 0));
    TestWindow outer(kSmall, L"UiOuterDialog");
    TestWindow inner(kSmall, L"UiInnerDialog");
    ASSERT_NE(outer.Create(owner.GetHWND(), L"outer", WS_POPUP | WS_VISIBLE, WS_EX_TOOLWINDOW), nullptr);
    int depthInside = 0;
    UINT innerCode = 99;
    bool innerEndedFirst = false;
    outer.onMessage = [&](UINT msg, WPARAM wParam, LPARAM, bool& handled) -> LRESULT {
        handled = false;
        if (msg == WM_APP + 6) {
            handled = true;
            if (!inner.Create(outer.GetHWND(), L"inner", WS_POPUP | WS_VISIBLE, WS_EX_TOOLWINDOW)) return 0;
            SetTimer(outer.GetHWND(), 8, 20, nullptr);
            innerCode = inner.ShowModal();
            innerEndedFirst = IsWindow(outer.GetHWND()) != FALSE;
        }
        if (msg == WM_TIMER && wParam == 8) {
            KillTimer(outer.GetHWND(), 8);
            depthInside = CWindowWnd::ModalDepth();
            CWindowWnd::CloseModalWindows();
        }
        return 0;
    };
    EXPECT_EQ(CWindowWnd::ModalDepth(), 0);
    PostMessageW(outer.GetHWND(), WM_APP + 6, 0, 0);
    const UINT outerCode = outer.ShowModal();
    EXPECT_EQ(depthInside, 2);
    EXPECT_EQ(innerCode, 0u);
    EXPECT_TRUE(innerEndedFirst) << "the outer dialog was still there when the inner loop ended";
    EXPECT_EQ(outerCode, 0u);
    EXPECT_EQ(CWindowWnd::ModalDepth(), 0);
    EXPECT_FALSE(IsWindow(outer.GetHWND()));
    EXPECT_TRUE(IsWindowEnabled(owner.GetHWND()));
    CWindowWnd::CloseModalWindows();  // none open: nothing happens
}
