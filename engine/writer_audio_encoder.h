// The AAC / MP3 encoder of the file writer.
#pragma once

#include <cstdint>
#include <string>

#include "engine/ffmpeg_api.h"

// The ABitrate setting in kbit/s times 1024 ("128" -> 131072); 0 when the text is no number.
int64_t ParseAudioBitrate(const std::wstring& text);

// Opens the sound encoder with the default layout for `channels`, time base
// 1/sampleRate and the given bit rate; MP3 takes the third of its sample formats
// (the last one when it offers fewer), other codecs the first. false when any of the
// three numbers is not positive, there is no encoder, or it does not open.
bool acoHandle(AVFormatContext* oc, AVCodecContext** ctx, const AVCodec** codec, AVCodecID codecId, int channels,
               int sampleRate, int64_t bitRate);
