// [Start] Admin_start: one elevated restart with the same command line and folder
// when the user has no administrator rights, none otherwise. Wine always runs as
// an administrator, so the test plays the user through the Elevation seam.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/elevation.h"
#include "tests/support/test_support.h"

namespace {

class FakeElevation : public Elevation {
public:
    explicit FakeElevation(bool admin) : admin_(admin) { SetElevation(this); }
    ~FakeElevation() override { SetElevation(nullptr); }
    bool IsAdministrator() override { return admin_; }
    bool Execute(SHELLEXECUTEINFOW& request) override {
        Launch launch;
        launch.verb = request.lpVerb ? request.lpVerb : L"";
        launch.file = request.lpFile ? request.lpFile : L"";
        launch.parameters = request.lpParameters ? request.lpParameters : L"";
        launch.folder = request.lpDirectory ? request.lpDirectory : L"";
        launch.show = request.nShow;
        HANDLE mutex = OpenMutexW(SYNCHRONIZE, FALSE, L"VistrelRun");
        launch.mutexHeld = mutex != nullptr;
        if (mutex) CloseHandle(mutex);
        launches.push_back(launch);
        return succeed;
    }
    struct Launch {
        std::wstring verb, file, parameters, folder;
        int show = 0;
        bool mutexHeld = false;
    };
    std::vector<Launch> launches;
    bool succeed = true;

private:
    bool admin_;
};

std::wstring ModulePath() {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return path;
}

std::wstring CurrentFolder() {
    wchar_t folder[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, folder);
    return folder;
}

}  // namespace

class ElevationTest : public ::testing::Test {
protected:
    void SetAdminStart(const wchar_t* value) {
        WritePrivateProfileStringW(L"Start", L"Admin_start", value, ini.c_str());
    }
    testing_support::TempDir dir;
    std::wstring ini = dir.File(L"setting_record.ini");
};

TEST_F(ElevationTest, RestartsOnlyWhenAskedAndNotElevated) {
    struct Case {
        const wchar_t* adminStart;  // nullptr: no key
        bool admin;
        bool restarts;
    } cases[] = {
        {nullptr, false, false}, {L"0", false, false}, {L"1", true, false},
        {L"1", false, true},     {L"2", false, true},  {L"abc", false, false},
    };
    for (const Case& c : cases) {
        DeleteFileW(ini.c_str());
        if (c.adminStart) SetAdminStart(c.adminStart);
        FakeElevation elevation(c.admin);
        EXPECT_EQ(RestartIfElevationNeeded(ini, "-t"), c.restarts) << (c.adminStart ? "set" : "missing") << c.admin;
        EXPECT_EQ(elevation.launches.size(), c.restarts ? 1u : 0u);
    }
}

TEST_F(ElevationTest, TheRestartIsThisProgramWithTheSameCommandLineAndFolder) {
    SetAdminStart(L"1");
    FakeElevation elevation(false);
    ASSERT_TRUE(RestartIfElevationNeeded(ini, "-t \xD6\xD0\xCE\xC4 \"a b\""));  // "中文" in code page 936
    ASSERT_EQ(elevation.launches.size(), 1u);
    const FakeElevation::Launch& launch = elevation.launches[0];
    EXPECT_EQ(launch.verb, L"runas");
    EXPECT_EQ(launch.file, ModulePath());
    EXPECT_EQ(launch.parameters, L"-t 中文 \"a b\"");
    EXPECT_EQ(launch.folder, CurrentFolder());
    EXPECT_EQ(launch.show, SW_SHOWNORMAL);
    EXPECT_TRUE(launch.mutexHeld) << "\"VistrelRun\" is held while the restart starts";
    HANDLE after = OpenMutexW(SYNCHRONIZE, FALSE, L"VistrelRun");
    EXPECT_EQ(after, nullptr) << "and released after it";
    if (after) CloseHandle(after);
}

TEST_F(ElevationTest, AnEmptyCommandLineAndARefusedRestart) {
    SetAdminStart(L"1");
    FakeElevation elevation(false);
    elevation.succeed = false;  // the user said no: this process still ends
    EXPECT_TRUE(RestartIfElevationNeeded(ini, ""));
    EXPECT_TRUE(RestartIfElevationNeeded(ini, nullptr));
    ASSERT_EQ(elevation.launches.size(), 2u);
    EXPECT_EQ(elevation.launches[0].parameters, L"");
    EXPECT_EQ(elevation.launches[1].parameters, L"");
}
