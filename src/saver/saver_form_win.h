// The full-screen saver window.
#pragma once

#include <string>

namespace spindle {

// Loads the saver form; its load handler runs the animation for the rest of the saver's life.
// Returns only if the animation ended without ending the process; the window then stays loaded
// (the message loop keeps it answering keys and clicks). `modeLetter` is the start's mode letter
// ("S" or empty), which decides what the shut-down puts back.
void LoadSaverForm(const std::string& modeLetter);

}  // namespace spindle
