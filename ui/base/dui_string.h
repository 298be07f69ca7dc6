// CDuiString: the library's wide string, a thin value type over std::wstring
// with the helpers the windows use (format, find, compare without case).
#pragma once

#include <windows.h>

#include <string>

namespace DuiLib {

class CDuiString {
public:
    CDuiString() = default;
    CDuiString(LPCTSTR text) : m_str(text ? text : L"") {}
    CDuiString(LPCTSTR text, int length) : m_str(text ? std::wstring(text, length < 0 ? wcslen(text) : length) : L"") {}
    CDuiString(wchar_t ch) : m_str(1, ch) {}
    CDuiString(const std::wstring& text) : m_str(text) {}

    LPCTSTR GetData() const { return m_str.c_str(); }
    operator LPCTSTR() const { return m_str.c_str(); }
    const std::wstring& Str() const { return m_str; }
    int GetLength() const { return static_cast<int>(m_str.size()); }
    bool IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }
    void Assign(LPCTSTR text, int length = -1);

    wchar_t GetAt(int index) const;
    void SetAt(int index, wchar_t ch);
    wchar_t operator[](int index) const { return GetAt(index); }

    CDuiString& operator=(LPCTSTR text) {
        m_str = text ? text : L"";
        return *this;
    }
    CDuiString& operator=(wchar_t ch) {
        m_str.assign(1, ch);
        return *this;
    }
    CDuiString& operator+=(const CDuiString& text) {
        m_str += text.m_str;
        return *this;
    }
    CDuiString& operator+=(LPCTSTR text) {
        if (text) m_str += text;
        return *this;
    }
    CDuiString& operator+=(wchar_t ch) {
        m_str += ch;
        return *this;
    }
    CDuiString& Append(LPCTSTR text) { return *this += text; }

    bool operator==(LPCTSTR text) const { return Compare(text) == 0; }
    bool operator!=(LPCTSTR text) const { return Compare(text) != 0; }
    bool operator<(const CDuiString& other) const { return m_str < other.m_str; }
    int Compare(LPCTSTR text) const;
    int CompareNoCase(LPCTSTR text) const;

    CDuiString Left(int length) const;
    CDuiString Mid(int pos, int length = -1) const;
    CDuiString Right(int length) const;
    // Index of the first match at or after start, -1 when none.
    int Find(wchar_t ch, int start = 0) const;
    int Find(LPCTSTR text, int start = 0) const;
    int ReverseFind(wchar_t ch) const;
    // Replaces every occurrence; returns how many were replaced.
    int Replace(LPCTSTR from, LPCTSTR to);
    void MakeUpper();
    void MakeLower();

    // printf-style formatting into this string; returns the new length.
    int Format(LPCTSTR format, ...);
    static CDuiString FormatText(LPCTSTR format, ...);

private:
    std::wstring m_str;
};

inline CDuiString operator+(const CDuiString& a, const CDuiString& b) {
    CDuiString r(a);
    r += b;
    return r;
}
inline CDuiString operator+(const CDuiString& a, LPCTSTR b) {
    CDuiString r(a);
    r += b;
    return r;
}
inline CDuiString operator+(LPCTSTR a, const CDuiString& b) {
    CDuiString r(a);
    r += b;
    return r;
}
inline bool operator==(const CDuiString& a, const CDuiString& b) { return a.Str() == b.Str(); }
inline bool operator!=(const CDuiString& a, const CDuiString& b) { return a.Str() != b.Str(); }

}  // namespace DuiLib
