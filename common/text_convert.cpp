#include "common/text_convert.h"

#include <windows.h>

namespace {

// Strict decoding: a byte sequence the code page cannot read is a failure.
std::wstring Decode(unsigned codePage, const std::string& text) {
    if (text.empty()) return L"";
    const int size = static_cast<int>(text.size());
    int n = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), size, nullptr, 0);
    if (n <= 0) return L"";
    std::wstring out(n, L'\0');
    if (MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), size, &out[0], n) != n) return L"";
    return out;
}

std::string Encode(unsigned codePage, const std::wstring& text) {
    if (text.empty()) return "";
    const int size = static_cast<int>(text.size());
    int n = WideCharToMultiByte(codePage, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    if (n <= 0) return "";
    std::string out(n, '\0');
    if (WideCharToMultiByte(codePage, 0, text.data(), size, &out[0], n, nullptr, nullptr) != n) return "";
    return out;
}

}  // namespace

std::string WideToChs(const std::wstring& text) { return Encode(kChsCodePage, text); }
std::wstring ChsToWide(const std::string& text) { return Decode(kChsCodePage, text); }
std::string WideToAnsi(const std::wstring& text) { return Encode(CP_ACP, text); }
std::wstring AnsiToWide(const std::string& text) { return Decode(CP_ACP, text); }
std::string WideToUtf8(const std::wstring& text) { return Encode(CP_UTF8, text); }
std::wstring Utf8ToWide(const std::string& text) { return Decode(CP_UTF8, text); }

std::string AnsiToUtf8(const std::string& text) {
    if (text.empty()) return "";
    std::wstring wide = AnsiToWide(text);
    return wide.empty() ? "" : WideToUtf8(wide);
}
