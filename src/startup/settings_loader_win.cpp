// Settings loading: LoadSettings on Spindlewave.ini beside the program, or on the user's own copy.
#include "startup/settings_loader_win.h"

#include "startup/process_values.h"
#include "startup/settings_file_win.h"

namespace spindle {

void LoadProcessSettings() { LoadSettingsFromFile(Settings(), SettingsFileToLoad()); }

}  // namespace spindle
