// Decoding PNG, JPEG and BMP bytes into premultiplied 32-bit DIB sections (GDI+).
#pragma once

#include <cstddef>

#include "ui/base/ui_defs.h"

namespace DuiLib {

// Starts GDI+ once for the library (reference counted by GDI+ itself).
bool EnsureGdiplus();
void ShutdownGdiplus();

// A new image record (caller owns; free with CRenderEngine::FreeImage), or null
// when the bytes are not an image GDI+ can read.
TImageInfo* DecodeImage(const void* data, size_t size);

// A 32-bit top-down DIB section; *bits receives its pixels when bits is given.
HBITMAP CreateDib32(int cx, int cy, BYTE** bits);

}  // namespace DuiLib
