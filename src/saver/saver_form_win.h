// The full-screen saver window.
#pragma once

namespace spindle {

// Loads the saver form; its load handler runs the animation for the rest of the saver's life.
void LoadSaverForm();

}  // namespace spindle
