// The lines that draw the region's outline: a nearly invisible 3-pixel frame
// that still catches the mouse, a dashed border whose dashes run clockwise as
// the phase advances, and four corner brackets. Pure, so the pattern can be
// checked without painting.
#pragma once

#include <windows.h>

#include <vector>

struct LineSeg {
    int x1, y1, x2, y2;  // both ends are drawn
    bool operator==(const LineSeg& o) const { return x1 == o.x1 && y1 == o.y1 && x2 == o.x2 && y2 == o.y2; }
};

constexpr int kDashLength = 3;
constexpr int kDashGap = 3;
constexpr int kBracketArm = 45;  // beyond the inset corner; 48 pixels in all

// Top, left, right, bottom along the selection.
std::vector<LineSeg> FrameLines(const RECT& sel);

// The dashes at a phase (0 to dash + gap - 1): top left to right, right top to
// bottom, bottom right to left, left bottom to top. Right and bottom stay
// inside a paint area of paintWidth x paintHeight.
std::vector<LineSeg> DashSegments(const RECT& sel, int phase, int paintWidth, int paintHeight);

// The phase of the next animation step: one pixel further, back to 0 after a period.
int NextDashPhase(int phase);

// Four 4-pixel-thick brackets just outside the selection inset by one pixel.
std::vector<LineSeg> BracketLines(const RECT& sel);
