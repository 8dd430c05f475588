// SetSaverRunning: the screen-saver-running flag is the complement of the Boolean argument.
#include "startup/system_settings_port.h"

namespace spindle {

void SetSaverRunning(std::int16_t systemKeysEnabled, SystemSettingsPort& system) {
    std::int32_t widened = systemKeysEnabled;  // sign-extended: True (-1) stays all ones
    system.SetSystemParameter(kSetScreenSaverRunning, static_cast<std::uint32_t>(~widened));
}

}  // namespace spindle
