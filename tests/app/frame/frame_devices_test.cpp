// The main window's device lists and sound controls: from devices a test offers
// (names the lists never show, none at all) and from what Wine lists in the test
// prefix; the sliders choose the sound sources and set the devices' volume
// through a setter that records instead of reaching the endpoints.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "app/capture_devices.h"
#include "common/audio_endpoints.h"
#include "common/record_globals.h"
#include "common/text_convert.h"
#include "tests/app/frame/main_window_fixture.h"
#include "tests/ui/ui_test_support.h"

using namespace DuiLib;

namespace {

class FakeDevices : public CaptureDeviceSource {
public:
    std::vector<std::wstring> video, audio;
    std::vector<EndpointName> endpoints;  // capture and render together
    std::wstring defaultCapture;

    std::vector<std::wstring> CaptureFilters(bool wantAudio) override { return wantAudio ? audio : video; }
    std::vector<EndpointName> Endpoints(EndpointDirection direction, bool) override {
        std::vector<EndpointName> out;
        for (const EndpointName& e : endpoints)
            if (direction == EndpointDirection::kBoth || e.render == (direction == EndpointDirection::kRender))
                out.push_back(e);
        return out;
    }
    std::wstring DefaultCaptureEndpoint() override { return defaultCapture; }
};

class RecordingVolume : public EndpointVolumeSetter {
public:
    std::vector<std::pair<std::wstring, float>> calls;
    bool SetMasterLevel(const AudioEndpoint& endpoint, float level) override {
        calls.emplace_back(endpoint.name, level);
        return true;
    }
};

template <class T>
bool Contains(const std::vector<T>& list, const T& item) {
    return std::find(list.begin(), list.end(), item) != list.end();
}

std::vector<std::wstring> PlaybackEndpointNames() {
    CoreAudioEndpoints endpoints;
    std::vector<AudioEndpoint> list;
    endpoints.ListActive(EndpointFlow::kPlayback, list);
    std::vector<std::wstring> names;
    for (const AudioEndpoint& e : list) names.push_back(e.name);
    return names;
}

}  // namespace

namespace {

bool Enabled(CVistrelFrame* frame, LPCTSTR name) { return frame->FindControl(name)->IsEnabled(); }
bool Visible(CVistrelFrame* frame, LPCTSTR name) { return frame->FindControl(name)->IsVisible(); }
bool Selected(CVistrelFrame* frame, LPCTSTR name) {
    return static_cast<COptionUI*>(frame->FindControl(name)->GetInterface(L"Option"))->IsSelected();
}
CSliderUI* Slider(CVistrelFrame* frame, LPCTSTR name) {
    return static_cast<CSliderUI*>(frame->FindControl(name)->GetInterface(L"Slider"));
}
// A real click on the slider's track at that share of its width; the new value.
int ClickSlider(CVistrelFrame* frame, LPCTSTR name, double share) {
    frame->GetPaintManager()->UpdateLayout();
    RECT rc = Slider(frame, name)->GetPos();
    const int x = rc.left + static_cast<int>((rc.right - rc.left - 1) * share);
    ui_test::ClickAt(frame->GetHWND(), {x, (rc.top + rc.bottom) / 2});
    return Slider(frame, name)->GetValue();
}
void RestoreRealDevices(CVistrelFrame* frame) {
    SystemCaptureDevices system;
    frame->InitDevices(system);
}

}  // namespace

TEST_F(MainWindowTest, ListsLeaveOutMixesLineInputsAndPlaybackHeadphones) {
    FakeDevices devices;
    devices.video = {L"screen-capture-recorder", L"USB 摄像头", L"立体声混音 (Realtek)", L"Virtual Cam"};
    devices.audio = {L"virtual-audio-capturer", L"线路输入 (USB)", L"麦克风 (USB)"};
    devices.endpoints = {{L"扬声器 (Realtek)", true},  {L"耳机 (Bluetooth)", true},    {L"立体声混音 (Realtek)", false},
                         {L"耳机麦克风 (USB)", false}, {L"线路输入 (Realtek)", false}, {L"麦克风 (Realtek)", false}};
    devices.defaultCapture = L"麦克风 (Realtek)";
    frame->InitDevices(devices);

    const std::vector<std::string> video = {"screen-capture-recorder", WideToAnsi(L"USB 摄像头"), "Virtual Cam"};
    EXPECT_EQ(frame->VideoDevices(), video);
    const std::vector<std::string> cameras = {WideToAnsi(L"USB 摄像头"), "Virtual Cam"};
    EXPECT_EQ(frame->Cameras(), cameras);
    EXPECT_EQ(frame->CameraName(), L"USB 摄像头") << "the first camera";
    const std::vector<std::string> audio = {"virtual-audio-capturer", WideToAnsi(L"麦克风 (USB)")};
    EXPECT_EQ(frame->AudioDevices(), audio);
    const std::vector<std::wstring> sys = {L"默认", L"扬声器 (Realtek)"};
    EXPECT_EQ(frame->SysDevices(), sys) << "headphones are left out among playback endpoints only";
    const std::vector<std::wstring> mic = {L"默认", L"耳机麦克风 (USB)", L"麦克风 (Realtek)"};
    EXPECT_EQ(frame->MicDevices(), mic);
    EXPECT_EQ(frame->DefaultMicName(), L"麦克风 (Realtek)");
    EXPECT_TRUE(Enabled(frame, L"camera"));
    EXPECT_FALSE(Selected(frame, L"camera"));
    EXPECT_TRUE(Enabled(frame, L"sel_camera"));
    EXPECT_TRUE(Visible(frame, L"camera_set"));
    EXPECT_TRUE(Enabled(frame, L"slider_volume"));
    EXPECT_TRUE(Enabled(frame, L"slider_mic"));
    RestoreRealDevices(frame);
}

TEST_F(MainWindowTest, WithoutDevicesTheirControlsAreOff) {
    FakeDevices none;
    none.video = {L"screen-capture-recorder"};
    frame->InitDevices(none);
    EXPECT_TRUE(frame->Cameras().empty());
    EXPECT_TRUE(frame->CameraName().empty());
    // No "默认" without a device behind it: the sound-only checks see no device.
    EXPECT_TRUE(frame->SysDevices().empty());
    EXPECT_TRUE(frame->MicDevices().empty());
    EXPECT_FALSE(Enabled(frame, L"camera"));
    EXPECT_FALSE(Enabled(frame, L"sel_camera"));
    EXPECT_FALSE(Visible(frame, L"camera_set"));
    for (LPCTSTR name : {L"volume", L"slider_volume", L"volume_xia", L"mic", L"slider_mic", L"mic_xia"})
        EXPECT_FALSE(Enabled(frame, name)) << ui_test::Narrow(name);
    EXPECT_EQ(Slider(frame, L"slider_volume")->GetValue(), 0);
    EXPECT_EQ(Slider(frame, L"slider_mic")->GetValue(), 0);
    RestoreRealDevices(frame);
}

TEST_F(MainWindowTest, WhatWineListsInTheTestPrefix) {
    RestoreRealDevices(frame);
    EXPECT_TRUE(Contains(frame->VideoDevices(), std::string("screen-capture-recorder")));
    EXPECT_TRUE(Contains(frame->VideoDevices(), std::string("vistrel-test-camera")));
    EXPECT_EQ(frame->Cameras(), std::vector<std::string>{"vistrel-test-camera"});
    EXPECT_EQ(frame->CameraName(), L"vistrel-test-camera");
    EXPECT_TRUE(Contains(frame->AudioDevices(), std::string("virtual-audio-capturer")));
    EXPECT_TRUE(Contains(frame->AudioDevices(), std::string("vistrel-test-tone")));
    // The test PulseAudio: its sink plays, the sink's monitor captures.
    ASSERT_GT(frame->SysDevices().size(), 1u);
    EXPECT_EQ(frame->SysDevices().front(), L"默认");
    for (const std::wstring& name : PlaybackEndpointNames()) EXPECT_TRUE(Contains(frame->SysDevices(), name));
    EXPECT_TRUE(Contains(frame->MicDevices(), std::wstring(L"Monitor of NullOut")));
    EXPECT_FALSE(frame->DefaultMicName().empty());
    EXPECT_TRUE(Contains(frame->MicDevices(), frame->DefaultMicName())) << "Wine's default capture endpoint";
    EXPECT_TRUE(Enabled(frame, L"camera"));
    EXPECT_TRUE(Enabled(frame, L"slider_volume"));
    EXPECT_TRUE(Enabled(frame, L"slider_mic"));
}

TEST_F(MainWindowTest, SystemSoundSliderChoosesTheSourceAndSetsEveryPlaybackDevice) {
    RestoreRealDevices(frame);
    RecordingVolume volume;
    frame->SetVolumeSetter(&volume);
    ShowWindow(Hwnd(), SW_SHOWNORMAL);
    const std::vector<std::wstring> playback = PlaybackEndpointNames();
    ASSERT_FALSE(playback.empty());

    const int value = ClickSlider(frame, L"slider_volume", 0.3);
    ASSERT_GT(value, 0);
    EXPECT_EQ(g_recordSources, kSourceSystemSound);
    EXPECT_FALSE(Selected(frame, L"volume"));
    EXPECT_TRUE(Enabled(frame, L"volume_xia"));
    ASSERT_EQ(volume.calls.size(), playback.size()) << "every active playback endpoint";
    for (size_t i = 0; i < playback.size(); ++i) {
        EXPECT_EQ(volume.calls[i].first, playback[i]);
        EXPECT_FLOAT_EQ(volume.calls[i].second, value / 100.0f);
    }
    ClickSlider(frame, L"slider_volume", 0.6);
    EXPECT_EQ(g_recordSources, kSourceSystemSound) << "the bit is added once";

    volume.calls.clear();
    EXPECT_EQ(ClickSlider(frame, L"slider_volume", 0.0), 0);
    EXPECT_EQ(g_recordSources, 0) << "at 0 the system sound is not recorded";
    EXPECT_TRUE(Selected(frame, L"volume"));
    EXPECT_FALSE(Enabled(frame, L"volume_xia"));
    ASSERT_FALSE(volume.calls.empty());
    EXPECT_FLOAT_EQ(volume.calls[0].second, 0.0f);

    ClickSlider(frame, L"slider_volume", 0.5);
    EXPECT_FALSE(Selected(frame, L"volume")) << "moved up again: recorded again";
    EXPECT_TRUE(Enabled(frame, L"volume_xia"));
    frame->SetVolumeSetter(nullptr);
}

TEST_F(MainWindowTest, MicrophoneSliderSetsTheChosenMicrophoneOrTheDefaultOne) {
    RestoreRealDevices(frame);
    RecordingVolume volume;
    frame->SetVolumeSetter(&volume);
    ShowWindow(Hwnd(), SW_SHOWNORMAL);

    const int value = ClickSlider(frame, L"slider_mic", 0.4);
    EXPECT_EQ(g_recordSources, kSourceMicrophone);
    ASSERT_EQ(volume.calls.size(), 1u);
    EXPECT_EQ(volume.calls[0].first, frame->DefaultMicName()) << "no choice made: the default microphone";
    EXPECT_FLOAT_EQ(volume.calls[0].second, value / 100.0f);

    // A choice in the microphone menu: its item's text.
    const std::wstring chosen = L"Monitor of NullOut";
    ASSERT_NE(chosen, frame->DefaultMicName());
    COptionUI item;
    item.SetText(chosen.c_str());
    TNotifyUI click;
    click.sType = DUI_MSGTYPE_CLICK;
    click.pSender = &item;
    EXPECT_TRUE(frame->OnMicDeviceMenuClick(&click)) << "the notification goes on";
    EXPECT_EQ(frame->ChosenMic(), chosen);
    volume.calls.clear();
    ClickSlider(frame, L"slider_mic", 0.8);
    ASSERT_EQ(volume.calls.size(), 1u);
    EXPECT_EQ(volume.calls[0].first, chosen);

    click.sType = DUI_MSGTYPE_SELECTCHANGED;
    item.SetText(L"默认");
    frame->OnMicDeviceMenuClick(&click);
    EXPECT_EQ(frame->ChosenMic(), chosen) << "only clicks choose";
    click.sType = DUI_MSGTYPE_CLICK;
    frame->OnMicDeviceMenuClick(&click);
    volume.calls.clear();
    EXPECT_EQ(ClickSlider(frame, L"slider_mic", 0.0), 0);
    EXPECT_EQ(g_recordSources, 0);
    EXPECT_TRUE(Selected(frame, L"mic"));
    ASSERT_EQ(volume.calls.size(), 1u);
    EXPECT_EQ(volume.calls[0].first, frame->DefaultMicName()) << "\"默认\" is the default microphone";
    frame->SetVolumeSetter(nullptr);
}
