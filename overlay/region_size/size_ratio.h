// The arithmetic of the region size dialog: one side from the other in a kept
// ratio, the numbers as the edits hold them, and the smallest size taken.
#pragma once

#include "overlay/region/sel_geometry.h"

// The height for a width (and the width for a height) in a ratio mode; in free
// mode the side itself. Integer divisions, truncated toward zero.
int HeightForWidth(int width, int mode);
int WidthForHeight(int height, int mode);
// An edit's text as a number: leading decimal digits (an optional sign first);
// 0 when there are none.
int EditNumber(const wchar_t* text);
// The typed side when it is at least kSelMinSize, else the current one.
int TakenSide(int typed, int current);
