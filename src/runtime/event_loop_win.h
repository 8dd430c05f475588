// The event loop: the per-frame yield, the main loop, and the count of loaded forms that keeps
// the process alive (closing the last form ends the loop, and so the process).
#pragma once

#include <windows.h>

namespace spindle {

// Dispatches every pending message, timer ticks included, then returns. A quit request seen
// here is posted again so that the main loop still ends on it.
void YieldToEvents();

// Runs the message loop until the last form has unloaded (or a quit request arrives).
void RunMessageLoop();

// Hands one message to its window. A key press goes first to the form it was made in (the
// top-level window of the focused control) as FormKeyPreviewMessage; a form that takes the key
// keeps it from the control.
void DispatchEvent(MSG& message);

// The shift keys held now, as key events pass them: 1 shift, 2 control, 4 alt.
int KeyShiftState();

// Sent to a form for each key pressed in it, before its focused control sees the key: wParam the
// key code, lParam the shift state (1 shift, 2 control, 4 alt). A non-zero answer takes the key.
UINT FormKeyPreviewMessage();

// Forms report their loading and unloading; when none is left the loop is told to end.
void NoteFormLoaded();
void NoteFormUnloaded();
int LoadedFormCount();

}  // namespace spindle
