// The AAC / MP3 encoder of the file writer.
#pragma once

#include <cstdint>
#include <string>

#include "engine/ffmpeg_api.h"

constexpr int32_t kDefaultAudioBitrate = 128;  // kbit/s, the ABitrate setting's default
constexpr int32_t kLowestAudioBitrate = 8;
constexpr int32_t kHighestAudioBitrate = 320;  // the most MP3 has
// The ABitrate setting in kbit/s times 1024 ("128" -> 131072); a text that is no
// number from 8 to 320 gives the default, with a log line.
int64_t ParseAudioBitrate(const std::wstring& text);

// Opens the sound encoder with the default layout for `channels`, time base
// 1/sampleRate and the given bit rate; MP3 takes the third of its sample formats
// (the last one when it offers fewer), other codecs the first. false when any of the
// three numbers is not positive, there is no encoder, or it does not open.
bool acoHandle(AVFormatContext* oc, AVCodecContext** ctx, const AVCodec** codec, AVCodecID codecId, int channels,
               int sampleRate, int64_t bitRate);
