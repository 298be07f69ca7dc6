// The camera, microphone and system-sound menus opened by real clicks on their
// arrows, filled from devices a test offers and from what Wine lists; a click on
// an entry makes it the choice, and the chosen camera is the one the webcam opens.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/capture_devices.h"
#include "common/record_globals.h"
#include "engine/vistreler.h"
#include "tests/app/frame/main_window_fixture.h"
#include "tests/ui/ui_test_support.h"

using namespace DuiLib;

namespace {

class OfferedDevices : public CaptureDeviceSource {
public:
    std::vector<std::wstring> video, audio;
    std::vector<EndpointName> endpoints;
    std::vector<std::wstring> CaptureFilters(bool wantAudio) override { return wantAudio ? audio : video; }
    std::vector<EndpointName> Endpoints(EndpointDirection direction, bool) override {
        std::vector<EndpointName> out;
        for (const EndpointName& e : endpoints)
            if (e.render == (direction == EndpointDirection::kRender)) out.push_back(e);
        return out;
    }
    std::wstring DefaultCaptureEndpoint() override { return L""; }
};

// The menu's options, top to bottom.
std::vector<COptionUI*> Entries(CMenuWnd* menu) {
    std::vector<COptionUI*> options;
    CMenuUI* items = menu ? menu->GetMenuUI() : nullptr;
    CControlUI* element = items ? items->GetItemAt(0) : nullptr;
    auto* box = element ? static_cast<CContainerUI*>(element->GetInterface(L"Container")) : nullptr;
    CControlUI* listControl = box ? box->GetItemAt(0) : nullptr;
    auto* list = listControl ? static_cast<CContainerUI*>(listControl->GetInterface(L"Container")) : nullptr;
    for (int i = 0; list && i < list->GetCount(); ++i)
        options.push_back(static_cast<COptionUI*>(list->GetItemAt(i)->GetInterface(L"Option")));
    return options;
}

int ElementHeight(CMenuWnd* menu) { return menu->GetMenuUI()->GetItemAt(0)->GetFixedHeight(); }

}  // namespace

class DeviceMenuTest : public MainWindowTest {
protected:
    void TearDown() override {
        for (CMenuWnd* menu : {frame->CameraMenu(), frame->MicMenu(), frame->VolumeMenu()}) delete menu;
        SystemCaptureDevices system;
        frame->InitDevices(system);
    }
    void Click(LPCTSTR name) {
        CControlUI* control = frame->FindControl(name);
        ASSERT_NE(control, nullptr) << ui_test::Narrow(name);
        control->GetManager()->UpdateLayout();
        const RECT rc = control->GetPos();
        ui_test::ClickAt(Hwnd(), {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2});
        ui_test::Pump(50);
    }
    // A real click on an entry; the menu closes and clears its slot.
    void ClickEntry(CMenuWnd* const& slot, COptionUI* entry) {
        entry->GetManager()->UpdateLayout();
        const RECT rc = entry->GetPos();
        ui_test::ClickAt(slot->GetHWND(), {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2});
        EXPECT_TRUE(ui_test::PumpUntil([&] { return slot == nullptr; })) << "the menu closes";
    }
    OfferedDevices Cameras(int count) {
        OfferedDevices devices;
        devices.video = {L"screen-capture-recorder"};
        for (int i = 1; i <= count; ++i) devices.video.push_back(L"摄像头 " + std::to_wstring(i));
        devices.endpoints = {{L"扬声器", true}, {L"麦克风 (USB)", false}, {L"麦克风 (Realtek)", false}};
        return devices;
    }
};

TEST_F(DeviceMenuTest, TheCameraMenuShowsFiveRowsAtMostAndTheFirstEntryTickedBeforeAChoice) {
    const struct {
        int cameras;
        int height;
    } cases[] = {{6, 130}, {2, 52}, {1, 26}};
    for (const auto& c : cases) {
        OfferedDevices devices = Cameras(c.cameras);
        frame->InitDevices(devices);
        Click(L"camera_set");
        CMenuWnd* const& menu = frame->CameraMenu();
        ASSERT_NE(menu, nullptr) << c.cameras;
        const std::vector<COptionUI*> entries = Entries(menu);
        ASSERT_EQ(entries.size(), static_cast<size_t>(c.cameras));
        EXPECT_EQ(ElementHeight(menu), c.height) << c.cameras << " cameras";
        EXPECT_EQ(entries[0]->GetText().Str(), L"摄像头 1");
        EXPECT_TRUE(entries[0]->IsSelected()) << "nothing chosen yet: the first is ticked";
        EXPECT_TRUE(frame->ChosenCamera().empty()) << "ticking is not choosing";
        delete menu;
        EXPECT_EQ(frame->CameraMenu(), nullptr);
    }
}

TEST_F(DeviceMenuTest, AClickedEntryIsTheChoiceAndIsTickedNextTime) {
    OfferedDevices devices = Cameras(3);
    frame->InitDevices(devices);
    const struct {
        LPCTSTR arrow;
        CMenuWnd* const& (CVistrelFrame::*slot)() const;
        const std::wstring& (CVistrelFrame::*chosen)() const;
        size_t entries;  // the sound menus lead with "默认"
        size_t pick;
    } menus[] = {
        {L"camera_set", &CVistrelFrame::CameraMenuSlot, &CVistrelFrame::ChosenCamera, 3, 1},
        {L"mic_xia", &CVistrelFrame::MicMenuSlot, &CVistrelFrame::ChosenMic, 3, 2},
        {L"volume_xia", &CVistrelFrame::VolumeMenuSlot, &CVistrelFrame::ChosenSysDevice, 2, 1},
    };
    for (const auto& m : menus) {
        Click(m.arrow);
        CMenuWnd* const& slot = (frame->*m.slot)();
        ASSERT_NE(slot, nullptr) << ui_test::Narrow(m.arrow);
        std::vector<COptionUI*> entries = Entries(slot);
        ASSERT_EQ(entries.size(), m.entries) << ui_test::Narrow(m.arrow);
        const std::wstring picked = entries[m.pick]->GetText().Str();
        ClickEntry(slot, entries[m.pick]);
        EXPECT_EQ((frame->*m.chosen)(), picked) << ui_test::Narrow(m.arrow);

        Click(m.arrow);
        ASSERT_NE(slot, nullptr);
        entries = Entries(slot);
        for (size_t i = 0; i < entries.size(); ++i) EXPECT_EQ(entries[i]->IsSelected(), i == m.pick) << i;
        delete slot;
    }
    EXPECT_EQ(frame->CameraName(), L"摄像头 2") << "the webcam opens the chosen camera";
}

TEST_F(DeviceMenuTest, WithoutDevicesTheArrowsOpenNothing) {
    OfferedDevices none;
    none.video = {L"screen-capture-recorder"};
    frame->InitDevices(none);
    frame->OpenCameraMenu();
    frame->OpenMicMenu();
    frame->OpenVolumeMenu();
    EXPECT_EQ(frame->CameraMenu(), nullptr);
    EXPECT_EQ(frame->MicMenu(), nullptr);
    EXPECT_EQ(frame->VolumeMenu(), nullptr);
}

TEST_F(DeviceMenuTest, WhatWineListsAndTheChosenCameraIsTheOneTheWebcamOpens) {
    OfferedDevices devices;
    devices.video = {L"screen-capture-recorder", L"no-such-camera", L"vistrel-test-camera"};
    frame->InitDevices(devices);
    Click(L"camera_set");
    ASSERT_NE(frame->CameraMenu(), nullptr);
    std::vector<COptionUI*> entries = Entries(frame->CameraMenu());
    ASSERT_EQ(entries.size(), 2u);
    ClickEntry(frame->CameraMenuSlot(), entries[1]);
    RemoveRecordSource(kSourceCamera);
    Click(L"camera");
    EXPECT_TRUE(ui_test::PumpUntil([&] { return frame->Recorder()->CameraWidth() == 320; }, 10000))
        << "the chosen test camera opened, not the first entry";
    Click(L"camera");
    EXPECT_FALSE(IsRecordSourceOn(kSourceCamera));

    SystemCaptureDevices system;
    frame->InitDevices(system);
    Click(L"mic_xia");
    ASSERT_NE(frame->MicMenu(), nullptr);
    entries = Entries(frame->MicMenu());
    ASSERT_GE(entries.size(), 2u);
    EXPECT_EQ(entries[0]->GetText().Str(), std::wstring(L"默认"));
    bool monitor = false;
    for (COptionUI* e : entries) monitor = monitor || e->GetText() == L"Monitor of NullOut";
    EXPECT_TRUE(monitor) << "the test PulseAudio's capture endpoint";
}

// After a start the device controls come back; a camera that records shows as on.
TEST_F(DeviceMenuTest, TheCameraTileShowsTheCameraAsItIsWhenTheControlsComeBack) {
    OfferedDevices devices = Cameras(1);
    frame->InitDevices(devices);
    const struct {
        bool cameraOn;
        const wchar_t* tile;
    } cases[] = {{true, L"file='main/camera_sel.png' source='0,64,130,96'"},
                 {false, L"file='main/camera_sel.png' source='0,32,130,64'"}};
    for (const auto& c : cases) {
        if (c.cameraOn)
            AddRecordSource(kSourceCamera);
        else
            RemoveRecordSource(kSourceCamera);
        frame->SetDeviceControlsEnabled(false);
        frame->SetDeviceControlsEnabled(true);
        EXPECT_EQ(frame->FindControl(L"sel_camera")->GetBkImage(), std::wstring(c.tile)) << c.cameraOn;
    }
    RemoveRecordSource(kSourceCamera);
}
