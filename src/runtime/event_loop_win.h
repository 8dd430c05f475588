// The event loop: the per-frame yield, the main loop, and the count of loaded forms that keeps
// the process alive (closing the last form ends the loop, and so the process).
#pragma once

namespace spindle {

// Dispatches every pending message, timer ticks included, then returns. A quit request seen
// here is posted again so that the main loop still ends on it.
void YieldToEvents();

// Runs the message loop until the last form has unloaded (or a quit request arrives).
void RunMessageLoop();

// Forms report their loading and unloading; when none is left the loop is told to end.
void NoteFormLoaded();
void NoteFormUnloaded();
int LoadedFormCount();

}  // namespace spindle
