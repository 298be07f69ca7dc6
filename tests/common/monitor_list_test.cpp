#include "common/monitor_list.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct MonitorPlace {
    RECT rect;
    bool primary;
};

struct MonitorCase {
    const char* what;
    std::vector<MonitorPlace> monitors;  // in enumeration order
    std::vector<std::wstring> names;
    RECT expectedUnion;
};

MonitorInfo RecordAt(const MonitorPlace& place) {
    MonitorInfo m;
    m.x = place.rect.left;
    m.y = place.rect.top;
    m.width = place.rect.right - place.rect.left;
    m.height = place.rect.bottom - place.rect.top;
    m.primary = place.primary;
    return m;
}

void ExpectRect(const RECT& got, const RECT& want) {
    EXPECT_EQ(got.left, want.left);
    EXPECT_EQ(got.top, want.top);
    EXPECT_EQ(got.right, want.right);
    EXPECT_EQ(got.bottom, want.bottom);
}

TEST(MonitorList, NamesAndUnionFollowTheEnumeration) {
    const MonitorCase cases[] = {
        {"one monitor", {{{0, 0, 1920, 1080}, true}}, {L"显示器 1"}, {0, 0, 1920, 1080}},
        {"second monitor left of the primary",
         {{{0, 0, 1920, 1080}, true}, {{-1280, 0, 0, 1024}, false}},
         {L"显示器 1", L"显示器 2"},
         {-1280, 0, 1920, 1080}},
        {"primary enumerated last",
         {{{1920, 0, 3200, 1024}, false}, {{3200, 0, 4480, 1024}, false}, {{0, 0, 1920, 1080}, true}},
         {L"显示器 2", L"显示器 3", L"显示器 1"},
         {0, 0, 4480, 1080}},
        {"primary in the middle, all away from the origin",
         {{{100, 200, 900, 800}, false}, {{900, 200, 1700, 800}, true}, {{1700, 200, 2500, 800}, false}},
         {L"显示器 2", L"显示器 1", L"显示器 3"},
         {0, 0, 2500, 800}},
    };
    for (const MonitorCase& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<MonitorInfo> list;
        for (const MonitorPlace& place : c.monitors) AppendMonitorRecord(list, RecordAt(place));
        ASSERT_EQ(list.size(), c.names.size());
        for (size_t i = 0; i < list.size(); ++i) EXPECT_EQ(list[i].name, c.names[i]) << "monitor " << i;
        ExpectRect(MonitorUnionRect(list), c.expectedUnion);
        EXPECT_TRUE(HasPrimaryMonitor(list));
    }
}

TEST(MonitorList, EmptyOrPrimaryLessListsHaveNoPrimary) {
    std::vector<MonitorInfo> list;
    EXPECT_FALSE(HasPrimaryMonitor(list));
    ExpectRect(MonitorUnionRect(list), {0, 0, 0, 0});
    AppendMonitorRecord(list, RecordAt({{0, 0, 800, 600}, false}));
    EXPECT_FALSE(HasPrimaryMonitor(list));
}

// The test environment's desktop is one Xvfb screen.
TEST(MonitorList, FindsTheRealMonitor) {
    std::vector<MonitorInfo> list;
    RECT all = {-1, -1, -1, -1};
    ASSERT_TRUE(EnumMonitorList(list, all));
    ASSERT_EQ(list.size(), 1u);
    const MonitorInfo& m = list[0];
    const int screenW = GetSystemMetrics(SM_CXSCREEN);
    const int screenH = GetSystemMetrics(SM_CYSCREEN);
    EXPECT_GT(screenW, 0);
    EXPECT_EQ(m.width, screenW);
    EXPECT_EQ(m.height, screenH);
    EXPECT_EQ(m.x, 0);
    EXPECT_EQ(m.y, 0);
    EXPECT_TRUE(m.primary);
    EXPECT_EQ(m.name, L"显示器 1");
    EXPECT_NE(m.monitor, nullptr);
    EXPECT_FALSE(m.device.empty());
    EXPECT_EQ(m.monitor, MonitorFromPoint({0, 0}, MONITOR_DEFAULTTONULL));
    ExpectRect(all, {0, 0, screenW, screenH});
    if (getenv("VISTREL_TESTENV")) {
        // tools/testenv.sh starts Xvfb at VISTREL_SCREEN, 1280x800 unless told otherwise.
        const char* size = getenv("VISTREL_SCREEN");
        int xvfbW = 0, xvfbH = 0;
        ASSERT_EQ(sscanf(size && *size ? size : "1280x800", "%dx%d", &xvfbW, &xvfbH), 2);
        EXPECT_EQ(screenW, xvfbW);
        EXPECT_EQ(screenH, xvfbH);
    }
}

TEST(MonitorList, EnumeratingTwiceAppendsAgain) {
    std::vector<MonitorInfo> list;
    RECT first = {}, second = {};
    ASSERT_TRUE(EnumMonitorList(list, first));
    const size_t once = list.size();
    ASSERT_GE(once, 1u);
    ASSERT_TRUE(EnumMonitorList(list, second));
    ASSERT_EQ(list.size(), 2 * once);
    for (size_t i = 0; i < once; ++i) {
        EXPECT_EQ(list[once + i].device, list[i].device);
        EXPECT_EQ(list[once + i].monitor, list[i].monitor);
    }
    ExpectRect(second, first);
}

}  // namespace
