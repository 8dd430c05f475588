// The cursor state kept for shut-down, and SetSaverRunning: the screen-saver-running flag is the
// complement of the Boolean argument.
#include "runtime/system_settings_port.h"

namespace spindle {

std::int32_t CursorState = 0;

void SetSaverRunning(std::int16_t systemKeysEnabled, SystemSettingsPort& system) {
    std::int32_t widened = systemKeysEnabled;  // sign-extended: True (-1) stays all ones
    system.SetSystemParameter(kSetScreenSaverRunning, static_cast<std::uint32_t>(~widened));
}

}  // namespace spindle
