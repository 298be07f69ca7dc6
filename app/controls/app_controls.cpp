#include "app/controls/app_controls.h"

#include <cwchar>

#include "app/controls/set_slider.h"

DuiLib::CControlUI* CreateAppControl(LPCTSTR tag) {
    if (tag && wcscmp(tag, L"SetSlider") == 0) return new DuiLib::SetSlider();
    return nullptr;
}
