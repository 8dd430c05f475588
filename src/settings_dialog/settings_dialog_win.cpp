// The settings dialog. Until it exists, the settings switch shows nothing and the process ends.
#include "settings_dialog/settings_dialog_win.h"

namespace spindle {

void ShowSettingsDialogModal() {}

}  // namespace spindle
