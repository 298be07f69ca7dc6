// Recordings that the program did not end itself (it was killed, the power went):
// at the next start they are finished and added to the list before it loads.
#include "app/vistrel_frame.h"
#include "common/logger.h"
#include "common/setting_data.h"
#include "common/text_convert.h"
#include "engine/recording_finish.h"
#include "engine/writer_output_names.h"

// UI thread, in InitWindow.
void CVistrelFrame::FinishUnfinishedRecordings() {
    const std::wstring folder = CSettingData::GetInstance()->GetSettings().path;
    if (folder.empty()) return;
    for (const std::wstring& path : ::FinishUnfinishedRecordings(folder))
        if (!AppendVideoList(path))
            LogBoth("CVistrelFrame::FinishUnfinishedRecordings", "[file]%s finished but not listed error",
                    WideToUtf8(path).c_str());
}
