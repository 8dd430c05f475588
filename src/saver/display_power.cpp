// Reading the display's power state from a setting's data.
#include "saver/display_power.h"

#include <cstdint>
#include <cstring>

namespace spindle {

std::optional<DisplayPower> DisplayPowerOf(DisplaySetting setting, const void* data, std::size_t length) {
    if (!data || length < sizeof(std::uint32_t)) return std::nullopt;
    std::uint32_t value;
    std::memcpy(&value, data, sizeof value);
    if (setting == DisplaySetting::MonitorPowerOn) return value == 0 ? DisplayPower::Off : DisplayPower::On;
    switch (value) {
    case 0: return DisplayPower::Off;
    case 1: return DisplayPower::On;
    case 2: return DisplayPower::Dimmed;
    default: return std::nullopt;
    }
}

}  // namespace spindle
