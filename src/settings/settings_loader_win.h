// Fills the process-wide settings values from Spindlewave.ini beside the program (or from the
// user's own copy where nothing beside the program can be written).
#pragma once

namespace spindle {

void LoadProcessSettings();

}  // namespace spindle
