// The device menus behind the small arrows of the camera, the microphone and the
// system sound: one pop-up list of the devices, the current choice ticked; a click
// on an entry makes it the choice that the next recording (or the next webcam
// preview) uses. UI thread only.
#include <algorithm>
#include <cstdio>

#include "app/device_menu_entry.h"
#include "app/layouts/device_menus_names.h"
#include "app/vistrel_frame.h"
#include "common/text_convert.h"

using namespace DuiLib;

namespace {

constexpr int kDeviceRowHeight = 26;
constexpr int kDeviceMenuRows = 5;  // more entries scroll

CContainerUI* FirstContainer(CContainerUI* parent) {
    CControlUI* first = parent ? parent->GetItemAt(0) : nullptr;
    return first ? static_cast<CContainerUI*>(first->GetInterface(kContainerInterface)) : nullptr;
}

std::vector<std::wstring> WideNames(const std::vector<std::string>& names) {
    std::vector<std::wstring> wide;
    for (const std::string& name : names) wide.push_back(AnsiToWide(name));
    return wide;
}

}  // namespace

// One device menu: where it opens, how it looks, what it lists and chooses.
struct CVistrelFrame::DeviceMenu {
    CControlUI* arrow;
    const wchar_t* layout;
    const wchar_t* group;
    int width;
    POINT offset;  // from the arrow's top-left
    std::vector<std::wstring> entries;
    const std::wstring& chosen;
    CMenuWnd** slot;
    bool (CVistrelFrame::*choose)(TNotifyUI*);
};

void CVistrelFrame::OpenCameraMenu() {
    OpenDeviceMenu({m_pCameraSet,
                    device_menus_names::kCameraLayout,
                    L"camera_s",
                    140,
                    {-94, 27},
                    WideNames(m_vecCamera),
                    m_strCameraSel,
                    &m_pCameraMenu,
                    &CVistrelFrame::OnCameraMenuClick});
}

void CVistrelFrame::OpenMicMenu() {
    OpenDeviceMenu({m_pMicXia,
                    device_menus_names::kMicLayout,
                    L"mic_s",
                    140,
                    {-70, 12},
                    vec_mic_devices_,
                    m_strMicSel,
                    &m_pMicMenu,
                    &CVistrelFrame::OnMicDeviceMenuClick});
}

void CVistrelFrame::OpenVolumeMenu() {
    OpenDeviceMenu({m_pVolumeXia,
                    device_menus_names::kVolumeLayout,
                    L"volume_s",
                    160,
                    {-70, 12},
                    vec_sys_devices_,
                    m_strVolumeSel,
                    &m_pVolumeMenu,
                    &CVistrelFrame::OnSysDeviceMenuClick});
}

// A menu still open is replaced by the new one (the menu clears its slot as it goes).
void CVistrelFrame::OpenDeviceMenu(const DeviceMenu& menu) {
    if (!menu.arrow || menu.entries.empty()) return;
    delete *menu.slot;
    const RECT arrow = menu.arrow->GetPos();
    POINT pt = {arrow.left + menu.offset.x, arrow.top + menu.offset.y};
    ClientToScreen(m_hWnd, &pt);
    CMenuWnd::CreateMenu(nullptr, menu.layout, pt, &m_PaintManager, nullptr, eMenuAlignment_Left | eMenuAlignment_Top,
                         menu.slot);
    CMenuWnd* shown = *menu.slot;
    if (!shown) return;
    CMenuUI* items = shown->GetMenuUI();
    CControlUI* first = items ? items->GetItemAt(0) : nullptr;
    auto* element = first ? static_cast<CContainerUI*>(first->GetInterface(kContainerInterface)) : nullptr;
    if (element) FillDeviceMenu(menu, element, shown);
    shown->ResizeMenu();
}

void CVistrelFrame::FillDeviceMenu(const DeviceMenu& menu, CContainerUI* element, CMenuWnd* shown) {
    if (CContainerUI* list = FirstContainer(element)) {
        for (const std::wstring& entry : menu.entries) {
            COptionUI* option = MakeDeviceMenuEntry(entry, menu.group, shown);
            list->Add(option);
            option->Selected(entry == menu.chosen, false);
            option->OnNotify += MakeDelegate(this, menu.choose);
        }
        CControlUI* firstEntry = list->GetItemAt(0);
        auto* firstOption = firstEntry ? static_cast<COptionUI*>(firstEntry->GetInterface(kOptionInterface)) : nullptr;
        if (menu.chosen.empty() && firstOption) firstOption->Selected(true, false);
    }
    const int rows = std::min(static_cast<int>(menu.entries.size()), kDeviceMenuRows);
    element->SetFixedWidth(menu.width);
    element->SetFixedHeight(kDeviceRowHeight * rows);
}

// The chosen camera is the one the next webcam preview opens; an open one stays.
bool CVistrelFrame::OnCameraMenuClick(TNotifyUI* msg) {
    if (!msg || !msg->pSender || msg->sType != DUI_MSGTYPE_CLICK) return true;
    m_strCameraSel = msg->pSender->GetText().Str();
    m_cameraName = m_strCameraSel;
    printf("camera_sel=%s\n", WideToUtf8(m_strCameraSel).c_str());
    fflush(stdout);
    if (auto* menu = reinterpret_cast<CMenuWnd*>(msg->pSender->GetTag())) menu->Close();
    return true;  // not consumed
}
