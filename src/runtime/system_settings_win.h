// The real cursor and screen-saver flags behind SystemSettingsPort.
#pragma once

#include "runtime/system_settings_port.h"

namespace spindle {

class Win32SystemSettings : public SystemSettingsPort {
public:
    std::int32_t ShowCursor(std::int32_t show) override;
    void SetSystemParameter(std::uint32_t action, std::uint32_t uiParam) override;
};

}  // namespace spindle
