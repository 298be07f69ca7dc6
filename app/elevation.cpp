#include "app/elevation.h"

#include <atomic>
#include <vector>

#include "common/logger.h"
#include "common/text_convert.h"

namespace {

class SystemElevation : public Elevation {
public:
    bool IsAdministrator() override { return IsRunAsAdmin(); }
    bool Execute(SHELLEXECUTEINFOW& request) override { return ShellExecuteExW(&request) != FALSE; }
};

SystemElevation g_systemElevation;
std::atomic<Elevation*> g_elevation{nullptr};

constexpr DWORD kPathLimit = 260;  // including the terminator

}  // namespace

Elevation& GetElevation() {
    Elevation* e = g_elevation.load();
    return e ? *e : g_systemElevation;
}

void SetElevation(Elevation* elevation) { g_elevation = elevation; }

bool IsRunAsAdmin() {
    SID_IDENTIFIER_AUTHORITY ntAuthority = SECURITY_NT_AUTHORITY;
    PSID administrators = nullptr;
    if (!AllocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0,
                                  0, &administrators))
        return false;
    BOOL member = FALSE;
    if (!CheckTokenMembership(nullptr, administrators, &member)) member = FALSE;
    FreeSid(administrators);
    return member != FALSE;
}

std::wstring CommandLineToWide(const char* commandLine) {
    if (!commandLine || !*commandLine) return L"";
    return ChsToWide(commandLine);
}

bool RestartElevated(const std::wstring& parameters) {
    wchar_t module[kPathLimit] = {};
    DWORD n = GetModuleFileNameW(nullptr, module, kPathLimit);
    if (n == 0 || n >= kPathLimit) return false;
    wchar_t folder[kPathLimit] = {};
    GetCurrentDirectoryW(kPathLimit, folder);
    AllowSetForegroundWindow(ASFW_ANY);
    SHELLEXECUTEINFOW request = {};
    request.cbSize = sizeof(request);
    request.fMask = SEE_MASK_NOCLOSEPROCESS;
    request.lpVerb = L"runas";
    request.lpFile = module;
    request.lpParameters = parameters.c_str();
    request.lpDirectory = folder;
    request.nShow = SW_SHOWNORMAL;
    if (!GetElevation().Execute(request)) {
        LogBoth("RestartElevated", "ShellExecuteExW runas failed (%lu) error", GetLastError());
        return false;
    }
    if (request.hProcess) CloseHandle(request.hProcess);  // not waited for
    return true;
}

bool RestartIfElevationNeeded(const std::wstring& settingIni, const char* commandLine) {
    if (GetPrivateProfileIntW(L"Start", L"Admin_start", 0, settingIni.c_str()) == 0) return false;
    if (GetElevation().IsAdministrator()) return false;
    HANDLE mutex = CreateMutexW(nullptr, TRUE, L"VistrelRun");
    RestartElevated(CommandLineToWide(commandLine));
    if (mutex) {
        ReleaseMutex(mutex);
        CloseHandle(mutex);
    }
    return true;
}
