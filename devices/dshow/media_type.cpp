#include "devices/dshow/media_type.h"

#include <cstring>

void ClearMediaType(AM_MEDIA_TYPE& type) {
    if (type.pbFormat) CoTaskMemFree(type.pbFormat);
    if (type.pUnk) type.pUnk->Release();
    type.pbFormat = nullptr;
    type.pUnk = nullptr;
    type.cbFormat = 0;
}

void DeleteMediaType(AM_MEDIA_TYPE* type) {
    if (!type) return;
    ClearMediaType(*type);
    CoTaskMemFree(type);
}

bool CopyMediaType(AM_MEDIA_TYPE& dst, const AM_MEDIA_TYPE& src) {
    dst = src;
    dst.pbFormat = nullptr;
    dst.cbFormat = 0;
    if (src.cbFormat && src.pbFormat) {
        dst.pbFormat = static_cast<BYTE*>(CoTaskMemAlloc(src.cbFormat));
        if (!dst.pbFormat) {
            dst.pUnk = nullptr;
            return false;
        }
        memcpy(dst.pbFormat, src.pbFormat, src.cbFormat);
        dst.cbFormat = src.cbFormat;
    }
    if (dst.pUnk) dst.pUnk->AddRef();
    return true;
}

AM_MEDIA_TYPE* CreateMediaTypeCopy(const AM_MEDIA_TYPE& src) {
    auto* type = static_cast<AM_MEDIA_TYPE*>(CoTaskMemAlloc(sizeof(AM_MEDIA_TYPE)));
    if (!type) return nullptr;
    if (!CopyMediaType(*type, src)) {
        CoTaskMemFree(type);
        return nullptr;
    }
    return type;
}

bool SameMediaType(const AM_MEDIA_TYPE& a, const AM_MEDIA_TYPE& b) {
    return IsEqualGUID(a.majortype, b.majortype) && IsEqualGUID(a.subtype, b.subtype) &&
           IsEqualGUID(a.formattype, b.formattype) && a.cbFormat == b.cbFormat &&
           (a.cbFormat == 0 || memcmp(a.pbFormat, b.pbFormat, a.cbFormat) == 0);
}

bool MatchesPartialType(const AM_MEDIA_TYPE& full, const AM_MEDIA_TYPE& partial) {
    auto fits = [](const GUID& have, const GUID& want) {
        return IsEqualGUID(want, GUID_NULL) || IsEqualGUID(have, want);
    };
    if (!fits(full.majortype, partial.majortype) || !fits(full.subtype, partial.subtype)) return false;
    if (IsEqualGUID(partial.formattype, GUID_NULL)) return true;
    return IsEqualGUID(full.formattype, partial.formattype) && (partial.cbFormat == 0 || SameMediaType(full, partial));
}

// A zeroed format block of `size` bytes attached to a fresh type record.
static BYTE* AllocFormat(AM_MEDIA_TYPE& type, ULONG size) {
    memset(&type, 0, sizeof type);
    type.pbFormat = static_cast<BYTE*>(CoTaskMemAlloc(size));
    if (!type.pbFormat) return nullptr;
    memset(type.pbFormat, 0, size);
    type.cbFormat = size;
    return type.pbFormat;
}

static LONG Rgb32ImageSize(int width, int height) { return LONG(width) * height * 4; }

bool MakeRgb32VideoType(int width, int height, REFERENCE_TIME interval, AM_MEDIA_TYPE& type) {
    auto* info = reinterpret_cast<VIDEOINFOHEADER*>(AllocFormat(type, sizeof(VIDEOINFOHEADER)));
    if (!info) return false;
    type.majortype = MEDIATYPE_Video;
    type.subtype = MEDIASUBTYPE_RGB32;
    type.formattype = FORMAT_VideoInfo;
    type.bFixedSizeSamples = TRUE;
    type.bTemporalCompression = FALSE;
    type.lSampleSize = ULONG(Rgb32ImageSize(width, height));
    info->AvgTimePerFrame = interval;
    info->dwBitRate = DWORD(double(type.lSampleSize) * 8 * 10000000.0 / double(interval));
    BITMAPINFOHEADER& bmi = info->bmiHeader;
    bmi.biSize = sizeof(BITMAPINFOHEADER);
    bmi.biWidth = width;
    bmi.biHeight = height;  // positive: bottom-up rows, as GDI lays them out
    bmi.biPlanes = 1;
    bmi.biBitCount = 32;
    bmi.biCompression = BI_RGB;
    bmi.biSizeImage = DWORD(type.lSampleSize);
    return true;
}

void FillRgb32VideoCaps(int width, int height, REFERENCE_TIME interval, VIDEO_STREAM_CONFIG_CAPS& caps) {
    memset(&caps, 0, sizeof caps);
    caps.guid = FORMAT_VideoInfo;
    caps.InputSize = caps.MinCroppingSize = caps.MaxCroppingSize = {width, height};
    caps.MinOutputSize = caps.MaxOutputSize = {width, height};
    caps.CropGranularityX = caps.CropGranularityY = 1;
    caps.OutputGranularityX = caps.OutputGranularityY = 1;
    caps.MinFrameInterval = caps.MaxFrameInterval = interval;
    LONG bits = LONG(double(Rgb32ImageSize(width, height)) * 8 * 10000000.0 / double(interval));
    caps.MinBitsPerSecond = caps.MaxBitsPerSecond = bits;
}

const VIDEOINFOHEADER* VideoInfoOf(const AM_MEDIA_TYPE& type) {
    if (!IsEqualGUID(type.formattype, FORMAT_VideoInfo) || !type.pbFormat || type.cbFormat < sizeof(VIDEOINFOHEADER))
        return nullptr;
    return reinterpret_cast<const VIDEOINFOHEADER*>(type.pbFormat);
}

bool MakePcm16AudioType(int rate, int channels, AM_MEDIA_TYPE& type) {
    auto* wave = reinterpret_cast<WAVEFORMATEX*>(AllocFormat(type, sizeof(WAVEFORMATEX)));
    if (!wave) return false;
    wave->wFormatTag = WAVE_FORMAT_PCM;
    wave->nChannels = WORD(channels);
    wave->nSamplesPerSec = DWORD(rate);
    wave->wBitsPerSample = 16;
    wave->nBlockAlign = WORD(channels * 2);
    wave->nAvgBytesPerSec = DWORD(rate) * wave->nBlockAlign;
    wave->cbSize = 0;
    type.majortype = MEDIATYPE_Audio;
    type.subtype = MEDIASUBTYPE_PCM;
    type.formattype = FORMAT_WaveFormatEx;
    type.bFixedSizeSamples = TRUE;
    type.bTemporalCompression = FALSE;
    type.lSampleSize = wave->nBlockAlign;
    return true;
}

void FillPcm16AudioCaps(int rate, int channels, AUDIO_STREAM_CONFIG_CAPS& caps) {
    memset(&caps, 0, sizeof caps);
    caps.guid = MEDIATYPE_Audio;
    caps.MinimumChannels = caps.MaximumChannels = ULONG(channels);
    caps.ChannelsGranularity = 1;
    caps.MinimumBitsPerSample = caps.MaximumBitsPerSample = 16;
    caps.BitsPerSampleGranularity = 16;
    caps.MinimumSampleFrequency = caps.MaximumSampleFrequency = ULONG(rate);
    caps.SampleFrequencyGranularity = 1;
}

const WAVEFORMATEX* WaveFormatOf(const AM_MEDIA_TYPE& type) {
    if (!IsEqualGUID(type.formattype, FORMAT_WaveFormatEx) || !type.pbFormat || type.cbFormat < sizeof(WAVEFORMATEX))
        return nullptr;
    return reinterpret_cast<const WAVEFORMATEX*>(type.pbFormat);
}
