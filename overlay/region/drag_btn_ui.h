// CDragBtnUI: the drag button in the middle of the region (layout tag
// "DragBtn"). Its background image is drawn once into a bitmap of its own and
// blended, with its per-pixel alpha, into the rectangle it is given.
#pragma once

#include "overlay/region/memory_bitmap.h"
#include "ui/duilib.h"

// What CDragBtnUI answers to GetInterface besides its base's names.
constexpr const wchar_t* kDragBtnInterface = L"DragBtn";

class CDragBtnUI : public DuiLib::CButtonUI {
public:
    CDragBtnUI() = default;

    LPCTSTR GetClass() const override { return L"DragBtn"; }
    LPVOID GetInterface(LPCTSTR pstrName) override;
    void DoInit() override;
    void PaintBkImage(HDC hDC) override;

    // Client coordinates.
    void SetDestRect(int left, int top, int right, int bottom);
    RECT GetDestRect() const { return m_rcDest; }

private:
    RECT m_rcDest = {0, 0, 0, 0};
    RECT m_rcImage = {0, 0, 0, 0};
    MemoryBitmap m_image;  // the background image, drawn once
};
