#include "devices/dshow/dll_exports.h"

#include "devices/dshow/dll_module.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        SetModuleHandleFromDllMain(module);
        DisableThreadLibraryCalls(module);
    }
    return TRUE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID riid, void** out) {
    return GetFilterClassObject(HostedFilterTable(), clsid, riid, out);
}

STDAPI DllCanUnloadNow() { return ModuleCanUnloadNow(); }

STDAPI DllRegisterServer() { return RegisterFilters(HostedFilterTable()); }

STDAPI DllUnregisterServer() { return UnregisterFilters(HostedFilterTable()); }
