// The values the whole process shares, kept in one visible place. Everything runs on the one
// user-interface thread, so nothing here is locked.
#pragma once

#include <cstdint>
#include <string>

namespace spindle {

// The four settings, filled from Spindlewave.ini at start-up and changed by the settings dialog.
struct SettingsValues {
    float RotationSpeed = 0;      // per-frame step of the twist phase; a whole number
    std::int16_t BgmKind = 0;     // 0 none, 1 audio CD, 2 MP3 or WAV file
    std::int16_t BgmRepeat = 0;   // CD track to repeat, 0 for the whole disc
    std::string BgmFile;          // full path of the music file (UTF-8), or empty
};

SettingsValues& Settings();

// What ShowCursor returned when the saver hid the cursor; handed back at shut-down.
extern std::int32_t CursorState;

// Screen point from which the settings dialog zooms open and to which it zooms closed.
extern std::int16_t ZoomPointX;
extern std::int16_t ZoomPointY;

}  // namespace spindle
