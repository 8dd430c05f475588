// Settings loading. Until the settings file is read, the values keep their defaults.
#include "startup/settings_loader_win.h"

#include "startup/process_values.h"

namespace spindle {

void LoadProcessSettings() { Settings().RotationSpeed = 1; }

}  // namespace spindle
