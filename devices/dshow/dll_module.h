// The DLL that hosts the filters: its handle, and the count of live objects and
// locks that decides DllCanUnloadNow.
#pragma once

#include <windows.h>

#include <string>

void SetModuleHandleFromDllMain(HINSTANCE module);
HINSTANCE ModuleHandle();
// Full path of the hosting DLL; empty when it cannot be read.
std::wstring ModulePath();

void ModuleObjectCreated();
void ModuleObjectDestroyed();
void ModuleLock(bool lock);
// S_OK when no object and no lock is alive, else S_FALSE.
HRESULT ModuleCanUnloadNow();
