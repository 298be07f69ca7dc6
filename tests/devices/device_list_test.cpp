// The devices FFmpeg's dshow input finds once the DLLs are registered.
#include "tests/devices/dshow_test_input.h"
#include "tests/fixtures/fixture_devices.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace device_testing;

namespace {

bool Contains(const std::vector<std::string>& names, const std::string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

TEST(DeviceList, NamesAreListedUnderTheirKind) {
    std::vector<std::string> video = ListDeviceNames(true);
    std::vector<std::string> audio = ListDeviceNames(false);
    EXPECT_TRUE(Contains(video, "screen-capture-recorder"));
    EXPECT_TRUE(Contains(video, fixture_devices::kPatternCameraName));
    EXPECT_TRUE(Contains(audio, "virtual-audio-capturer"));
    EXPECT_TRUE(Contains(audio, fixture_devices::kToneDeviceName));
    EXPECT_FALSE(Contains(audio, "screen-capture-recorder"));
    EXPECT_FALSE(Contains(video, "virtual-audio-capturer"));
}

}  // namespace
