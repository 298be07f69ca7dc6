// Screenshots of the recorded area: their file names and image files.
#pragma once

#include <windows.h>

#include <string>

enum class ImageKind { Bmp, Jpeg, Png };

// The encoder a screenshot format setting picks: "bmp" BMP, "jpg" JPEG, anything
// else PNG; case is ignored.
ImageKind ImageKindOf(const std::wstring& format);

// "<folder>\yyyymmdd_hhmmss.<format in lower case>"; an empty format gives ".png".
std::wstring ScreenshotFileName(const std::wstring& folder, const std::wstring& format, const SYSTEMTIME& now);

// Copies that rectangle of the screen (desktop pixels) into an image file of that
// kind. false (and logged) when the rectangle is empty or the copy or the encoder
// fails; a file that was begun is removed then.
bool SaveScreenArea(const RECT& area, const std::wstring& path, ImageKind kind);
