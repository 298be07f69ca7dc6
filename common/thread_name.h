// Names threads so that debuggers and the benchmark's CPU split can tell them apart.
#pragma once

#include <windows.h>

#include <string>

// Gives the calling thread a name (nothing happens where Windows lacks thread
// names, before Windows 10 1607). Any thread, about itself.
void NameCurrentThread(const wchar_t* name);

// The name a thread was given; empty when it has none. Any thread.
std::wstring ThreadName(HANDLE thread);
