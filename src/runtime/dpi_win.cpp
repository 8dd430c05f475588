// Per-monitor DPI through functions that older systems lack: GetDpiForWindow (user32, Windows 10
// 1607) and GetDpiForMonitor (shcore, Windows 8.1), looked up at run time. shcore is no KnownDLL,
// so it is loaded from System32 alone, never from beside the program. Their declarations need
// the newer system versions, here only.
#undef WINVER
#undef _WIN32_WINNT
#define WINVER 0x0A00
#define _WIN32_WINNT 0x0A00
#include <windows.h>
#include <shellscalingapi.h>

#include "runtime/dpi_win.h"
#include "runtime/screen_win.h"
#include "runtime/system_library_win.h"

namespace spindle {
namespace {

decltype(&::GetDpiForWindow) DpiForWindow() {
    static const auto function = SystemFunction<decltype(&::GetDpiForWindow)>(L"user32.dll", "GetDpiForWindow");
    return function;
}

decltype(&::GetDpiForMonitor) DpiForMonitor() {
    static const auto function = SystemFunction<decltype(&::GetDpiForMonitor)>(L"shcore.dll", "GetDpiForMonitor");
    return function;
}

std::optional<int> MonitorDpiOf(HMONITOR monitor) {
    const auto function = DpiForMonitor();
    UINT x = 0, y = 0;
    if (!monitor || !function || FAILED(function(monitor, MDT_EFFECTIVE_DPI, &x, &y))) return std::nullopt;
    return static_cast<int>(y);
}

}  // namespace

std::optional<int> Win32WindowDpi::WindowDpi() {
    const auto function = DpiForWindow();
    if (!window_ || !function) return std::nullopt;
    return static_cast<int>(function(window_));
}

std::optional<int> Win32WindowDpi::MonitorDpi() {
    return MonitorDpiOf(MonitorFromWindow(window_, MONITOR_DEFAULTTOPRIMARY));
}

int Win32WindowDpi::SystemDpi() { return ScreenDpiY(); }

std::optional<int> Win32MonitorDpi::MonitorDpi() { return MonitorDpiOf(monitor_); }

int Win32MonitorDpi::SystemDpi() { return ScreenDpiY(); }

int DpiOfWindow(HWND window) {
    Win32WindowDpi port(window);
    return EffectiveDpi(port);
}

int DpiOfMonitor(HMONITOR monitor) {
    Win32MonitorDpi port(monitor);
    return EffectiveDpi(port);
}

}  // namespace spindle
