// Devices opened at different moments, each in its own FFmpeg input (its own
// graph), stamp their packets on one time line: the recorder compares packet
// times across devices.
#include "tests/devices/clock_probe.h"
#include "tests/devices/screen_registry.h"
#include "tests/fixtures/fixture_devices.h"

#include <gtest/gtest.h>

using namespace device_testing;

namespace {

TEST(DeviceClock, ScreenAndToneOpenedApartShareOneTimeLine) {
    ScopedScreenValues registry({0, 0, 160, 120, 25, 0});
    ExpectOneTimeLine("video=screen-capture-recorder", std::string("audio=") + fixture_devices::kToneDeviceName);
}

}  // namespace
