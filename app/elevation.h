// Running with administrator rights when the settings ask for it ([Start]
// Admin_start): the check and the restart with the verb "runas". Both go through
// Elevation, so a test can play a user without rights (Wine always runs as an
// administrator) and see the restart without starting a process.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>

class Elevation {
public:
    virtual ~Elevation() = default;
    // Whether the process token is a member of the built-in Administrators group.
    virtual bool IsAdministrator() = 0;
    // ShellExecuteExW with the filled-in request; false when it failed.
    virtual bool Execute(SHELLEXECUTEINFOW& request) = 0;
};

// The real one unless a test set its own.
Elevation& GetElevation();
// nullptr goes back to the real one. The caller keeps ownership.
void SetElevation(Elevation* elevation);

// The system's own answer (CheckTokenMembership); false when the SID cannot be built.
bool IsRunAsAdmin();
// The command line handed to WinMain (code page 936) as wide text for the restart.
std::wstring CommandLineToWide(const char* commandLine);
// Starts this program again elevated in the current folder with the given
// parameters; does not wait for it. Nothing happens when the module path cannot
// be read. false when the restart could not be started (or was refused).
bool RestartElevated(const std::wstring& parameters);

// Start-up steps 1 and 2: when [Start] Admin_start of settingIni is set and the
// process has no administrator rights, restarts elevated while holding the
// mutex "VistrelRun" and returns true: this process must then end.
bool RestartIfElevationNeeded(const std::wstring& settingIni, const char* commandLine);
