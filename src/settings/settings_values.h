// The four settings, shared by the whole process. Everything runs on the one user-interface
// thread, so nothing here is locked.
#pragma once

#include <cstdint>
#include <string>

namespace spindle {

// Filled from Spindlewave.ini at start-up and changed by the settings dialog.
struct SettingsValues {
    float RotationSpeed = 0;      // per-frame step of the twist phase; a whole number
    std::int16_t BgmKind = 0;     // 0 none, 1 audio CD, 2 MP3 or WAV file
    std::int16_t BgmRepeat = 0;   // CD track to repeat, 0 for the whole disc
    std::string BgmFile;          // full path of the music file (UTF-8), or empty
};

SettingsValues& Settings();

}  // namespace spindle
