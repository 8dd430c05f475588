// Lists the monitors through EnumDisplayMonitors.
#include "saver/monitor_layout_win.h"

#include <windows.h>

#include "runtime/dpi_win.h"

namespace spindle {
namespace {

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM listed) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoW(monitor, &info)) return TRUE;
    const RECT& r = info.rcMonitor;
    try {  // nothing may leave through the system's frames
        reinterpret_cast<std::vector<ListedMonitor>*>(listed)->push_back(
            {{r.left, r.top, r.right - r.left, r.bottom - r.top, DpiOfMonitor(monitor)},
             (info.dwFlags & MONITORINFOF_PRIMARY) != 0});
    } catch (...) {
        return FALSE;
    }
    return TRUE;
}

}  // namespace

MonitorLayout CurrentMonitorLayout() {
    std::vector<ListedMonitor> listed;
    EnumDisplayMonitors(nullptr, nullptr, &AddMonitor, reinterpret_cast<LPARAM>(&listed));
    return SaverLayout(listed,
                       {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), DpiOfWindow(nullptr)});
}

}  // namespace spindle
