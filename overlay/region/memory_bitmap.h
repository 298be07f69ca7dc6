// A 32-bit ARGB DIB selected into a memory DC of its own: the buffer a control
// draws into once and blends onto the window from.
#pragma once

#include <windows.h>

class MemoryBitmap {
public:
    MemoryBitmap() = default;
    ~MemoryBitmap() { Release(); }
    MemoryBitmap(const MemoryBitmap&) = delete;
    MemoryBitmap& operator=(const MemoryBitmap&) = delete;

    // A cleared width x height bitmap in a DC compatible with `compatible`
    // (null: the screen); replaces any earlier one. false when GDI refuses.
    bool Create(HDC compatible, int width, int height);
    void Release();

    bool IsValid() const { return m_hDC != nullptr; }
    HDC dc() const { return m_hDC; }
    BYTE* bits() const { return m_pBits; }  // top-down, premultiplied BGRA
    int width() const { return m_nWidth; }
    int height() const { return m_nHeight; }

private:
    HDC m_hDC = nullptr;
    HBITMAP m_hDib = nullptr;
    HGDIOBJ m_hOldBitmap = nullptr;
    BYTE* m_pBits = nullptr;
    int m_nWidth = 0;
    int m_nHeight = 0;
};
