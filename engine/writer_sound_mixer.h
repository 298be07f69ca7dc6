// Mixing two packed 16-bit sound frames into one.
#pragma once

#include <cstdint>

// out[i] = sources[0][i] + sources[1][i] for every 16-bit sample in `bytes` bytes,
// `step` bytes apart. A sum that would clip is limited and sets a gain that keeps it
// in range; the gain then recovers towards 1 by a 32nd of the gap per sample. The
// gain starts at 1 on every call.
void mix_audio_s16(const uint8_t* const sources[2], uint8_t* out, int step, int bytes);
