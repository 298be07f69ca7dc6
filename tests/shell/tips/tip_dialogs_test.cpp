// The tip dialogs from the real skin: the close code of each button, the
// delete dialog's box and tip line, the notice's layout.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "shell/tips/del_video_file_tip_dlg.h"
#include "shell/tips/game_record_tip_dlg.h"
#include "shell/tips/msg_tip_dlg.h"
#include "shell/tips/tip_box_dlg.h"
#include "tests/ui/ui_test_support.h"

using namespace DuiLib;
using namespace ui_test;

namespace {

POINT CenterOf(CControlUI* control) {
    RECT rc = control->GetPos();
    return POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}

// Queues a click on the named control; the dialog's modal loop delivers it.
void QueueClick(CTipDialog& dialog, LPCTSTR name) {
    dialog.GetPaintManager()->UpdateLayout();
    CControlUI* control = dialog.FindControl(name);
    ASSERT_NE(control, nullptr) << Narrow(name);
    POINT pt = CenterOf(control);
    HWND hwnd = dialog.GetHWND();
    PostMessageW(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));
    PostMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    PostMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
}

bool OpenDialog(CTipDialog& dialog, LPCTSTR name) {
    EnsureTestSkin();
    return dialog.Create(nullptr, name, WS_POPUP | WS_VISIBLE, WS_EX_TOOLWINDOW | WS_EX_TOPMOST) != nullptr;
}

struct CloseCase {
    const char* dialog;
    const wchar_t* button;
    int code;
};

std::unique_ptr<CTipDialog> MakeDialog(const std::string& kind) {
    if (kind == "DelVideoFileTipDlg") return std::make_unique<DelVideoFileTipDlg>();
    if (kind == "GameRecordTipDlg") return std::make_unique<GameRecordTipDlg>();
    if (kind == "MsgTipDlg") return std::make_unique<MsgTipDlg>();
    return std::make_unique<CTipBoxDlg>();
}

}  // namespace

TEST(TipDialogs, EachButtonClosesWithItsCode) {
    const CloseCase cases[] = {
        {"DelVideoFileTipDlg", L"closebtn", 0}, {"GameRecordTipDlg", L"closebtn", 0},
        {"GameRecordTipDlg", L"btn_ok", 1},     {"GameRecordTipDlg", L"btn_cancel", 0},
        {"MsgTipDlg", L"closebtn", 0},          {"CTipBoxDlg", L"closebtn", 1},
        {"CTipBoxDlg", L"btn_ok", 1},
    };  // the delete dialog's OK and cancel and the notice's "好的" are below
    for (const CloseCase& c : cases) {
        SCOPED_TRACE(std::string(c.dialog) + " " + Narrow(c.button));
        std::unique_ptr<CTipDialog> dialog = MakeDialog(c.dialog);
        ASSERT_TRUE(OpenDialog(*dialog, L"tip"));
        QueueClick(*dialog, c.button);
        EXPECT_EQ(dialog->DoModal(nullptr), c.code);
        EXPECT_EQ(dialog->GetHWND(), nullptr) << "the dialog is gone after its modal loop";
    }
}

TEST(TipDialogs, DeleteConfirmationReportsTheDiskBoxAndShowsOnlyTheFirstTipLine) {
    for (bool tick : {false, true}) {
        SCOPED_TRACE(tick ? "ticked" : "not ticked");
        DelVideoFileTipDlg dialog;
        dialog.AddTipLine(L"20250111_101005.mp4");
        dialog.AddTipLine(L"20250111_101006.mp4");
        ASSERT_TRUE(OpenDialog(dialog, L"DelVideoFileTipWnd"));
        auto* tip = static_cast<CLabelUI*>(dialog.FindControl(L"tip_text"));
        ASSERT_NE(tip, nullptr);
        EXPECT_TRUE(tip->IsVisible());
        EXPECT_EQ(tip->GetText(), CDuiString(L"20250111_101005.mp4"));
        if (tick) QueueClick(dialog, L"show_del");
        QueueClick(dialog, L"btn_ok");
        EXPECT_EQ(dialog.DoModal(nullptr), 1);
        EXPECT_EQ(dialog.DeleteFromDisk(), tick);
    }
}

TEST(TipDialogs, DeleteConfirmationWithoutTipLinesKeepsTheLineHidden) {
    DelVideoFileTipDlg dialog;
    ASSERT_TRUE(OpenDialog(dialog, L"DelVideoFileTipWnd"));
    EXPECT_FALSE(dialog.FindControl(L"tip_text")->IsVisible());
    QueueClick(dialog, L"show_del");
    QueueClick(dialog, L"btn_cancel");
    EXPECT_EQ(dialog.DoModal(nullptr), 0);
    EXPECT_FALSE(dialog.DeleteFromDisk()) << "a cancelled dialog deletes nothing";
}

TEST(TipDialogs, NoticeShowsItsTextBesideTheSignAndGrowsWithIt) {
    const std::wstring shortText = L"录制前请选择一种录制模式";
    const std::wstring longText = L"录制前请选择一种录制模式，然后再按开始录制按钮，或者使用快捷键开始";
    int widths[2] = {};
    for (int i = 0; i < 2; ++i) {
        MsgTipDlg dialog;
        dialog.SetTipType(0);
        dialog.SetTipText(i == 0 ? shortText : longText);
        ASSERT_TRUE(OpenDialog(dialog, L"MsgTipWnd"));
        auto* text = static_cast<CLabelUI*>(dialog.FindControl(L"tip_text"));
        EXPECT_EQ(text->GetText().Str(), i == 0 ? shortText : longText);
        widths[i] = text->GetFixedWidth();
        for (LPCTSTR shown : {L"confirm_tip", L"good"})
            EXPECT_TRUE(dialog.FindControl(shown)->IsVisible()) << Narrow(shown);
        for (LPCTSTR hidden : {L"exit_confirm", L"ok_cancel", L"show_delete"})
            EXPECT_FALSE(dialog.FindControl(hidden)->IsVisible()) << Narrow(hidden);
        EXPECT_STREQ(dialog.FindControl(L"tip_logo")->GetBkImage(), L"common/tanhao.png");
        EXPECT_EQ(dialog.FindControl(L"title")->GetText(), CDuiString(L"提示"));
        QueueClick(dialog, L"btn_good");
        EXPECT_EQ(dialog.DoModal(nullptr), 1);
    }
    EXPECT_GT(widths[0], 100);
    EXPECT_LT(widths[0], 300) << "a short text narrows the label";
    EXPECT_GT(widths[1], widths[0] + 150) << "a long text widens it";
}
