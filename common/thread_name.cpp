// Thread names through SetThreadDescription / GetThreadDescription, looked up at run time.
#include "common/thread_name.h"

namespace {

using SetDescription = HRESULT(WINAPI*)(HANDLE, PCWSTR);
using GetDescription = HRESULT(WINAPI*)(HANDLE, PWSTR*);

// Through void*: a FARPROC converts to no other function type without a warning.
void* Kernel32Function(const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), name));
}

}  // namespace

void NameCurrentThread(const wchar_t* name) {
    static const auto set = reinterpret_cast<SetDescription>(Kernel32Function("SetThreadDescription"));
    if (set) set(GetCurrentThread(), name);
}

std::wstring ThreadName(HANDLE thread) {
    static const auto get = reinterpret_cast<GetDescription>(Kernel32Function("GetThreadDescription"));
    PWSTR text = nullptr;
    if (!get || FAILED(get(thread, &text)) || !text) return L"";
    std::wstring name = text;
    LocalFree(text);
    return name;
}
