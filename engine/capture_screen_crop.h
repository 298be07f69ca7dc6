// The part of the captured desktop picture that goes into the file.
#pragma once

#include <windows.h>

// The crop (g_rRecord2) for the chosen area: the area relative to the origin of the
// record rectangle (what the screen device captures), shrunk by kRegionInset on
// every side unless the whole screen is recorded (the region frame's border is not
// recorded), then with an even width and height as YUV 4:2:0 needs.
RECT CropForArea(const RECT& area, const RECT& recordRect, bool fullScreen);

// The crop clamped to a picture of width x height: never reaches outside it and keeps
// an even size. All zeros (which no file accepts) when less than 2 x 2 is left.
RECT ClampCropToPicture(const RECT& crop, int width, int height);

constexpr int kRegionInset = 3;
