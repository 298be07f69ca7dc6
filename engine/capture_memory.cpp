// Allocator settings for the capture path (FFmpeg's libavutil allocates through mimalloc).
#include "engine/capture_memory.h"

#include <mimalloc.h>

namespace {

// Longer than the gap between two pictures at the slowest frame rate offered (1 fps),
// so a block freed after one picture is still committed when the next one comes;
// memory that stays unused this long (after a recording) goes back to the system.
constexpr long kDecommitDelayMs = 1500;

}  // namespace

void KeepPictureBlocksCommitted() { mi_option_set(mi_option_decommit_delay, kDecommitDelayMs); }
