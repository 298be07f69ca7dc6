#include "power_actions.h"

#include <windows.h>

#include "logger.h"

namespace {

// Enables the shutdown privilege of this process. false when the token cannot be
// opened; granted tells whether Windows gave the privilege.
bool EnableShutdownPrivilege(bool& granted) {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) return false;
    TOKEN_PRIVILEGES privileges = {};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    granted = LookupPrivilegeValueW(nullptr, SE_SHUTDOWN_NAME, &privileges.Privileges[0].Luid) &&
              AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr) &&
              GetLastError() == ERROR_SUCCESS;  // ERROR_NOT_ALL_ASSIGNED when refused
    CloseHandle(token);
    return true;
}

}  // namespace

void SystemPowerActions::ShutdownSystem() {
    constexpr const char* where = "SystemPowerActions::ShutdownSystem";
    bool granted = false;
    if (!EnableShutdownPrivilege(granted)) {
        LogBoth(where, "OpenProcessToken error");
        return;
    }
    if (!granted) {
        LogBoth(where, "AdjustTokenPrivileges(SeShutdownPrivilege) error");
        return;
    }
    wchar_t message[] = L"由于系统不稳定，WINDOWS将在上面的时间内关机，请做好保存工作!";
    if (!InitiateSystemShutdownW(nullptr, message, 30, FALSE, FALSE))
        LogBoth(where, "[GetLastError]%lu InitiateSystemShutdownW error", GetLastError());
}

void SystemPowerActions::SuspendSystem() {
    constexpr const char* where = "SystemPowerActions::SuspendSystem";
    bool granted = false;
    if (!EnableShutdownPrivilege(granted)) {
        LogBoth(where, "OpenProcessToken error");
        return;
    }
    if (!SetSystemPowerState(TRUE, FALSE))
        LogBoth(where, "[GetLastError]%lu SetSystemPowerState error", GetLastError());
}
