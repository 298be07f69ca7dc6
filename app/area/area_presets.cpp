// The area menu's preset table, size texts and centring.
#include "app/area/area_presets.h"

#include <cwchar>

#include "app/layouts/main_sel_menu_names.h"

namespace {

// Columns of the table by desktop width: >= 1920, 1025..1919, 855..1024, <= 854.
const AreaPresets kWide = {{
    {main_sel_menu_names::kMenuSelHd.name, L"1280x720 HD (720P)", L"1280x720"},
    {main_sel_menu_names::kMenuSelSd.name, L"854x480 SD (480P)", L"854x480"},
    {main_sel_menu_names::kMenuSelT1.name, L"1024x768", L"1024x768"},
    {main_sel_menu_names::kMenuSelT2.name, L"640x480", L"640x480"},
    {main_sel_menu_names::kMenuSelT3.name, L"480x360", L"480x360"},
}};
const AreaPresets kMedium = {{
    {main_sel_menu_names::kMenuSelHd.name, L"854x480 SD (480P)", L"854x480"},
    {main_sel_menu_names::kMenuSelSd.name, L"1024x768", L"1024x768"},
    {main_sel_menu_names::kMenuSelT1.name, L"640x480", L"640x480"},
    {main_sel_menu_names::kMenuSelT2.name, L"480x360", L"480x360"},
    {main_sel_menu_names::kMenuSelT3.name, L"480x270", L"480x270"},
}};
const AreaPresets kSmall = {{
    {main_sel_menu_names::kMenuSelHd.name, L"854x480 SD (480P)", L"854x480"},
    {main_sel_menu_names::kMenuSelSd.name, L"640x480", L"640x480"},
    {main_sel_menu_names::kMenuSelT1.name, L"480x360", L"480x360"},
    {main_sel_menu_names::kMenuSelT2.name, L"480x270", L"480x270"},
    {main_sel_menu_names::kMenuSelT3.name, L"480x240", L"480x240"},
}};
const AreaPresets kTiny = {{
    {main_sel_menu_names::kMenuSelHd.name, L"640x480", L"640x480"},
    {main_sel_menu_names::kMenuSelSd.name, L"480x360", L"480x360"},
    {main_sel_menu_names::kMenuSelT1.name, L"480x270", L"480x270"},
    {main_sel_menu_names::kMenuSelT2.name, L"480x240", L"480x240"},
    {main_sel_menu_names::kMenuSelT3.name, L"320x240", L"320x240"},
}};

int LeadingNumber(const wchar_t* text) { return static_cast<int>(wcstol(text, nullptr, 10)); }

RECT Centred(SIZE size, const RECT& base) {
    const int cx = base.left + (base.right - base.left) / 2;
    const int cy = base.top + (base.bottom - base.top) / 2;
    const int left = cx - size.cx / 2, top = cy - size.cy / 2;
    return {left, top, left + size.cx, top + size.cy};
}

bool SameSize(SIZE a, SIZE b) { return a.cx == b.cx && a.cy == b.cy; }

}  // namespace

const AreaPresets& PresetsForDesktopWidth(int width) {
    if (width >= 1920) return kWide;
    if (width > 1024) return kMedium;
    if (width > 854) return kSmall;
    return kTiny;
}

SIZE ParsePresetSize(const wchar_t* text) {
    const wchar_t* x = text ? wcschr(text, L'x') : nullptr;
    if (!x) return {0, 0};
    return {LeadingNumber(text), LeadingNumber(x + 1)};
}

RECT CentreAreaSize(SIZE size, const RECT& desktop, const RECT& monitor, SIZE remembered) {
    const bool fits = remembered.cx <= monitor.right - monitor.left && remembered.cy <= monitor.bottom - monitor.top;
    return Centred(size, fits ? monitor : desktop);
}

const wchar_t* MarkedAreaItem(SIZE current, SIZE desktop, const AreaPresets& presets) {
    const wchar_t* marked = SameSize(current, desktop) ? kAreaItemFull : nullptr;
    for (const AreaPreset& preset : presets) {
        if (SameSize(current, ParsePresetSize(preset.size))) marked = preset.item;
    }
    return marked;
}
