// The system settings that start-up and the saver's shut-down change: the cursor display
// count and the screen-saver flags of SystemParametersInfo.
#pragma once

#include <cstdint>

namespace spindle {

inline constexpr std::uint32_t kSetScreenSaveActive = 17;   // SPI_SETSCREENSAVEACTIVE
inline constexpr std::uint32_t kSetScreenSaverRunning = 97; // SPI_SETSCREENSAVERRUNNING

class SystemSettingsPort {
public:
    virtual ~SystemSettingsPort() = default;
    // ShowCursor: a non-zero flag shows; returns the new display count.
    virtual std::int32_t ShowCursor(std::int32_t show) = 0;
    // SystemParametersInfo(action, uiParam, null, 0); the result is not looked at.
    virtual void SetSystemParameter(std::uint32_t action, std::uint32_t uiParam) = 0;
};

// What ShowCursor returned when the saver hid the cursor; handed back at the saver's shut-down.
extern std::int32_t CursorState;

// Tells the system whether a saver runs: False (0) says one runs, True (-1) that none does.
void SetSaverRunning(std::int16_t systemKeysEnabled, SystemSettingsPort& system);

}  // namespace spindle
