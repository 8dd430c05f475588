// ShowCursor and SystemParametersInfo for start-up and the saver's shut-down.
#include "runtime/system_settings_win.h"

#include <windows.h>

namespace spindle {

std::int32_t Win32SystemSettings::ShowCursor(std::int32_t show) { return ::ShowCursor(show != 0); }

void Win32SystemSettings::SetSystemParameter(std::uint32_t action, std::uint32_t uiParam) {
    SystemParametersInfoW(action, uiParam, nullptr, 0);
}

}  // namespace spindle
