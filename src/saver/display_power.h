// The display's power state as the system announces it, and what it means for the saver: while the
// display is off nothing is drawn and no music plays, so the saver neither burns power for a dark
// screen nor holds an audio stream open that keeps the machine from sleeping.
#pragma once

#include <cstddef>
#include <optional>

namespace spindle {

enum class DisplayPower { Off, On, Dimmed };

// The two settings a window can be told of: the console's display state (Windows 8 on: 0 off, 1 on,
// 2 dimmed) and, before that, the monitor's power (0 off, anything else on).
enum class DisplaySetting { ConsoleDisplayState, MonitorPowerOn };

// The state in a setting's data (a 32-bit value in the system's byte order); nothing for data too
// short to hold one or a value the setting does not define.
std::optional<DisplayPower> DisplayPowerOf(DisplaySetting setting, const void* data, std::size_t length);

}  // namespace spindle
