#include "ui/render/render_engine.h"

#include <algorithm>
#include <cwchar>
#include <vector>

#include "common/logger.h"
#include "common/text_convert.h"
#include "ui/base/ui_parse.h"
#include "ui/core/paint_manager.h"
#include "ui/render/image_decoder.h"
#include "ui/resources/skin_source.h"

namespace DuiLib {

namespace {

bool IsEmptyRect(const RECT& rc) { return rc.right <= rc.left || rc.bottom <= rc.top; }

bool Meets(const RECT& a, const RECT& b) {
    RECT tmp;
    return IntersectRect(&tmp, &a, &b) != FALSE;
}

// Blits one part: AlphaBlend when alpha or fading matters, else a plain (stretch) blit.
void BlitPart(HDC dst, const RECT& d, HDC src, const RECT& s, bool alpha, BYTE fade) {
    int dw = d.right - d.left, dh = d.bottom - d.top, sw = s.right - s.left, sh = s.bottom - s.top;
    if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) return;
    if (alpha || fade < 255) {
        BLENDFUNCTION bf = {AC_SRC_OVER, 0, fade, static_cast<BYTE>(alpha ? AC_SRC_ALPHA : 0)};
        AlphaBlend(dst, d.left, d.top, dw, dh, src, s.left, s.top, sw, sh, bf);
    } else if (dw == sw && dh == sh) {
        BitBlt(dst, d.left, d.top, dw, dh, src, s.left, s.top, SRCCOPY);
    } else {
        int old = SetStretchBltMode(dst, COLORONCOLOR);
        StretchBlt(dst, d.left, d.top, dw, dh, src, s.left, s.top, sw, sh, SRCCOPY);
        SetStretchBltMode(dst, old);
    }
}

void ApplyDrawAttributes(TDrawInfo& info, LPCTSTR text) {
    if (!text || !*text) return;
    if (!wcschr(text, L'=')) {  // a bare file name
        info.sImageName = text;
        return;
    }
    for (const auto& [name, value] : ParseAttributeList(text)) {
        if (name == L"file" || name == L"res")
            info.sImageName = value;
        else if (name == L"restype")
            info.sResType = value;
        else if (name == L"dest") {
            info.rcDest = ParseRect(value);
            info.bHasDest = true;
        } else if (name == L"source") {
            info.rcSource = ParseRect(value);
            info.bHasSource = true;
        } else if (name == L"corner")
            info.rcCorner = ParseRect(value);
        else if (name == L"fade")
            info.uFade = static_cast<BYTE>(std::clamp(ParseInt(value), 0, 255));
        else if (name == L"hole")
            info.bHole = ParseBool(value);
    }
}

// A 1x1 premultiplied pixel stretched over the target: blends on any DC and
// writes a correct alpha channel into 32-bit buffers.
class CColorPixel {
public:
    CColorPixel() {
        m_dc = CreateCompatibleDC(nullptr);
        m_bitmap = CreateDib32(1, 1, &m_bits);
        m_old = SelectObject(m_dc, m_bitmap);
    }
    ~CColorPixel() {
        SelectObject(m_dc, m_old);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }
    HDC Set(DWORD argb) {
        BYTE a = static_cast<BYTE>(argb >> 24);
        m_bits[0] = static_cast<BYTE>((argb & 0xFF) * a / 255);
        m_bits[1] = static_cast<BYTE>(((argb >> 8) & 0xFF) * a / 255);
        m_bits[2] = static_cast<BYTE>(((argb >> 16) & 0xFF) * a / 255);
        m_bits[3] = a;
        GdiFlush();
        return m_dc;
    }

private:
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_old = nullptr;
    BYTE* m_bits = nullptr;
};

HFONT FontFor(CPaintManagerUI* manager, int font) {
    HFONT hFont = manager ? manager->GetFont(font) : nullptr;
    return hFont ? hFont : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

// Draws text into a black scratch bitmap in white, then turns the glyph coverage
// into premultiplied colour and blends it: the alpha channel stays right.
void DrawTextCoverage(HDC hDC, const RECT& rc, LPCTSTR text, DWORD color, HFONT font, UINT style) {
    RECT clip = {};
    if (GetClipBox(hDC, &clip) == ERROR) return;
    RECT visible;
    if (!IntersectRect(&visible, &rc, &clip)) return;
    int w = rc.right - rc.left, h = rc.bottom - rc.top;
    BYTE* bits = nullptr;
    HBITMAP scratch = CreateDib32(w, h, &bits);
    if (!scratch) return;
    HDC dc = CreateCompatibleDC(hDC);
    HGDIOBJ oldBitmap = SelectObject(dc, scratch);
    HGDIOBJ oldFont = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    RECT local = {0, 0, w, h};
    ::DrawTextW(dc, text, -1, &local, style & ~DT_CALCRECT);
    GdiFlush();
    BYTE ca = static_cast<BYTE>(color >> 24), cr = static_cast<BYTE>(color >> 16), cg = static_cast<BYTE>(color >> 8),
         cb = static_cast<BYTE>(color);
    for (int i = 0; i < w * h; ++i) {
        BYTE* px = bits + i * 4;
        unsigned coverage = std::max({px[0], px[1], px[2]});
        unsigned a = coverage * ca / 255;
        px[0] = static_cast<BYTE>(cb * a / 255);
        px[1] = static_cast<BYTE>(cg * a / 255);
        px[2] = static_cast<BYTE>(cr * a / 255);
        px[3] = static_cast<BYTE>(a);
    }
    BLENDFUNCTION bf = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    AlphaBlend(hDC, rc.left, rc.top, w, h, dc, 0, 0, w, h, bf);
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBitmap);
    DeleteDC(dc);
    DeleteObject(scratch);
}

}  // namespace

HBITMAP CRenderEngine::CreateARGB32Bitmap(HDC, int cx, int cy, BYTE** pBits) { return CreateDib32(cx, cy, pBits); }

TImageInfo* CRenderEngine::LoadImage(LPCTSTR name, LPCTSTR) {
    if (!name || !*name) return nullptr;
    std::vector<unsigned char> bytes;
    if (!CSkinSource::Get().ReadFile(name, bytes)) {
        LogBoth("CRenderEngine::LoadImage", "image %s not found error", WideToUtf8(name).c_str());
        return nullptr;
    }
    TImageInfo* info = DecodeImage(bytes.data(), bytes.size());
    if (!info) LogBoth("CRenderEngine::LoadImage", "image %s cannot be decoded error", WideToUtf8(name).c_str());
    return info;
}

void CRenderEngine::FreeImage(TImageInfo* info) {
    if (!info || info->bOwnedByCache) return;
    if (info->hBitmap) DeleteObject(info->hBitmap);
    delete info;
}

void CRenderEngine::DrawImage(HDC hDC, HBITMAP hBitmap, const RECT& rc, const RECT& rcPaint, const RECT& rcBmpPart,
                              const RECT& rcCorners, bool bAlpha, BYTE uFade, bool hole) {
    if (!hDC || !hBitmap || IsEmptyRect(rc) || IsEmptyRect(rcBmpPart) || !Meets(rc, rcPaint)) return;
    HDC src = CreateCompatibleDC(hDC);
    HGDIOBJ old = SelectObject(src, hBitmap);
    RECT c = {std::max(0L, rcCorners.left), std::max(0L, rcCorners.top), std::max(0L, rcCorners.right),
              std::max(0L, rcCorners.bottom)};
    // Column and row edges of the nine parts, in the target and in the bitmap.
    long dx[4] = {rc.left, rc.left + c.left, rc.right - c.right, rc.right};
    long dy[4] = {rc.top, rc.top + c.top, rc.bottom - c.bottom, rc.bottom};
    long sx[4] = {rcBmpPart.left, rcBmpPart.left + c.left, rcBmpPart.right - c.right, rcBmpPart.right};
    long sy[4] = {rcBmpPart.top, rcBmpPart.top + c.top, rcBmpPart.bottom - c.bottom, rcBmpPart.bottom};
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) {
            if (hole && row == 1 && col == 1) continue;
            RECT d = {dx[col], dy[row], dx[col + 1], dy[row + 1]};
            RECT s = {sx[col], sy[row], sx[col + 1], sy[row + 1]};
            if (IsEmptyRect(d) || !Meets(d, rcPaint)) continue;
            BlitPart(hDC, d, src, s, bAlpha, uFade);
        }
    }
    SelectObject(src, old);
    DeleteDC(src);
}

TDrawInfo CRenderEngine::ParseDrawInfo(LPCTSTR pStrImage, LPCTSTR pStrModify) {
    TDrawInfo info;
    info.sDrawString = pStrImage;
    ApplyDrawAttributes(info, pStrImage);
    ApplyDrawAttributes(info, pStrModify);
    return info;
}

bool CRenderEngine::DrawImage(HDC hDC, CPaintManagerUI* pManager, const RECT& rcItem, const RECT& rcPaint,
                              const TDrawInfo& info) {
    if (!pManager || info.sImageName.IsEmpty()) return false;
    const TImageInfo* image = pManager->GetImageEx(info.sImageName, info.sResType);
    if (!image || !image->hBitmap) return false;
    RECT dest = rcItem;
    if (info.bHasDest) {
        dest = {rcItem.left + info.rcDest.left, rcItem.top + info.rcDest.top, rcItem.left + info.rcDest.right,
                rcItem.top + info.rcDest.bottom};
        dest.right = std::min(dest.right, rcItem.right);
        dest.bottom = std::min(dest.bottom, rcItem.bottom);
    }
    RECT source = {0, 0, image->nX, image->nY};
    if (info.bHasSource) {
        source = info.rcSource;
        source.right = std::min<long>(source.right, image->nX);
        source.bottom = std::min<long>(source.bottom, image->nY);
    }
    DrawImage(hDC, image->hBitmap, dest, rcPaint, source, info.rcCorner, image->bAlpha, info.uFade, info.bHole);
    return true;
}

bool CRenderEngine::DrawImageString(HDC hDC, CPaintManagerUI* pManager, const RECT& rcItem, const RECT& rcPaint,
                                    LPCTSTR pStrImage, LPCTSTR pStrModify) {
    if (!pStrImage || !*pStrImage) return false;
    return DrawImage(hDC, pManager, rcItem, rcPaint, ParseDrawInfo(pStrImage, pStrModify));
}

void CRenderEngine::DrawColor(HDC hDC, const RECT& rc, DWORD color) {
    if ((color >> 24) == 0 || IsEmptyRect(rc) || !hDC) return;
    static thread_local CColorPixel pixel;
    HDC src = pixel.Set(color);
    BLENDFUNCTION bf = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    AlphaBlend(hDC, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, src, 0, 0, 1, 1, bf);
}

void CRenderEngine::DrawLine(HDC hDC, const RECT& rc, int nSize, DWORD dwPenColor) {
    if (nSize <= 0) return;
    if (rc.top == rc.bottom) {
        RECT r = {std::min(rc.left, rc.right), rc.top, std::max(rc.left, rc.right), rc.top + nSize};
        DrawColor(hDC, r, dwPenColor);
    } else if (rc.left == rc.right) {
        RECT r = {rc.left, std::min(rc.top, rc.bottom), rc.left + nSize, std::max(rc.top, rc.bottom)};
        DrawColor(hDC, r, dwPenColor);
    } else {
        HPEN pen = CreatePen(PS_SOLID, nSize, RGB(GetBValue(dwPenColor), GetGValue(dwPenColor), GetRValue(dwPenColor)));
        HGDIOBJ old = SelectObject(hDC, pen);
        MoveToEx(hDC, rc.left, rc.top, nullptr);
        LineTo(hDC, rc.right, rc.bottom);
        SelectObject(hDC, old);
        DeleteObject(pen);
    }
}

void CRenderEngine::DrawRect(HDC hDC, const RECT& rc, int nSize, DWORD dwPenColor) {
    if (nSize <= 0 || IsEmptyRect(rc)) return;
    int n = std::min<int>(nSize, std::min(rc.right - rc.left, rc.bottom - rc.top));
    DrawColor(hDC, {rc.left, rc.top, rc.right, rc.top + n}, dwPenColor);
    DrawColor(hDC, {rc.left, rc.bottom - n, rc.right, rc.bottom}, dwPenColor);
    DrawColor(hDC, {rc.left, rc.top + n, rc.left + n, rc.bottom - n}, dwPenColor);
    DrawColor(hDC, {rc.right - n, rc.top + n, rc.right, rc.bottom - n}, dwPenColor);
}

void CRenderEngine::DrawRoundRect(HDC hDC, const RECT& rc, int width, int height, int nSize, DWORD dwPenColor) {
    if (nSize <= 0 || IsEmptyRect(rc)) return;
    HPEN pen = CreatePen(PS_SOLID, nSize, RGB(GetBValue(dwPenColor), GetGValue(dwPenColor), GetRValue(dwPenColor)));
    HGDIOBJ oldPen = SelectObject(hDC, pen);
    HGDIOBJ oldBrush = SelectObject(hDC, GetStockObject(NULL_BRUSH));
    RoundRect(hDC, rc.left, rc.top, rc.right, rc.bottom, width, height);
    SelectObject(hDC, oldBrush);
    SelectObject(hDC, oldPen);
    DeleteObject(pen);
}

void CRenderEngine::DrawText(HDC hDC, CPaintManagerUI* pManager, RECT& rc, LPCTSTR pstrText, DWORD dwTextColor,
                             int iFont, UINT uStyle) {
    if (!hDC || !pstrText) return;
    HFONT font = FontFor(pManager, iFont);
    if (uStyle & DT_CALCRECT) {
        HGDIOBJ old = SelectObject(hDC, font);
        ::DrawTextW(hDC, pstrText, -1, &rc, uStyle);
        SelectObject(hDC, old);
        return;
    }
    if (!*pstrText || IsEmptyRect(rc) || (dwTextColor >> 24) == 0) return;
    if (pManager && pManager->IsLayered()) {
        DrawTextCoverage(hDC, rc, pstrText, dwTextColor, font, uStyle);
        return;
    }
    HGDIOBJ old = SelectObject(hDC, font);
    int oldMode = SetBkMode(hDC, TRANSPARENT);
    COLORREF oldColor = SetTextColor(hDC, RGB(GetBValue(dwTextColor), GetGValue(dwTextColor), GetRValue(dwTextColor)));
    ::DrawTextW(hDC, pstrText, -1, &rc, uStyle);
    SetTextColor(hDC, oldColor);
    SetBkMode(hDC, oldMode);
    SelectObject(hDC, old);
}

SIZE CRenderEngine::GetTextSize(HDC hDC, CPaintManagerUI* pManager, LPCTSTR pstrText, int iFont, UINT uStyle) {
    SIZE size = {0, 0};
    if (!pstrText) return size;
    HDC dc = hDC ? hDC : GetDC(nullptr);
    RECT rc = {0, 0, 9999, 9999};
    if (!(uStyle & DT_WORDBREAK)) uStyle |= DT_SINGLELINE;
    DrawText(dc, pManager, rc, pstrText, 0, iFont,
             (uStyle & ~(DT_CENTER | DT_RIGHT | DT_VCENTER | DT_BOTTOM)) | DT_CALCRECT);
    if (!hDC) ReleaseDC(nullptr, dc);
    size.cx = rc.right - rc.left;
    size.cy = rc.bottom - rc.top;
    return size;
}

}  // namespace DuiLib
