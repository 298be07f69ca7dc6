#include "devices/dshow/dll_module.h"

#include <atomic>

namespace {
HINSTANCE g_module = nullptr;
std::atomic<long> g_objects{0};
std::atomic<long> g_locks{0};
}  // namespace

void SetModuleHandleFromDllMain(HINSTANCE module) { g_module = module; }

HINSTANCE ModuleHandle() { return g_module; }

std::wstring ModulePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = GetModuleFileNameW(g_module, &path[0], DWORD(path.size()));
        if (n == 0) return std::wstring();
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.resize(path.size() * 2);  // truncated: long path
    }
}

void ModuleObjectCreated() { ++g_objects; }
void ModuleObjectDestroyed() { --g_objects; }
void ModuleLock(bool lock) { lock ? ++g_locks : --g_locks; }
HRESULT ModuleCanUnloadNow() { return g_objects == 0 && g_locks == 0 ? S_OK : S_FALSE; }
