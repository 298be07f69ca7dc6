#include "engine/writer_record_name.h"

#include <cstdio>
#include <cstring>
#include <cwchar>

#include "common/logger.h"
#include "common/record_globals.h"
#include "common/text_convert.h"

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
    } else if (_wcsicmp(settings.VFormat.c_str(), L"FLV") == 0) {
        ext = L".flv";
        name.audioCodec = AV_CODEC_ID_MP3;
    } else {
        if (_wcsicmp(settings.VFormat.c_str(), L"MP4") != 0)
            LogBoth("MakeRecordName", "[VFormat]%s is no container: MP4 is used", WideToUtf8(settings.VFormat).c_str());
        ext = L".mp4";
        name.audioCodec = AV_CODEC_ID_AAC;
    }
    if (settings.Division) name.path += L" Part ";
    name.path += ext;
    return name;
}
