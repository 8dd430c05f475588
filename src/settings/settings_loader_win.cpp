// Settings loading: LoadSettings on Spindlewave.ini beside the program, or on the user's own copy.
#include "settings/settings_loader_win.h"

#include "settings/settings_values.h"
#include "settings/settings_file_win.h"

namespace spindle {

void LoadProcessSettings() { LoadSettingsFromFile(Settings(), SettingsFileToLoad()); }

}  // namespace spindle
