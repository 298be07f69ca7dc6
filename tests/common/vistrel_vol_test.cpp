// Master volume against the test environment's real endpoints (PulseAudio: a
// playback endpoint and the capture endpoint "Monitor of NullOut"), with the
// volume setter replaced, since Wine cannot set an endpoint's volume; and once
// with the real setter, to see what the system does with it.
#include "common/vistrel_vol.h"

#include <windows.h>
#include <endpointvolume.h>
#include <mmdeviceapi.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include "common/logger.h"
#include "common/text_convert.h"
#include "tests/support/test_support.h"

using namespace testing_support;

namespace {

struct LevelCall {
    std::wstring id;
    std::wstring name;
    float level;
};

// Records every level it is asked to set; refuses the endpoints named in failFor.
class RecordingVolume : public EndpointVolumeSetter {
public:
    bool SetMasterLevel(const AudioEndpoint& endpoint, float level) override {
        calls.push_back({endpoint.id, endpoint.name, level});
        return endpoint.name != failFor;
    }
    std::vector<LevelCall> calls;
    std::wstring failFor;
};

class FixedEndpoints : public AudioEndpointSource {
public:
    EndpointListStatus ListActive(EndpointFlow flow, std::vector<AudioEndpoint>& endpoints) override {
        flows.push_back(flow);
        endpoints = list;
        return status;
    }
    std::vector<AudioEndpoint> list;
    EndpointListStatus status = EndpointListStatus::kOk;
    std::vector<EndpointFlow> flows;
};

// Points the program log at a file of its own for one test and reads it back.
class LogFile {
public:
    LogFile() { g_logger.Open(WideToChs(dir_.File(L"log.txt")).c_str()); }
    ~LogFile() { g_logger.Close(); }
    std::string Text() {
        g_logger.Close();
        return ReadFileBytes(dir_.File(L"log.txt"));
    }

private:
    TempDir dir_;
};

class RealEndpoints : public ::testing::Test {
protected:
    void SetUp() override { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    void TearDown() override { CoUninitialize(); }

    std::vector<AudioEndpoint> List(EndpointFlow flow) {
        std::vector<AudioEndpoint> list;
        EXPECT_EQ(endpoints.ListActive(flow, list), EndpointListStatus::kOk);
        return list;
    }
    const AudioEndpoint* FindNamed(const std::vector<AudioEndpoint>& list, const std::wstring& name) {
        for (const AudioEndpoint& e : list)
            if (e.name == name) return &e;
        return nullptr;
    }

    CoreAudioEndpoints endpoints;
    RecordingVolume volume;
    VistrelVol vol{endpoints, volume};
};

TEST_F(RealEndpoints, SystemVolumeReachesEveryActivePlaybackEndpoint) {
    std::vector<AudioEndpoint> playback = List(EndpointFlow::kPlayback);
    ASSERT_FALSE(playback.empty()) << "the test environment gives Wine a playback endpoint";
    vol.SetSystemVolume(50);
    ASSERT_EQ(volume.calls.size(), playback.size());
    for (size_t i = 0; i < playback.size(); ++i) {
        EXPECT_FALSE(volume.calls[i].id.empty());
        EXPECT_EQ(volume.calls[i].id, playback[i].id);
        EXPECT_FLOAT_EQ(volume.calls[i].level, 0.5f);
    }
    EXPECT_EQ(FindNamed(playback, L"Monitor of NullOut"), nullptr) << "capture endpoints are not playback";
}

TEST_F(RealEndpoints, DeviceVolumeByPartOfTheNameSetsThatEndpointOnly) {
    const std::vector<AudioEndpoint> all = List(EndpointFlow::kAny);
    const AudioEndpoint* monitor = FindNamed(all, L"Monitor of NullOut");
    ASSERT_NE(monitor, nullptr);
    std::wstring monitorId = monitor->id;
    EXPECT_TRUE(vol.SetDeviceVolume(L"of NullOut", 30));
    ASSERT_EQ(volume.calls.size(), 1u);
    EXPECT_EQ(volume.calls[0].id, monitorId);
    EXPECT_FLOAT_EQ(volume.calls[0].level, 0.3f);
}

TEST_F(RealEndpoints, DeviceVolumeWithoutAMatchChangesNothing) {
    const wchar_t* names[] = {L"No such endpoint", L"monitor of nullout" /* case matters */, L""};
    for (const wchar_t* name : names) {
        EXPECT_TRUE(vol.SetDeviceVolume(name, 30)) << WideToUtf8(name);
        EXPECT_TRUE(volume.calls.empty()) << WideToUtf8(name);
    }
}

namespace {

// The master level of the endpoint with that id as Core Audio reads it; -1 when it
// cannot be read.
float ReadMasterLevel(const std::wstring& id) {
    float level = -1;
    IMMDeviceEnumerator* enumerator = nullptr;
    if (FAILED(CoCreateInstance(__uuidof(MMDeviceEnumerator), nullptr, CLSCTX_ALL, __uuidof(IMMDeviceEnumerator),
                                reinterpret_cast<void**>(&enumerator))))
        return level;
    IMMDevice* device = nullptr;
    if (SUCCEEDED(enumerator->GetDevice(id.c_str(), &device))) {
        IAudioEndpointVolume* volume = nullptr;
        if (SUCCEEDED(device->Activate(__uuidof(IAudioEndpointVolume), CLSCTX_ALL, nullptr,
                                       reinterpret_cast<void**>(&volume)))) {
            if (FAILED(volume->GetMasterVolumeLevelScalar(&level))) level = -1;
            volume->Release();
        }
        device->Release();
    }
    enumerator->Release();
    return level;
}

size_t CountOf(const std::string& text, const std::string& part) {
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

}  // namespace

// The real setter on the real endpoints, as the program runs it. Wine lists the
// endpoints and reads their level but refuses to set it (E_NOTIMPL); a system that
// sets it shows the new level. Either way every endpoint is tried and each refusal
// is logged, and a refused endpoint keeps its level.
TEST_F(RealEndpoints, TheRealSetterSetsEveryPlaybackEndpointOrLogsItsRefusal) {
    const std::vector<AudioEndpoint> playback = List(EndpointFlow::kPlayback);
    ASSERT_FALSE(playback.empty());
    std::vector<float> before;
    for (const AudioEndpoint& e : playback) before.push_back(ReadMasterLevel(e.id));
    for (float level : before) ASSERT_GE(level, 0.0f) << "the level can be read";
    std::string text;
    {
        LogFile log;
        VistrelVol real;
        real.SetSystemVolume(50);
        text = log.Text();
    }
    EXPECT_EQ(CountOf(text, "[VistrelVol::SetAsVol] [name]"), playback.size()) << text;
    EXPECT_EQ(CountOf(text, " [dwVol]50 "), playback.size()) << text;
    size_t refused = 0;
    for (size_t i = 0; i < playback.size(); ++i) {
        const float after = ReadMasterLevel(playback[i].id);
        if (after == 0.5f) continue;
        ++refused;
        EXPECT_FLOAT_EQ(after, before[i]) << "a refused endpoint keeps its level";
    }
    EXPECT_EQ(CountOf(text, "SetMasterVolumeLevelScalar error."), refused) << text;
    RecordProperty("endpoints_refused", int(refused));
    CoreAudioVolume restore;
    for (size_t i = 0; i < playback.size(); ++i) restore.SetMasterLevel(playback[i], before[i]);
}

TEST(VistrelVolListed, DeviceVolumeSetsOnlyTheFirstOfTwoMatches) {
    FixedEndpoints endpoints;
    endpoints.list = {{L"{0.0.0}.speakers", L"Speakers (USB Audio)"},
                      {L"{0.0.1}.mic", L"Microphone (USB Audio)"},
                      {L"{0.0.1}.mic2", L"Headset (USB Audio)"}};
    RecordingVolume volume;
    VistrelVol vol(endpoints, volume);
    EXPECT_TRUE(vol.SetDeviceVolume(L"phone (USB", 75));
    ASSERT_EQ(volume.calls.size(), 1u);
    EXPECT_EQ(volume.calls[0].id, L"{0.0.1}.mic");
    EXPECT_FLOAT_EQ(volume.calls[0].level, 0.75f);
    ASSERT_EQ(endpoints.flows.size(), 1u);
    EXPECT_EQ(endpoints.flows[0], EndpointFlow::kAny);

    volume.calls.clear();
    EXPECT_TRUE(vol.SetDeviceVolume(L"USB Audio", 10));
    ASSERT_EQ(volume.calls.size(), 1u);
    EXPECT_EQ(volume.calls[0].id, L"{0.0.0}.speakers");
}

TEST(VistrelVolListed, ScaleAndNamesReachTheLog) {
    FixedEndpoints endpoints;
    endpoints.list = {{L"a", L"扬声器"}, {L"b", L"Line Out"}};
    RecordingVolume volume;
    volume.failFor = L"扬声器";
    VistrelVol vol(endpoints, volume);
    LogFile log;
    vol.SetAsVol(3, 4);
    ASSERT_EQ(volume.calls.size(), 2u) << "a failing endpoint does not stop the others";
    EXPECT_FLOAT_EQ(volume.calls[0].level, 0.75f);
    EXPECT_FLOAT_EQ(volume.calls[1].level, 0.75f);
    EXPECT_EQ(endpoints.flows[0], EndpointFlow::kPlayback);
    std::string text = log.Text();
    EXPECT_NE(text.find("[VistrelVol::SetAsVol] " + WideToChs(L"[name]扬声器 [dwVol]3 ")), std::string::npos) << text;
    EXPECT_NE(text.find("[VistrelVol::SetAsVol] [name]Line Out [dwVol]3 "), std::string::npos) << text;
    EXPECT_EQ(text.find("SetMasterVolumeLevelScalar error."), text.rfind("SetMasterVolumeLevelScalar error."));
    EXPECT_NE(text.find("SetMasterVolumeLevelScalar error."), std::string::npos) << text;
}

TEST(VistrelVolListed, ListingFailuresAreLoggedAndSetNothing) {
    struct Case {
        EndpointListStatus status;
        const char* line;
    } cases[] = {
        {EndpointListStatus::kNoEnumerator, "[VistrelVol::SetAsVol] CoCreateInstance error."},
        {EndpointListStatus::kNoCollection, "[VistrelVol::SetAsVol] EnumAudioEndpoints error."},
        {EndpointListStatus::kNoCount, "[VistrelVol::SetAsVol] GetCount error."},
    };
    for (const Case& c : cases) {
        FixedEndpoints endpoints;
        endpoints.list = {{L"a", L"Speakers"}};
        endpoints.status = c.status;
        RecordingVolume volume;
        VistrelVol vol(endpoints, volume);
        LogFile log;
        vol.SetSystemVolume(40);
        EXPECT_FALSE(vol.SetDeviceVolume(L"Speakers", 40)) << c.line;
        EXPECT_TRUE(volume.calls.empty()) << c.line;
        EXPECT_NE(log.Text().find(c.line), std::string::npos) << c.line;
    }
}

}  // namespace
