// The display's power notifications on Windows: a window registers for them, and each
// WM_POWERBROADCAST that carries one is read into a DisplayPower.
#pragma once

#include <windows.h>

#include <optional>

#include "saver/display_power.h"

namespace spindle {

// Registered for the life of the object: the console's display state (Windows 8 on), or the
// monitor's power where the system has no such setting.
class DisplayPowerNotification {
public:
    explicit DisplayPowerNotification(HWND window);
    ~DisplayPowerNotification();
    DisplayPowerNotification(const DisplayPowerNotification&) = delete;
    DisplayPowerNotification& operator=(const DisplayPowerNotification&) = delete;

private:
    HPOWERNOTIFY registration_ = nullptr;
};

// The display's state in a WM_POWERBROADCAST, or nothing for every other broadcast and setting.
std::optional<DisplayPower> DisplayPowerOfBroadcast(WPARAM wParam, LPARAM lParam);

}  // namespace spindle
