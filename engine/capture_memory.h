// How the memory that carries captured pictures is kept between pictures.
#pragma once

// FFmpeg's DirectShow input copies every picture into a block of its own (8 MB at
// 1920x1080), freed once the picture is encoded. Its allocator keeps such blocks
// committed while they are reused, instead of giving them back to the system after
// 25 ms and touching fresh pages for the next picture. Called by any thread, before
// a capture opens; once is enough.
void KeepPictureBlocksCommitted();
