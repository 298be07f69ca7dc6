#include "common/monitor_list.h"

#include <algorithm>
#include <cwchar>
#include <utility>

#include "common/logger.h"
#include "common/text_convert.h"

namespace {

// The primary is always number 1; the others count on from 2 in enumeration order.
int MonitorNumber(const std::vector<MonitorInfo>& list, bool primary) {
    if (primary) return 1;
    int listed = static_cast<int>(list.size());
    return listed + (HasPrimaryMonitor(list) ? 1 : 2);
}

// Size and position of the device's current mode; the monitor's own rectangle
// when the mode cannot be read, so the record never holds made-up numbers.
void ReadDisplayMode(const MONITORINFOEXW& info, MonitorInfo& record) {
    DEVMODEW mode = {};
    mode.dmSize = sizeof(mode);
    if (EnumDisplaySettingsW(info.szDevice, ENUM_CURRENT_SETTINGS, &mode)) {
        record.width = static_cast<int32_t>(mode.dmPelsWidth);
        record.height = static_cast<int32_t>(mode.dmPelsHeight);
        record.x = mode.dmPosition.x;
        record.y = mode.dmPosition.y;
        return;
    }
    LogBoth("MonitorEnumProc", "EnumDisplaySettingsW %s error.", WideToChs(info.szDevice).c_str());
    record.width = info.rcMonitor.right - info.rcMonitor.left;
    record.height = info.rcMonitor.bottom - info.rcMonitor.top;
    record.x = info.rcMonitor.left;
    record.y = info.rcMonitor.top;
}

}  // namespace

bool HasPrimaryMonitor(const std::vector<MonitorInfo>& list) {
    for (const MonitorInfo& m : list) {
        if (m.primary) return true;
    }
    return false;
}

void AppendMonitorRecord(std::vector<MonitorInfo>& list, MonitorInfo record) {
    wchar_t name[32];
    swprintf(name, 32, L"显示器 %d", MonitorNumber(list, record.primary));
    record.name = name;
    list.push_back(std::move(record));
}

RECT MonitorRect(const MonitorInfo& m) { return {m.x, m.y, m.x + m.width, m.y + m.height}; }

RECT MonitorUnionRect(const std::vector<MonitorInfo>& list) {
    RECT all = {0, 0, 0, 0};
    for (const MonitorInfo& m : list) {
        all.left = std::min<LONG>(all.left, m.x);
        all.top = std::min<LONG>(all.top, m.y);
        all.right = std::max<LONG>(all.right, m.x + m.width);
        all.bottom = std::max<LONG>(all.bottom, m.y + m.height);
    }
    return all;
}

BOOL CALLBACK MonitorEnumProc(HMONITOR monitor, HDC hdc, LPRECT, LPARAM data) {
    auto* list = reinterpret_cast<std::vector<MonitorInfo>*>(data);
    MONITORINFOEXW info = {};
    info.cbSize = sizeof(info);
    if (!GetMonitorInfoW(monitor, &info)) {
        LogBoth("MonitorEnumProc", "GetMonitorInfoW error.");
        return TRUE;  // skip a monitor that vanished, keep the others
    }
    MonitorInfo record;
    record.hdc = hdc;
    record.monitor = monitor;
    record.device = info.szDevice;
    record.primary = (info.dwFlags & MONITORINFOF_PRIMARY) != 0;
    ReadDisplayMode(info, record);
    AppendMonitorRecord(*list, std::move(record));
    return TRUE;
}

bool EnumMonitorList(std::vector<MonitorInfo>& list, RECT& unionRect) {
    BOOL ok = EnumDisplayMonitors(nullptr, nullptr, MonitorEnumProc, reinterpret_cast<LPARAM>(&list));
    if (!ok) LogBoth("EnumMonitorList", "EnumDisplayMonitors error.");
    unionRect = MonitorUnionRect(list);
    return ok != FALSE;
}

RECT PrimaryWorkArea() {
    RECT work = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}
