// The screen device's registry key in a test: read its values, set one up front,
// and remove the key when the test is done with it.
#pragma once

#include <windows.h>

#include <optional>

class ScopedScreenKey {
public:
    ScopedScreenKey();   // starts from no key
    ~ScopedScreenKey();  // removes the key
    ScopedScreenKey(const ScopedScreenKey&) = delete;
    ScopedScreenKey& operator=(const ScopedScreenKey&) = delete;

    static std::optional<DWORD> Read(const wchar_t* name);
    static void Write(const wchar_t* name, DWORD value);
};
