// Storage of the process-wide settings values.
#include "settings/settings_values.h"

namespace spindle {

SettingsValues& Settings() {
    static SettingsValues values;
    return values;
}

}  // namespace spindle
