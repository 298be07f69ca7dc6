// The auto-stop dialog from the real skin: its defaults, the rows following the
// box, what OK reads back (also an empty size and a time typed into the time
// control) and cancel leaving the options as they were.
#include <gtest/gtest.h>

#include "settings/auto_stop/auto_stop_record_dlg.h"
#include "tests/ui/ui_test_support.h"

using namespace DuiLib;

namespace {

// Clicks the control's middle, or the given field (1 to 3) of the time control.
void QueueClick(AutoStopRecordDlg& dialog, LPCTSTR name, int field = 0) {
    dialog.GetPaintManager()->UpdateLayout();
    CControlUI* control = dialog.FindControl(name);
    ASSERT_NE(control, nullptr) << ui_test::Narrow(name);
    const RECT rc = control->GetPos();
    const int third = (rc.right - rc.left) / 3;
    const int x = field ? rc.left + third * (field - 1) + third / 2 : (rc.left + rc.right) / 2;
    const LPARAM pt = MAKELPARAM(x, (rc.top + rc.bottom) / 2);
    PostMessageW(dialog.GetHWND(), WM_MOUSEMOVE, 0, pt);
    PostMessageW(dialog.GetHWND(), WM_LBUTTONDOWN, MK_LBUTTON, pt);
    PostMessageW(dialog.GetHWND(), WM_LBUTTONUP, 0, pt);
}

// Digits as typed; '>' moves to the next field, '<' clears the selected one.
void QueueTyping(AutoStopRecordDlg& dialog, const char* keys) {
    for (const char* k = keys; *k; ++k) {
        const WPARAM key = *k == '>' ? VK_RIGHT : *k == '<' ? VK_BACK : static_cast<WPARAM>(*k);
        PostMessageW(dialog.GetHWND(), WM_KEYDOWN, key, 0);
        PostMessageW(dialog.GetHWND(), WM_KEYUP, key, 0);
    }
}

bool Open(AutoStopRecordDlg& dialog) {
    ui_test::EnsureTestSkin();
    return dialog.Create(nullptr, L"AutoStopRecordDialog", WS_POPUP | WS_VISIBLE, WS_EX_TOOLWINDOW) != nullptr;
}

bool Enabled(AutoStopRecordDlg& dialog, LPCTSTR name) { return dialog.FindControl(name)->IsEnabled(); }
bool Selected(AutoStopRecordDlg& dialog, LPCTSTR name) {
    return static_cast<COptionUI*>(dialog.FindControl(name)->GetInterface(L"Option"))->IsSelected();
}
std::wstring Text(AutoStopRecordDlg& dialog, LPCTSTR name) { return dialog.FindControl(name)->GetText().Str(); }

}  // namespace

TEST(AutoStopRecordDlg, DefaultsAndTheRowsFollowingTheBox) {
    AutoStopRecordDlg dialog;
    ASSERT_TRUE(Open(dialog));
    EXPECT_FALSE(Selected(dialog, L"auto_stop_record"));
    for (LPCTSTR row : {L"autotime", L"autosize", L"autocomplete"}) EXPECT_FALSE(Enabled(dialog, row));
    EXPECT_TRUE(Selected(dialog, L"divi_time"));
    EXPECT_FALSE(Selected(dialog, L"divi_size"));
    EXPECT_EQ(Text(dialog, L"time_ctrl"), L"00:10:00") << "600 seconds";
    EXPECT_EQ(Text(dialog, L"divi_size_edit"), L"10");
    auto* combo = static_cast<CComboUI*>(dialog.FindControl(L"complete_option")->GetInterface(L"Combo"));
    ASSERT_EQ(combo->GetCount(), 4);
    EXPECT_EQ(combo->GetText().Str(), L"不做任何操作");

    static_cast<CCheckBoxUI*>(dialog.FindControl(L"auto_stop_record")->GetInterface(L"CheckBox"))->SetCheck(true);
    for (LPCTSTR row : {L"autotime", L"autosize", L"autocomplete"}) EXPECT_TRUE(Enabled(dialog, row));
    dialog.FindControl(L"divi_size_edit")->SetText(L"25");
    static_cast<CCheckBoxUI*>(dialog.FindControl(L"auto_stop_record")->GetInterface(L"CheckBox"))->SetCheck(false);
    for (LPCTSTR row : {L"autotime", L"autosize", L"autocomplete"}) EXPECT_FALSE(Enabled(dialog, row));
    EXPECT_EQ(Text(dialog, L"divi_size_edit"), L"25") << "values kept";
    QueueClick(dialog, L"btn_cancel");
    EXPECT_FALSE(dialog.ShowDialog(nullptr, true));
}

TEST(AutoStopRecordDlg, OkReadsEveryControlBackAndCancelKeepsTheOptions) {
    const struct {
        const char* typed;  // into the time control, from its hour field
        const wchar_t* size;
        int seconds;
        int sizeMB;
    } cases[] = {{"01>02>03", L"", 3723, 0},
                 {"00>00>30", L"512", 30, 512},
                 {"", L"7x", 600, 7},
                 {"><", L"1", 0, 1},
                 {"23>59>59", L"3", 86399, 3}};
    for (const auto& c : cases) {
        AutoStopRecordDlg dialog;
        ASSERT_TRUE(Open(dialog));
        // Checked at once: a disabled combo takes no selection.
        static_cast<CCheckBoxUI*>(dialog.FindControl(L"auto_stop_record")->GetInterface(L"CheckBox"))->SetCheck(true);
        QueueClick(dialog, L"divi_size");
        if (*c.typed) QueueClick(dialog, L"time_ctrl", 1);
        QueueTyping(dialog, c.typed);
        dialog.FindControl(L"divi_size_edit")->SetText(c.size);
        static_cast<CComboUI*>(dialog.FindControl(L"complete_option")->GetInterface(L"Combo"))->SelectItem(3);
        QueueClick(dialog, L"btn_ok");
        ASSERT_TRUE(dialog.ShowDialog(nullptr, true));
        const AutoStopOptions& o = dialog.Options();
        EXPECT_TRUE(o.enabled);
        EXPECT_FALSE(o.byTime);
        EXPECT_TRUE(o.bySize);
        EXPECT_EQ(o.seconds, c.seconds) << c.typed;
        EXPECT_EQ(o.sizeMB, c.sizeMB);
        EXPECT_EQ(o.action, L"关机");
    }

    AutoStopOptions given;
    given.enabled = true;
    given.seconds = 90;
    given.action = L"睡眠";
    AutoStopRecordDlg dialog;
    dialog.SetOptions(given);
    ASSERT_TRUE(Open(dialog));
    EXPECT_EQ(Text(dialog, L"time_ctrl"), L"00:01:30");
    EXPECT_TRUE(Enabled(dialog, L"autotime"));
    QueueClick(dialog, L"auto_stop_record");
    QueueClick(dialog, L"closebtn");
    EXPECT_FALSE(dialog.ShowDialog(nullptr, false));
    EXPECT_TRUE(dialog.Options().enabled) << "closed: the options as they were";
    EXPECT_EQ(dialog.Options().action, L"睡眠");
}

TEST(AutoStopRecordDlg, TimeTextsAndNumbers) {
    EXPECT_EQ(TimeTextOfSeconds(600), L"00:10:00");
    EXPECT_EQ(TimeTextOfSeconds(3723), L"01:02:03");
    EXPECT_EQ(TimeTextOfSeconds(-5), L"00:00:00");
    EXPECT_EQ(TimeTextOfSeconds(INT32_MAX), L"23:59:59") << "no overflow into a short time";
    EXPECT_EQ(ParseLeadingNumber(L""), 0);
    EXPECT_EQ(ParseLeadingNumber(L"99999999999"), INT32_MAX);
}
