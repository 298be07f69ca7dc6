// Text conversions at the edges of the program.
//
// Narrow file lines, ini values and paths for narrow APIs are in the "chs" code
// page (936, simplified Chinese); DirectShow device names arrive in the system's
// ANSI code page and FFmpeg takes UTF-8. Everything else is UTF-16.
#pragma once

#include <string>

constexpr unsigned kChsCodePage = 936;

// Characters the code page lacks become its default character ('?').
std::string WideToChs(const std::wstring& text);
// Invalid byte sequences yield an empty string.
std::wstring ChsToWide(const std::string& text);

// The same through the system's ANSI code page (CP_ACP); empty on failure.
std::string WideToAnsi(const std::wstring& text);
std::wstring AnsiToWide(const std::string& text);

// ANSI -> UTF-16 -> UTF-8; any failure in either step yields an empty string.
std::string AnsiToUtf8(const std::string& text);
std::string WideToUtf8(const std::wstring& text);
std::wstring Utf8ToWide(const std::string& text);
