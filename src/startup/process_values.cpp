// Storage of the process-wide values.
#include "startup/process_values.h"

namespace spindle {

SettingsValues& Settings() {
    static SettingsValues values;
    return values;
}

std::int32_t CursorState = 0;
std::int16_t ZoomPointX = 0;
std::int16_t ZoomPointY = 0;

}  // namespace spindle
