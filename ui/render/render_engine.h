// CRenderEngine: the drawing primitives every control paints with. All of them
// keep the alpha channel right when the target is a window's 32-bit layered
// buffer (colours and images blend with AlphaBlend; text is drawn as coverage).
#pragma once

#include "ui/base/ui_defs.h"

namespace DuiLib {

class CRenderEngine {
public:
    // A 32-bit top-down DIB section (BGRA, premultiplied when used with alpha);
    // *pBits receives its pixels. hDC is accepted for symmetry and may be null.
    static HBITMAP CreateARGB32Bitmap(HDC hDC, int cx, int cy, BYTE** pBits = nullptr);

    // Loads an image of the skin (ZIP or resource folder): caller owns the
    // record and frees it with FreeImage. Null (and logged) when missing.
    static TImageInfo* LoadImage(LPCTSTR name, LPCTSTR type = nullptr);
    // Frees a record from LoadImage. Records that belong to a paint manager's
    // cache (GetImageEx, AddImage) are left alone, so freeing those is harmless.
    static void FreeImage(TImageInfo* info);

    // Draws part rcBmpPart of a bitmap into rc, nine-part when rcCorners is not
    // empty (corners unscaled, edges and middle stretched; hole leaves the
    // middle out). bAlpha: the bitmap has per-pixel alpha (premultiplied).
    // uFade: overall opacity. Only parts meeting rcPaint are drawn.
    static void DrawImage(HDC hDC, HBITMAP hBitmap, const RECT& rc, const RECT& rcPaint, const RECT& rcBmpPart,
                          const RECT& rcCorners, bool bAlpha, BYTE uFade = 255, bool hole = false);
    // Draws a parsed image string for a control at rcItem. false when the image
    // cannot be found.
    static bool DrawImage(HDC hDC, CPaintManagerUI* pManager, const RECT& rcItem, const RECT& rcPaint,
                          const TDrawInfo& drawInfo);
    // Parses pStrImage (and the overriding pStrModify, e.g. "dest='0,0,10,10'")
    // and draws it.
    static bool DrawImageString(HDC hDC, CPaintManagerUI* pManager, const RECT& rcItem, const RECT& rcPaint,
                                LPCTSTR pStrImage, LPCTSTR pStrModify = nullptr);
    // Parses an image string: a bare file name, or attributes file, restype,
    // source, dest, corner, fade, hole.
    static TDrawInfo ParseDrawInfo(LPCTSTR pStrImage, LPCTSTR pStrModify = nullptr);

    // Fills rc with an ARGB colour (blends when alpha < 255; nothing when alpha is 0).
    static void DrawColor(HDC hDC, const RECT& rc, DWORD color);
    // A horizontal or vertical line of nSize pixels from (rc.left, rc.top) to (rc.right, rc.bottom).
    static void DrawLine(HDC hDC, const RECT& rc, int nSize, DWORD dwPenColor);
    // The outline of rc, nSize pixels thick, inside rc.
    static void DrawRect(HDC hDC, const RECT& rc, int nSize, DWORD dwPenColor);
    static void DrawRoundRect(HDC hDC, const RECT& rc, int width, int height, int nSize, DWORD dwPenColor);

    // Draws text with the manager's font iFont (-1: the default font) and a
    // DrawText style. With DT_CALCRECT, rc receives the size and nothing is drawn.
    static void DrawText(HDC hDC, CPaintManagerUI* pManager, RECT& rc, LPCTSTR pstrText, DWORD dwTextColor, int iFont,
                         UINT uStyle);
    // The size the text takes with that font and style (single line unless the
    // style asks for DT_WORDBREAK, then within the width cx of a first guess).
    static SIZE GetTextSize(HDC hDC, CPaintManagerUI* pManager, LPCTSTR pstrText, int iFont, UINT uStyle);
};

}  // namespace DuiLib
