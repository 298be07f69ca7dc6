// AM_MEDIA_TYPE handling: the type records DirectShow hands around own their
// format block (CoTaskMemAlloc), and the caller of EnumMediaTypes / GetFormat /
// GetStreamCaps frees both the record and the block.
#pragma once

#include "devices/dshow/dshow_api.h"

// Frees the format block and the held IUnknown, leaving the record empty.
void ClearMediaType(AM_MEDIA_TYPE& type);
// ClearMediaType, then CoTaskMemFree of the record itself.
void DeleteMediaType(AM_MEDIA_TYPE* type);
// Deep copy into dst (which must be empty); false when memory runs out.
bool CopyMediaType(AM_MEDIA_TYPE& dst, const AM_MEDIA_TYPE& src);
// A CoTaskMemAlloc'ed deep copy, or null.
AM_MEDIA_TYPE* CreateMediaTypeCopy(const AM_MEDIA_TYPE& src);
// Same major type, subtype, format type and format block.
bool SameMediaType(const AM_MEDIA_TYPE& a, const AM_MEDIA_TYPE& b);
// Whether `full` fits a partly given type: GUID_NULL fields match anything.
bool MatchesPartialType(const AM_MEDIA_TYPE& full, const AM_MEDIA_TYPE& partial);

// Uncompressed bottom-up 32-bit RGB frames of width x height every `interval`.
bool MakeRgb32VideoType(int width, int height, REFERENCE_TIME interval, AM_MEDIA_TYPE& type);
void FillRgb32VideoCaps(int width, int height, REFERENCE_TIME interval, VIDEO_STREAM_CONFIG_CAPS& caps);
// The VIDEOINFOHEADER of a video type, or null when it has none.
const VIDEOINFOHEADER* VideoInfoOf(const AM_MEDIA_TYPE& type);

// Interleaved 16-bit integer PCM.
bool MakePcm16AudioType(int rate, int channels, AM_MEDIA_TYPE& type);
void FillPcm16AudioCaps(int rate, int channels, AUDIO_STREAM_CONFIG_CAPS& caps);
// The WAVEFORMATEX of an audio type, or null when it has none.
const WAVEFORMATEX* WaveFormatOf(const AM_MEDIA_TYPE& type);
