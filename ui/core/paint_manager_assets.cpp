// The paint manager's tables: fonts, images, default attributes, styles and
// option groups.
#include <algorithm>
#include <cwctype>
#include <map>
#include <vector>

#include "common/logger.h"
#include "common/text_convert.h"
#include "ui/controls/control.h"
#include "ui/core/paint_manager.h"
#include "ui/render/render_engine.h"
#include "ui/resources/resource_manager.h"
#include "ui/resources/zip_archive.h"

namespace DuiLib {

namespace {

// Decoded skin files shared by every window of the thread, keyed by the
// normalised file name.
std::map<std::wstring, TImageInfo*>& SharedImages() {
    static std::map<std::wstring, TImageInfo*> images;
    return images;
}

// Names that could not be loaded, so a missing image is logged once.
std::map<std::wstring, bool>& MissingImages() {
    static std::map<std::wstring, bool> missing;
    return missing;
}

std::wstring SharedKey(LPCTSTR name) {
    std::wstring key = NormalizeArchiveName(name ? name : L"");
    for (auto& ch : key) ch = static_cast<wchar_t>(towlower(ch));
    return key;
}

void FreeOwned(TImageInfo* info) {
    if (!info) return;
    if (info->hBitmap) DeleteObject(info->hBitmap);
    delete info;
}

HFONT MakeFont(LPCTSTR name, int size, bool bold, bool underline, bool italic) {
    LOGFONTW lf = {};
    lf.lfHeight = -std::abs(size);
    lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    lf.lfUnderline = underline;
    lf.lfItalic = italic;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = CLEARTYPE_QUALITY;
    lstrcpynW(lf.lfFaceName, name, LF_FACESIZE);
    return CreateFontIndirectW(&lf);
}

void FillMetrics(HDC dc, TFontInfo& info) {
    HDC measure = dc ? dc : GetDC(nullptr);
    HGDIOBJ old = SelectObject(measure, info.hFont);
    GetTextMetricsW(measure, &info.tm);
    SelectObject(measure, old);
    if (!dc) ReleaseDC(nullptr, measure);
}

}  // namespace

int CPaintManagerUI::AddFont(int id, LPCTSTR pStrFontName, int nSize, bool bBold, bool bUnderline, bool bItalic) {
    HFONT font = MakeFont(pStrFontName, nSize, bBold, bUnderline, bItalic);
    if (!font) {
        LogBoth("CPaintManagerUI::AddFont", "CreateFontIndirectW %s error",
                WideToUtf8(pStrFontName ? pStrFontName : L"").c_str());
        return -1;
    }
    if (id < 0) id = m_fonts.empty() ? 0 : m_fonts.rbegin()->first + 1;
    auto it = m_fonts.find(id);
    if (it != m_fonts.end() && it->second.hFont) DeleteObject(it->second.hFont);
    TFontInfo& info = m_fonts[id];
    info = TFontInfo();
    info.hFont = font;
    info.sFontName = pStrFontName;
    info.iSize = nSize;
    info.bBold = bBold;
    info.bUnderline = bUnderline;
    info.bItalic = bItalic;
    FillMetrics(m_hDcPaint, info);
    return id;
}

HFONT CPaintManagerUI::GetFont(int index) { return GetFontInfo(index)->hFont; }

TFontInfo* CPaintManagerUI::GetFontInfo(int index) {
    auto it = m_fonts.find(index);
    if (index >= 0 && it != m_fonts.end() && it->second.hFont) return &it->second;
    if (m_pResourceParent && (index >= 0 || !m_defaultFont.hFont)) return m_pResourceParent->GetFontInfo(index);
    return GetDefaultFontInfo();
}

void CPaintManagerUI::SetResourceParent(CPaintManagerUI* pParent) {
    m_pResourceParent = pParent == this ? nullptr : pParent;
    if (!m_pResourceParent) return;
    m_dwDefaultFontColor = pParent->GetDefaultFontColor();
    m_dwDefaultDisabledColor = pParent->GetDefaultDisabledColor();
    m_dwDefaultSelectedBkColor = pParent->GetDefaultSelectedBkColor();
}

void CPaintManagerUI::SetDefaultFont(LPCTSTR pStrFontName, int nSize, bool bBold, bool bUnderline, bool bItalic) {
    HFONT font = MakeFont(pStrFontName, nSize, bBold, bUnderline, bItalic);
    if (!font) return;
    if (m_defaultFont.hFont) DeleteObject(m_defaultFont.hFont);
    m_defaultFont = TFontInfo();
    m_defaultFont.hFont = font;
    m_defaultFont.sFontName = pStrFontName;
    m_defaultFont.iSize = nSize;
    m_defaultFont.bBold = bBold;
    m_defaultFont.bUnderline = bUnderline;
    m_defaultFont.bItalic = bItalic;
    FillMetrics(m_hDcPaint, m_defaultFont);
}

TFontInfo* CPaintManagerUI::GetDefaultFontInfo() {
    if (!m_defaultFont.hFont && m_pResourceParent) return m_pResourceParent->GetDefaultFontInfo();
    if (!m_defaultFont.hFont) {
        // The system's message font, at the size a layout's 12 would give.
        NONCLIENTMETRICSW metrics = {};
        metrics.cbSize = sizeof(metrics);
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
        LPCTSTR face = metrics.lfMessageFont.lfFaceName[0] ? metrics.lfMessageFont.lfFaceName : L"Tahoma";
        SetDefaultFont(face, 12, false, false, false);
    }
    return &m_defaultFont;
}

const TImageInfo* CPaintManagerUI::GetImage(LPCTSTR bitmap) const {
    if (!bitmap || !*bitmap) return nullptr;
    auto own = m_images.find(CDuiString(bitmap));
    if (own != m_images.end()) return own->second;
    for (const CPaintManagerUI* parent = m_pResourceParent; parent; parent = parent->m_pResourceParent) {
        auto inherited = parent->m_images.find(CDuiString(bitmap));
        if (inherited != parent->m_images.end()) return inherited->second;
    }
    auto& shared = SharedImages();
    auto it = shared.find(SharedKey(bitmap));
    return it == shared.end() ? nullptr : it->second;
}

const TImageInfo* CPaintManagerUI::GetImageEx(LPCTSTR bitmap, LPCTSTR type, DWORD mask) {
    const TImageInfo* image = GetImage(bitmap);
    return image ? image : AddImage(bitmap, type, mask);
}

const TImageInfo* CPaintManagerUI::AddImage(LPCTSTR bitmap, LPCTSTR type, DWORD) {
    if (!bitmap || !*bitmap) return nullptr;
    std::wstring key = SharedKey(bitmap);
    auto& shared = SharedImages();
    auto it = shared.find(key);
    if (it != shared.end()) return it->second;
    if (MissingImages().count(key)) return nullptr;
    LPCTSTR mapped = CResourceManager::GetInstance()->GetImagePath(bitmap);
    TImageInfo* info = CRenderEngine::LoadImage(mapped ? mapped : bitmap, type);
    if (!info) {
        MissingImages()[key] = true;
        return nullptr;
    }
    info->bOwnedByCache = true;
    info->sResType = type;
    shared[key] = info;
    return info;
}

const TImageInfo* CPaintManagerUI::AddImage(LPCTSTR bitmap, HBITMAP hBitmap, int iWidth, int iHeight, bool bAlpha) {
    if (!bitmap || !*bitmap || !hBitmap) return nullptr;
    RemoveImage(bitmap);
    auto* info = new TImageInfo;
    info->hBitmap = hBitmap;
    info->nX = iWidth;
    info->nY = iHeight;
    info->bAlpha = bAlpha;
    info->bOwnedByCache = true;
    DIBSECTION dib = {};
    if (GetObjectW(hBitmap, sizeof(dib), &dib) == sizeof(dib)) info->pBits = static_cast<LPBYTE>(dib.dsBm.bmBits);
    m_images[CDuiString(bitmap)] = info;
    Invalidate();
    return info;
}

bool CPaintManagerUI::RemoveImage(LPCTSTR bitmap) {
    auto it = bitmap ? m_images.find(CDuiString(bitmap)) : m_images.end();
    if (it == m_images.end()) return false;
    FreeOwned(it->second);
    m_images.erase(it);
    return true;
}

void CPaintManagerUI::RemoveAllImages() {
    for (auto& image : m_images) FreeOwned(image.second);
    m_images.clear();
}

void CPaintManagerUI::RemoveAllSharedImages() {
    for (auto& image : SharedImages()) FreeOwned(image.second);
    SharedImages().clear();
    MissingImages().clear();
}

void CPaintManagerUI::AddDefaultAttributeList(LPCTSTR pStrControlName, LPCTSTR pStrControlAttrList) {
    if (pStrControlName && pStrControlAttrList) m_defaultAttrs[CDuiString(pStrControlName)] = pStrControlAttrList;
}

LPCTSTR CPaintManagerUI::GetDefaultAttributeList(LPCTSTR pStrControlName) const {
    auto it = pStrControlName ? m_defaultAttrs.find(CDuiString(pStrControlName)) : m_defaultAttrs.end();
    if (it != m_defaultAttrs.end()) return it->second.GetData();
    return m_pResourceParent ? m_pResourceParent->GetDefaultAttributeList(pStrControlName) : nullptr;
}

void CPaintManagerUI::AddStyle(LPCTSTR pStrName, LPCTSTR pStrAttrList) {
    if (pStrName && pStrAttrList) m_styles[CDuiString(pStrName)] = pStrAttrList;
}

LPCTSTR CPaintManagerUI::GetStyle(LPCTSTR pStrName) const {
    auto it = pStrName ? m_styles.find(CDuiString(pStrName)) : m_styles.end();
    if (it != m_styles.end()) return it->second.GetData();
    return m_pResourceParent ? m_pResourceParent->GetStyle(pStrName) : nullptr;
}

bool CPaintManagerUI::AddOptionGroup(LPCTSTR pStrGroupName, CControlUI* pControl) {
    if (!pStrGroupName || !*pStrGroupName || !pControl) return false;
    auto& members = m_optionGroups[CDuiString(pStrGroupName)];
    if (std::find(members.begin(), members.end(), pControl) != members.end()) return false;
    members.push_back(pControl);
    return true;
}

const std::vector<CControlUI*>* CPaintManagerUI::GetOptionGroup(LPCTSTR pStrGroupName) const {
    auto it = pStrGroupName ? m_optionGroups.find(CDuiString(pStrGroupName)) : m_optionGroups.end();
    return it == m_optionGroups.end() ? nullptr : &it->second;
}

void CPaintManagerUI::RemoveOptionGroup(LPCTSTR pStrGroupName, CControlUI* pControl) {
    auto it = pStrGroupName ? m_optionGroups.find(CDuiString(pStrGroupName)) : m_optionGroups.end();
    if (it == m_optionGroups.end()) return;
    auto& members = it->second;
    members.erase(std::remove(members.begin(), members.end(), pControl), members.end());
    if (members.empty()) m_optionGroups.erase(it);
}

void CPaintManagerUI::RemoveAllOptionGroups() { m_optionGroups.clear(); }

}  // namespace DuiLib
