// The area menu's preset sizes: the five chosen by the desktop's width, their
// size texts ("1280x720"), the rectangle a size is centred in, and which item
// of the menu the current area marks. Pure functions of their inputs.
#pragma once

#include <windows.h>

#include <array>

// One preset item of the area menu: its name, the text it shows and its size
// text (kept as the item's user data).
struct AreaPreset {
    const wchar_t* item;
    const wchar_t* label;
    const wchar_t* size;
};

constexpr int kAreaPresetCount = 5;
using AreaPresets = std::array<AreaPreset, kAreaPresetCount>;

// The presets for a desktop of that width, in the order "menu_sel_hd",
// "menu_sel_sd", "menu_sel_t1", "menu_sel_t2", "menu_sel_t3".
const AreaPresets& PresetsForDesktopWidth(int width);

// The width and height of a size text: the decimal digits before the first "x"
// and after it; (0, 0) when the text holds no "x".
SIZE ParsePresetSize(const wchar_t* text);

// Where a new area of that size goes: centred on the monitor when the remembered
// custom size fits that monitor, else on the desktop (offsets truncated toward zero).
RECT CentreAreaSize(SIZE size, const RECT& desktop, const RECT& monitor, SIZE remembered);

// The area menu's item that the current area's size marks: "menu_sel_full" for
// the desktop's size, a preset item for its exact size (the later preset wins),
// or null for none. Sizes are compared as numbers, so 280x720 marks no 1280x720.
const wchar_t* MarkedAreaItem(SIZE current, SIZE desktop, const AreaPresets& presets);

constexpr wchar_t kAreaItemFull[] = L"menu_sel_full";
