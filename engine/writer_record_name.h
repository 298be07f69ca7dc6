// The name of a new recording: <output folder>\yyyymmdd_hhmmss with the extension of
// the container, and the sound codec that goes with it.
#pragma once

#include <windows.h>

#include <string>

#include "common/setting_data.h"
#include "engine/ffmpeg_api.h"

struct RecordName {
    std::wstring path;
    // AV_CODEC_ID_NONE when the format setting names no container: the writer's sound
    // codec is then left as it is (and the name has no extension).
    AVCodecID audioCodec = AV_CODEC_ID_NONE;
};

// Sound-only mode gives ".mp3" (MP3); otherwise VFormat "MP4" gives ".mp4" (AAC) and
// "FLV" ".flv" (MP3), compared case-sensitively. With Division on, " Part " ends the
// stem: the writer puts each part's number after it.
RecordName MakeRecordName(const SettingRecord& settings, int32_t selMode, const SYSTEMTIME& now);
