// The keys the settings dialog answers as any dialog does: Tab and Shift+Tab through its controls
// in the order they stand, the arrow keys through the music rows, Enter and Esc for its buttons.
#pragma once

#include <optional>

namespace spindle {

// Key codes and shift bits as a form's KeyDown passes them.
inline constexpr int kKeyTab = 9;
inline constexpr int kKeyReturn = 13;
inline constexpr int kKeyEscape = 27;
inline constexpr int kKeyLeft = 37;
inline constexpr int kKeyUp = 38;
inline constexpr int kKeyRight = 39;
inline constexpr int kKeyDown = 40;
inline constexpr int kShiftMask = 1;
inline constexpr int kCtrlMask = 2;
inline constexpr int kAltMask = 4;

// The controls that take the focus, in the order they are laid out.
enum class FocusStop { MusicChoices, RepeatBox, FileButton, SpeedBar, SaveButton, CancelButton };
inline constexpr int kFocusStopCount = 6;

// The stop Tab (or Shift+Tab, `backwards`) moves to, round from the last to the first; with the
// focus on none of them, the first (or the last).
FocusStop NextFocusStop(std::optional<FocusStop> current, bool backwards);

// The music row an arrow key selects: the rows stand audio CD, none, file from the top, and the
// arrows go round. From a kind that no row stands for: the top row, or the bottom one `upwards`.
int MusicRowAfter(int kind, bool upwards);

}  // namespace spindle
