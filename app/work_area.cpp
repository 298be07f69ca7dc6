#include "app/work_area.h"

RECT InsetWorkArea(const RECT& work, const RECT& desktop) {
    RECT inset = work;
    if (work.bottom != desktop.bottom)
        inset.bottom -= kTaskbarGap;
    else if (work.left != desktop.left)
        inset.left += kTaskbarGap;
    else if (work.top != desktop.top)
        inset.top += kTaskbarGap;
    else if (work.right != desktop.right)
        inset.right -= kTaskbarGap;
    return inset;
}
