// One run-time entry of the main window's device and monitor menus.
#include "app/device_menu_entry.h"

using namespace DuiLib;

COptionUI* MakeDeviceMenuEntry(const std::wstring& text, LPCTSTR group, CMenuWnd* menu) {
    auto* option = new COptionUI;
    option->SetName(text.c_str());
    option->SetText(text.c_str());
    option->ApplyAttributeList(
        L"textcolor=\"#FF666666\" hottextcolor=\"#FF4EA4FD\" selectedtextcolor=\"#FF4EA4FD\" height=\"25\" "
        L"align=\"left\" textpadding=\"20,0,0,0\" "
        L"selectedimage=\"file='common/gou.png' source='0,0,10,16' dest='6,4,16,20'\"");
    option->SetGroup(group);
    option->SetTag(reinterpret_cast<UINT_PTR>(menu));
    return option;
}
