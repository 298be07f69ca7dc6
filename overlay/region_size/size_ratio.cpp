// The region size dialog's arithmetic.
#include "overlay/region_size/size_ratio.h"

#include <cwchar>

int HeightForWidth(int width, int mode) {
    if (mode == kAspect4x3) return width * 3 / 4;
    if (mode == kAspect16x9) return width * 9 / 16;
    return width;
}

int WidthForHeight(int height, int mode) {
    if (mode == kAspect4x3) return height * 4 / 3;
    if (mode == kAspect16x9) return height * 16 / 9;
    return height;
}

int EditNumber(const wchar_t* text) { return text ? static_cast<int>(wcstol(text, nullptr, 10)) : 0; }

int TakenSide(int typed, int current) { return typed >= kSelMinSize ? typed : current; }
