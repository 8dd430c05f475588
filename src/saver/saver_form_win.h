// The full-screen saver window.
#pragma once

namespace spindle {

// Loads the saver form; its load handler runs the animation for the rest of the saver's life.
// Returns only if the animation ended without ending the process; the window then stays loaded
// (the message loop keeps it answering keys and clicks).
void LoadSaverForm();

}  // namespace spindle
