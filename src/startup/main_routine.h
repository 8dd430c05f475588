// Main: the single-instance test and the dispatch on the mode letter.
#pragma once

#include <cstdint>
#include <string_view>

#include "runtime/system_settings_port.h"

namespace spindle {

inline constexpr std::string_view kSaverCaption = "Spindlewave_Main";
inline constexpr std::string_view kSettingsCaption = "Spindlewave_Setting";

// Everything Main asks of the platform and of the other subsystems.
class StartupPort : public SystemSettingsPort {
public:
    // FindWindow with no class name: whether a top-level window has exactly this caption.
    virtual bool WindowWithCaptionExists(std::string_view caption) = 0;
    virtual void LoadSettings() = 0;
    virtual void StartPreview(std::int32_t hostHandle) = 0;
    // Shows the settings dialog modally; returns when it has closed.
    virtual void ShowSettingsDialog() = 0;
    // Loads the saver form; returns only if its animation ended without ending the process.
    virtual void LoadSaverForm() = 0;
    // Ends the process. The real one does not return; Main returns right after calling it.
    virtual void EndProcess() = 0;
};

void Main(std::string_view argumentText, StartupPort& platform);

}  // namespace spindle
