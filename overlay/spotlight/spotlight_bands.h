// Where the spotlight paints: the 202 x 202 spot around its centre and the
// four dark bands around the spot that cover the rest of the area. Pure.
#pragma once

#include <windows.h>

#include <array>

constexpr int kSpotSize = 202;

struct SpotlightLayout {
    RECT spot;
    // top, left, right, bottom in the order they are painted; a band whose
    // condition fails is absent.
    std::array<RECT, 4> bands;
    std::array<bool, 4> present;
};

// area: the width and height painted over; centre in the same pixels.
SpotlightLayout LayOutSpotlight(SIZE area, POINT centre);
