#include "ui/base/dui_string.h"

#include <algorithm>
#include <cstdarg>
#include <cwchar>
#include <cwctype>
#include <vector>

namespace DuiLib {

namespace {

std::wstring VFormat(LPCTSTR format, va_list args) {
    if (!format) return std::wstring();
    std::vector<wchar_t> buf(256);
    for (;;) {
        va_list copy;
        va_copy(copy, args);
        int n = _vsnwprintf(buf.data(), buf.size(), format, copy);
        va_end(copy);
        if (n >= 0 && static_cast<size_t>(n) < buf.size()) return std::wstring(buf.data(), n);
        if (buf.size() > (1u << 20)) return std::wstring();  // a runaway format
        buf.resize(buf.size() * 2);
    }
}

}  // namespace

void CDuiString::Assign(LPCTSTR text, int length) {
    if (!text) {
        m_str.clear();
        return;
    }
    m_str.assign(text, length < 0 ? wcslen(text) : static_cast<size_t>(length));
}

wchar_t CDuiString::GetAt(int index) const { return index >= 0 && index < GetLength() ? m_str[index] : L'\0'; }

void CDuiString::SetAt(int index, wchar_t ch) {
    if (index >= 0 && index < GetLength()) m_str[index] = ch;
}

int CDuiString::Compare(LPCTSTR text) const { return wcscmp(m_str.c_str(), text ? text : L""); }

int CDuiString::CompareNoCase(LPCTSTR text) const { return _wcsicmp(m_str.c_str(), text ? text : L""); }

CDuiString CDuiString::Left(int length) const {
    if (length < 0) length = 0;
    return CDuiString(m_str.substr(0, static_cast<size_t>(length)));
}

CDuiString CDuiString::Mid(int pos, int length) const {
    if (pos < 0) pos = 0;
    if (pos >= GetLength()) return CDuiString();
    return CDuiString(length < 0 ? m_str.substr(pos) : m_str.substr(pos, static_cast<size_t>(length)));
}

CDuiString CDuiString::Right(int length) const {
    if (length <= 0) return CDuiString();
    int start = std::max(0, GetLength() - length);
    return CDuiString(m_str.substr(start));
}

int CDuiString::Find(wchar_t ch, int start) const {
    if (start < 0 || start > GetLength()) return -1;
    size_t at = m_str.find(ch, static_cast<size_t>(start));
    return at == std::wstring::npos ? -1 : static_cast<int>(at);
}

int CDuiString::Find(LPCTSTR text, int start) const {
    if (!text || start < 0 || start > GetLength()) return -1;
    size_t at = m_str.find(text, static_cast<size_t>(start));
    return at == std::wstring::npos ? -1 : static_cast<int>(at);
}

int CDuiString::ReverseFind(wchar_t ch) const {
    size_t at = m_str.rfind(ch);
    return at == std::wstring::npos ? -1 : static_cast<int>(at);
}

int CDuiString::Replace(LPCTSTR from, LPCTSTR to) {
    if (!from || !*from) return 0;
    std::wstring target(from), replacement(to ? to : L"");
    int count = 0;
    for (size_t at = m_str.find(target); at != std::wstring::npos; at = m_str.find(target, at + replacement.size())) {
        m_str.replace(at, target.size(), replacement);
        ++count;
    }
    return count;
}

void CDuiString::MakeUpper() {
    for (auto& ch : m_str) ch = static_cast<wchar_t>(towupper(ch));
}

void CDuiString::MakeLower() {
    for (auto& ch : m_str) ch = static_cast<wchar_t>(towlower(ch));
}

int CDuiString::Format(LPCTSTR format, ...) {
    va_list args;
    va_start(args, format);
    m_str = VFormat(format, args);
    va_end(args);
    return GetLength();
}

CDuiString CDuiString::FormatText(LPCTSTR format, ...) {
    va_list args;
    va_start(args, format);
    CDuiString result(VFormat(format, args));
    va_end(args);
    return result;
}

}  // namespace DuiLib
