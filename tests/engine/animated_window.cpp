#include "tests/engine/animated_window.h"

namespace {

void PaintLevel(HDC dc, const RECT& client) {
    const int level = AnimatedWindow::LevelAt(GetTickCount());
    HBRUSH brush = CreateSolidBrush(RGB(level, level, level));
    FillRect(dc, &client, brush);
    DeleteObject(brush);
}

}  // namespace

AnimatedWindow::AnimatedWindow(const RECT& rect) : window_(rect, 10, PaintLevel) {}
