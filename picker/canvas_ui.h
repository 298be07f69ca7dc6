// The picker's selection frame: CCanvasContainerUI paints nine handle squares
// and an inner outline around the dragged rectangle; CCanvasUI is the plain
// control inside it. Both only paint: the picker disables the container when the
// left button goes down, and the canvas ignores every event. UI thread only.
#pragma once

#include "ui/duilib.h"

class CCanvasUI : public DuiLib::CControlUI {
public:
    LPCTSTR GetClass() const override { return L"Canvas"; }
    LPVOID GetInterface(LPCTSTR pstrName) override;
    void DoEvent(DuiLib::TEventUI&) override {}
};

// Handle zones: 0 top-left, 1 top, 2 top-right, 3 left, 4 middle (no square),
// 5 right, 6 bottom-left, 7 bottom, 8 bottom-right.
constexpr int kHandleZones = 9;
constexpr int kMiddleZone = 4;
// The square of a zone for a frame at pos whose left inset is inset: sides of
// 2 x inset at the corners and the edges' middles; empty for the middle zone.
RECT HandleSquare(const RECT& pos, int inset, int zone);

class CCanvasContainerUI : public DuiLib::CContainerUI {
public:
    LPCTSTR GetClass() const override { return L"CanvasContainer"; }
    LPVOID GetInterface(LPCTSTR pstrName) override;
    UINT GetControlFlags() const override { return DuiLib::UIFLAG_SETCURSOR; }
    // The handle squares in the border colour, then the outline inside the inset.
    void PaintBorder(HDC hDC) override;
};
