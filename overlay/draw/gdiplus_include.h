// GDI+ for the drawing board: it wants min/max, which NOMINMAX keeps out of
// windows.h.
#pragma once

#include <windows.h>

#include <objidl.h>

#include <algorithm>
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>
