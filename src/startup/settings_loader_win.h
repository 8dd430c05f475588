// Fills the process-wide settings values from Spindlewave.ini beside the program.
#pragma once

namespace spindle {

void LoadProcessSettings();

}  // namespace spindle
