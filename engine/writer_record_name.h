// The name of a new recording: <output folder>\yyyymmdd_hhmmss with the extension of
// the container, and the sound codec that goes with it.
#pragma once

#include <windows.h>

#include <string>

#include "common/setting_data.h"
#include "engine/ffmpeg_api.h"

struct RecordName {
    std::wstring path;
    AVCodecID audioCodec = AV_CODEC_ID_NONE;
};

// Sound-only mode gives ".mp3" (MP3); otherwise VFormat "FLV" gives ".flv" (MP3)
// and anything else ".mp4" (AAC), the format read without regard to case (a value
// that is neither is logged). With Division on, " Part " ends the stem: the
// writer puts each part's number after it.
RecordName MakeRecordName(const SettingRecord& settings, int32_t selMode, const SYSTEMTIME& now);
