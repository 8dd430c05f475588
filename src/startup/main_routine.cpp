// Main: refuses a second copy, then runs the preview, the settings dialog or the saver.
#include "startup/main_routine.h"

#include <string>

#include "runtime/conversions.h"
#include "runtime/runtime_error.h"
#include "startup/command_line.h"
#include "settings/settings_values.h"

namespace spindle {

void Main(std::string_view argumentText, StartupPort& platform) {
    // Both searches are always made, before the switch is looked at.
    bool saverFound = platform.WindowWithCaptionExists(kSaverCaption);
    bool settingsFound = platform.WindowWithCaptionExists(kSettingsCaption);
    if (saverFound || settingsFound) {
        platform.EndProcess();
        return;
    }

    const std::string mode = ModeLetter(argumentText);

    if (mode == "P") {
        std::int32_t host = 0;
        // A number that no 32-bit handle can be names no window: nothing to plant into.
        if (!RunStep([&] { host = PreviewHostHandle(PreviewHandleNumber(argumentText)); })) {
            platform.EndProcess();
            return;
        }
        platform.StartPreview(host);
        return;
    }

    platform.LoadSettings();

    if (mode == "C") {
        platform.ShowSettingsDialog();
        platform.EndProcess();
        return;
    }

    if (mode != "S" && !argumentText.empty()) {
        platform.EndProcess();
        return;
    }

    if (mode == "S") {
        CursorState = platform.ShowCursor(0);
        SetSaverRunning(0, platform);
    }

    platform.LoadSaverForm();
}

}  // namespace spindle
