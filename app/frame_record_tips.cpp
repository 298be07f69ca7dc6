// The tips that tell the user why a recording did not start, why it ended by
// itself, and that it could not be listed.
#include "app/record_tip_texts.h"
#include "app/vistrel_frame.h"
#include "common/logger.h"
#include "common/text_convert.h"
#include "engine/vistreler.h"
#include "shell/tips/msg_tip_dlg.h"

namespace {
constexpr char kTips[] = "CVistrelFrame::ShowRecordTip";
}  // namespace

// UI thread. A notice over the main window, shown modally.
void CVistrelFrame::ShowRecordTip(const wchar_t* text, const wchar_t* windowName) {
    LogBoth(kTips, "[tip]%s", WideToUtf8(text).c_str());
    MsgTipDlg tip;
    tip.SetTipType(0);
    tip.SetTipText(text);
    if (!tip.Create(m_hWnd, windowName, WS_POPUP, WS_EX_TOOLWINDOW | WS_EX_TOPMOST)) {
        LogBoth(kTips, "%s could not be created error", WideToUtf8(windowName).c_str());
        return;
    }
    tip.DoModal(m_hWnd);
}

// UI thread, after the recorder's init failed for a cause other than the sound
// device of the tip box.
void CVistrelFrame::ShowStartFailureTip() {
    const bool file = m_vistreler->StartFailure() == RecordStartFailure::kOutputFile;
    const wchar_t* text =
        file ? record_tips::StartFileTip(m_vistreler->Writer()->OpenFailure()) : record_tips::kDeviceOpenFailed;
    ShowRecordTip(text, L"RecordStartErrorDialog");
}

// UI thread, at each progress tick: a lost picture is told; a file that takes no
// more ends the recording as an automatic stop would (what was written is finished
// and listed when it plays), and the user is told why.
void CVistrelFrame::CheckWriteFailure() {
    if (!m_vistreler || g_recordeState == _StopState) return;
    // A screen that changed its size goes on without its picture: told once.
    if (!m_bPictureTipShown && m_vistreler->Writer()->PictureSizeChanged()) {
        m_bPictureTipShown = true;
        ShowRecordTip(record_tips::kPictureSizeChanged, L"RecordTipDialog");
    }
    const WriteFailure failure = m_vistreler->Writer()->WriteFailed();
    if (failure == WriteFailure::kNone) return;
    LogBoth("CVistrelFrame::CheckWriteFailure", "[cause]%s the recording ends", WriteFailureText(failure));
    onStopRecord();
}

// UI thread, after a file was finished that "videolist.txt" did not take: told
// once; the recording stays in the list shown and in the output folder.
void CVistrelFrame::ReportListWriteFailure() {
    if (m_bListTipShown) return;
    m_bListTipShown = true;
    LogBoth("CVistrelFrame::ReportListWriteFailure", "videolist.txt cannot be written: the recording is kept error");
    ShowRecordTip(record_tips::kListNotWritable, L"RecordTipDialog");
}

// UI thread: at a split the part just closed took no more or the next part could
// not be made; the parts written are kept and the stop tells the user why.
void CVistrelFrame::EndForUnwritablePart() { onStopRecord(); }
