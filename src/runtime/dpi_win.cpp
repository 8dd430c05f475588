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

namespace spindle {
namespace {

// The address of an exported function, typed as the system declares it; null when missing.
template <typename Function>
Function Lookup(HMODULE module, const char* name) {
    if (!module) return nullptr;
    // Through the one function type that stands for any: the exported function is of Function's.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

decltype(&::GetDpiForWindow) DpiForWindow() {
    static const auto function = Lookup<decltype(&::GetDpiForWindow)>(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow");
    return function;
}

decltype(&::GetDpiForMonitor) DpiForMonitor() {
    static const auto function = Lookup<decltype(&::GetDpiForMonitor)>(
        LoadLibraryExW(L"shcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32), "GetDpiForMonitor");
    return function;
}

std::optional<int> MonitorDpiOf(HMONITOR monitor) {
    const auto function = DpiForMonitor();
    UINT x = 0, y = 0;
    if (!monitor || !function || FAILED(function(monitor, MDT_EFFECTIVE_DPI, &x, &y))) return std::nullopt;
    return static_cast<int>(y);
}

int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    if (!screen) return 0;
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
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

int Win32WindowDpi::SystemDpi() { return ScreenDpi(); }

std::optional<int> Win32MonitorDpi::MonitorDpi() { return MonitorDpiOf(monitor_); }

int Win32MonitorDpi::SystemDpi() { return ScreenDpi(); }

int DpiOfWindow(HWND window) {
    Win32WindowDpi port(window);
    return EffectiveDpi(port);
}

int DpiOfMonitor(HMONITOR monitor) {
    Win32MonitorDpi port(monitor);
    return EffectiveDpi(port);
}

}  // namespace spindle
