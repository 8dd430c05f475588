// The settings dialog, shown for the settings switch.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "settings_dialog/settings_dialog.h"

namespace spindle {

class SettingsForm;

// The real platform behind the dialog: screen, cursor, zoom, the open-file dialog, the shell
// and the settings file (beside the program, or the user's own copy).
class Win32SettingsPlatform : public SettingsDialogPlatform {
public:
    void Attach(SettingsForm* form) { form_ = form; }

    double ScreenWidthTwips() override;
    double ScreenHeightTwips() override;
    std::optional<ScreenPoint> CursorPosition() override;
    void ZoomWindowOpen() override;
    void ZoomWindowClose() override;
    void SetMousePointer(MousePointer pointer) override;
    std::optional<std::string> ChooseFile() override;
    void OpenInShell(const std::string& target) override;
    WriteOutcome WriteSettings(std::string_view section, const std::vector<ProfileEntry>& entries) override;
    void ShowMessage(const std::string& text) override;
    char DecimalSeparator() override;

private:
    HWND FormWindow() const;

    SettingsForm* form_ = nullptr;
};

// Shows the dialog modally; returns when it has closed.
void ShowSettingsDialogModal();

}  // namespace spindle
