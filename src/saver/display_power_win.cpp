// Registering for the display's power state and reading the broadcasts.
#include "saver/display_power_win.h"

#include <versionhelpers.h>

namespace spindle {
namespace {

// The GUIDs as the system defines them (winnt.h); spelt out so that no import library is needed.
constexpr GUID kConsoleDisplayState = {0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};
constexpr GUID kMonitorPowerOn = {0x02731015, 0x4510, 0x4526, {0x99, 0xe6, 0xe5, 0xa1, 0x7e, 0xbd, 0x1a, 0xea}};

}  // namespace

DisplayPowerNotification::DisplayPowerNotification(HWND window) {
    if (!window) return;
    // Before Windows 8 the console's display state is not announced; the monitor's power is.
    const GUID& setting = IsWindows8OrGreater() ? kConsoleDisplayState : kMonitorPowerOn;
    registration_ = RegisterPowerSettingNotification(window, &setting, DEVICE_NOTIFY_WINDOW_HANDLE);
}

DisplayPowerNotification::~DisplayPowerNotification() {
    if (registration_) UnregisterPowerSettingNotification(registration_);
}

std::optional<DisplayPower> DisplayPowerOfBroadcast(WPARAM wParam, LPARAM lParam) {
    if (wParam != PBT_POWERSETTINGCHANGE || lParam == 0) return std::nullopt;
    const auto* setting = reinterpret_cast<const POWERBROADCAST_SETTING*>(lParam);
    DisplaySetting which;
    if (IsEqualGUID(setting->PowerSetting, kConsoleDisplayState)) {
        which = DisplaySetting::ConsoleDisplayState;
    } else if (IsEqualGUID(setting->PowerSetting, kMonitorPowerOn)) {
        which = DisplaySetting::MonitorPowerOn;
    } else {
        return std::nullopt;
    }
    return DisplayPowerOf(which, setting->Data, setting->DataLength);
}

}  // namespace spindle
