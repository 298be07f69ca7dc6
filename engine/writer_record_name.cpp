#include "engine/writer_record_name.h"

#include <cstdio>
#include <cstring>

#include "common/record_globals.h"

RecordName MakeRecordName(const SettingRecord& settings, int32_t selMode, const SYSTEMTIME& now) {
    char stamp[32];
    snprintf(stamp, sizeof stamp, "%4d%02d%02d_%02d%02d%02d", now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute,
             now.wSecond);
    RecordName name;
    name.path = settings.path + L"\\" + std::wstring(stamp, stamp + strlen(stamp));
    std::wstring ext;
    if (selMode == kSelModeSoundOnly) {
        ext = L".mp3";
        name.audioCodec = AV_CODEC_ID_MP3;
    } else if (settings.VFormat == L"MP4") {
        ext = L".mp4";
        name.audioCodec = AV_CODEC_ID_AAC;
    } else if (settings.VFormat == L"FLV") {
        ext = L".flv";
        name.audioCodec = AV_CODEC_ID_MP3;
    }
    if (settings.Division) name.path += L" Part ";
    name.path += ext;
    return name;
}
