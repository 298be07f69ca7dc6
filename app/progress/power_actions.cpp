#include "app/progress/power_actions.h"

#include <windows.h>

#include "common/logger.h"

namespace {

// Enables the shutdown privilege of this process. false, logged, when the token
// cannot be opened, or when mustBeGranted is set and Windows refused the privilege.
bool EnableShutdownPrivilege(const char* where, bool mustBeGranted) {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) {
        LogBoth(where, "OpenProcessToken error");
        return false;
    }
    TOKEN_PRIVILEGES privileges = {};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    bool granted = LookupPrivilegeValueW(nullptr, SE_SHUTDOWN_NAME, &privileges.Privileges[0].Luid) &&
                   AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr) &&
                   GetLastError() == ERROR_SUCCESS;  // ERROR_NOT_ALL_ASSIGNED when refused
    CloseHandle(token);
    if (granted || !mustBeGranted) return true;
    LogBoth(where, "AdjustTokenPrivileges(SeShutdownPrivilege) error");
    return false;
}

}  // namespace

void SystemPowerActions::ShutdownSystem() {
    constexpr const char* where = "SystemPowerActions::ShutdownSystem";
    if (!EnableShutdownPrivilege(where, true)) return;
    wchar_t message[] = L"由于系统不稳定，WINDOWS将在上面的时间内关机，请做好保存工作!";
    if (!InitiateSystemShutdownW(nullptr, message, 30, FALSE, FALSE))
        LogBoth(where, "[GetLastError]%lu InitiateSystemShutdownW error", GetLastError());
}

// Sleep is asked for whether or not the privilege was granted; Windows refuses it
// without.
void SystemPowerActions::SuspendSystem() {
    constexpr const char* where = "SystemPowerActions::SuspendSystem";
    if (!EnableShutdownPrivilege(where, false)) return;
    if (!SetSystemPowerState(TRUE, FALSE))
        LogBoth(where, "[GetLastError]%lu SetSystemPowerState error", GetLastError());
}
