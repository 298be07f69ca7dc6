// Parsing of attribute values: colours, rectangles, sizes, flags, and the
// attribute lists of Default/Style tags ('name="value" name2="value2"').
#pragma once

#include <windows.h>

#include <utility>
#include <vector>

#include "ui/base/dui_string.h"

namespace DuiLib {

// "#AARRGGBB", "AARRGGBB", "0xAARRGGBB"; six hex digits mean an opaque colour.
// Leading blanks and control characters are skipped.
DWORD ParseColor(LPCTSTR value);
// "l,t,r,b" (missing numbers are 0).
RECT ParseRect(LPCTSTR value);
// "cx,cy".
SIZE ParseSize(LPCTSTR value);
// "true"/"1" are true; everything else false.
bool ParseBool(LPCTSTR value);
int ParseInt(LPCTSTR value);
// Reads up to count comma-separated integers into out; returns how many were read.
int ParseInts(LPCTSTR value, long* out, int count);

using AttributeList = std::vector<std::pair<CDuiString, CDuiString>>;
// 'a="1" b="x y"' -> {(a,1),(b,x y)}; also accepts single quotes around values.
AttributeList ParseAttributeList(LPCTSTR list);

// Text style bits for the "align"/"valign" attribute words.
UINT ApplyHAlign(UINT style, LPCTSTR value);
UINT ApplyVAlign(UINT style, LPCTSTR value);

}  // namespace DuiLib
