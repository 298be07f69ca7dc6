// Streams and contexts of an output container.
#pragma once

#include "engine/ffmpeg_api.h"

// Adds a stream for an opened encoder with time base 1/timebase and the encoder's
// parameters. false when no stream could be added.
bool cnStream(AVFormatContext* oc, AVStream** stream, const AVCodecContext* ctx, int timebase);
// Closes the context's file, if any, and frees the context.
void oCtRele(AVFormatContext** oc);
