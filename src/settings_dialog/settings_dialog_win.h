// The settings dialog.
#pragma once

namespace spindle {

// Shows the dialog modally; returns when it has closed.
void ShowSettingsDialogModal();

}  // namespace spindle
