// The DPI of a window or a monitor as this system tells it.
#pragma once

#include <windows.h>

#include <optional>

#include "runtime/dpi.h"

namespace spindle {

// A window's DPI: its own where the system tells it, else its monitor's, else the system's.
class Win32WindowDpi : public DpiPort {
public:
    explicit Win32WindowDpi(HWND window) : window_(window) {}
    std::optional<int> WindowDpi() override;
    std::optional<int> MonitorDpi() override;
    int SystemDpi() override;

private:
    HWND window_;
};

// A monitor's DPI, else the system's.
class Win32MonitorDpi : public DpiPort {
public:
    explicit Win32MonitorDpi(HMONITOR monitor) : monitor_(monitor) {}
    std::optional<int> WindowDpi() override { return std::nullopt; }
    std::optional<int> MonitorDpi() override;
    int SystemDpi() override;

private:
    HMONITOR monitor_;
};

// EffectiveDpi of the window (of the primary monitor when there is none) and of a monitor.
int DpiOfWindow(HWND window);
int DpiOfMonitor(HMONITOR monitor);

}  // namespace spindle
