// Recordings that the program did not end itself (it was killed, the power went):
// at the next start those in the output folder are found, then finished and listed
// on a worker while the window is already in use.
#include "app/vistrel_frame.h"
#include "common/logger.h"
#include "common/setting_data.h"
#include "common/text_convert.h"
#include "engine/recording_finish.h"
#include "engine/recording_finisher.h"
#include "engine/writer_output_names.h"

namespace {

// On the worker: one recording finished in place and, when it plays, listed.
FinishedFile RecoverAndList(const ClosedFile& file) {
    FinishedFile finished = RecoverRecording(file.path);
    if (!finished.plays) return finished;
    finished.listed = AppendVideoList(file.path);
    finished.listWriteFailed = !finished.listed;
    if (!finished.listed)
        LogBoth("CVistrelFrame::FinishUnfinishedRecordings", "[file]%s finished but not listed error",
                WideToUtf8(file.path).c_str());
    return finished;
}

}  // namespace

// UI thread, in InitWindow. The markers are found here, before any recording can
// start and carry a marker of its own; the files are tried on the worker.
void CVistrelFrame::FinishUnfinishedRecordings() {
    const std::wstring folder = CSettingData::GetInstance()->GetSettings().path;
    if (folder.empty()) return;
    const std::vector<std::wstring> found = FindUnfinishedRecordings(folder);
    if (found.empty()) return;
    m_recovery = std::make_unique<CRecordingFinisher>(
        [this](const FinishedFile& file, bool last) { PostFinishedRecording(nullptr, file, last); }, RecoverAndList);
    for (const std::wstring& path : found) {
        ClosedFile file;
        file.path = path;
        m_recovery->Add(file);
    }
}
