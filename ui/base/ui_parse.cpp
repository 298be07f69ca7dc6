#include "ui/base/ui_parse.h"

#include <cwchar>
#include <cwctype>
#include <string>

namespace DuiLib {

DWORD ParseColor(LPCTSTR value) {
    if (!value) return 0;
    while (*value && *value <= L' ') ++value;
    if (*value == L'#')
        ++value;
    else if (value[0] == L'0' && (value[1] == L'x' || value[1] == L'X'))
        value += 2;
    LPCTSTR start = value;
    wchar_t* end = nullptr;
    unsigned long color = wcstoul(start, &end, 16);
    if (end - start == 6) color |= 0xFF000000;
    return static_cast<DWORD>(color);
}

int ParseInts(LPCTSTR value, long* out, int count) {
    if (!value) return 0;
    int read = 0;
    LPCTSTR p = value;
    while (read < count && *p) {
        while (*p && *p != L'-' && *p != L'+' && !iswdigit(*p)) ++p;
        if (!*p) break;
        wchar_t* end = nullptr;
        out[read++] = wcstol(p, &end, 10);
        if (end == p) break;
        p = end;
    }
    return read;
}

RECT ParseRect(LPCTSTR value) {
    long v[4] = {0, 0, 0, 0};
    ParseInts(value, v, 4);
    return RECT{v[0], v[1], v[2], v[3]};
}

SIZE ParseSize(LPCTSTR value) {
    long v[2] = {0, 0};
    ParseInts(value, v, 2);
    return SIZE{v[0], v[1]};
}

bool ParseBool(LPCTSTR value) { return value && (_wcsicmp(value, L"true") == 0 || wcscmp(value, L"1") == 0); }

int ParseInt(LPCTSTR value) { return value ? static_cast<int>(wcstol(value, nullptr, 10)) : 0; }

AttributeList ParseAttributeList(LPCTSTR list) {
    AttributeList out;
    if (!list) return out;
    LPCTSTR p = list;
    for (;;) {
        while (*p && (iswspace(*p) || *p == L',')) ++p;
        if (!*p) break;
        LPCTSTR nameStart = p;
        while (*p && *p != L'=' && !iswspace(*p)) ++p;
        CDuiString name(nameStart, static_cast<int>(p - nameStart));
        while (*p && iswspace(*p)) ++p;
        if (*p != L'=') break;
        ++p;
        while (*p && iswspace(*p)) ++p;
        wchar_t quote = *p;
        if (quote != L'"' && quote != L'\'') break;
        LPCTSTR valueStart = ++p;
        while (*p && *p != quote) ++p;
        out.emplace_back(name, CDuiString(valueStart, static_cast<int>(p - valueStart)));
        if (!*p) break;
        ++p;
    }
    return out;
}

namespace {

// Calls fn for every word of value (separated by blanks or commas).
template <class Fn>
void ForEachWord(LPCTSTR value, Fn fn) {
    if (!value) return;
    std::wstring word;
    for (LPCTSTR p = value;; ++p) {
        if (*p && !iswspace(*p) && *p != L',') {
            word += *p;
            continue;
        }
        if (!word.empty()) fn(word);
        word.clear();
        if (!*p) break;
    }
}

UINT SetVertical(UINT style, UINT bit) { return (style & ~(DT_TOP | DT_VCENTER | DT_BOTTOM)) | bit; }

}  // namespace

UINT ApplyHAlign(UINT style, LPCTSTR value) {
    ForEachWord(value, [&](const std::wstring& w) {
        if (w == L"left")
            style = (style & ~(DT_CENTER | DT_RIGHT)) | DT_LEFT;
        else if (w == L"center")
            style = (style & ~(DT_LEFT | DT_RIGHT)) | DT_CENTER;
        else if (w == L"right")
            style = (style & ~(DT_LEFT | DT_CENTER)) | DT_RIGHT;
        else if (w == L"top")
            style = SetVertical(style, DT_TOP);
        else if (w == L"vcenter")
            style = SetVertical(style, DT_VCENTER);
        else if (w == L"bottom")
            style = SetVertical(style, DT_BOTTOM);
    });
    return style;
}

UINT ApplyVAlign(UINT style, LPCTSTR value) {
    ForEachWord(value, [&](const std::wstring& w) {
        if (w == L"top")
            style = SetVertical(style, DT_TOP);
        else if (w == L"center" || w == L"vcenter")
            style = SetVertical(style, DT_VCENTER);
        else if (w == L"bottom")
            style = SetVertical(style, DT_BOTTOM);
    });
    return style;
}

}  // namespace DuiLib
