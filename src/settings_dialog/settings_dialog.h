// The settings dialog's routines: the load sequence, the handlers and the save, acting on the
// dialog's controls and the platform through two small ports.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings_dialog/dialog_keys.h"
#include "settings_dialog/dialog_rules.h"
#include "settings/private_profile.h"
#include "settings/settings_values.h"
#include "settings_dialog/zoom.h"

namespace spindle {

// The screen-wide mouse pointer.
enum class MousePointer { Default = 0, Hourglass = 11 };

// The dialog's own window and controls.
class SettingsDialogView {
public:
    virtual ~SettingsDialogView() = default;
    // The dialog's outer size, in twips.
    virtual double DialogWidthTwips() = 0;
    virtual double DialogHeightTwips() = 0;
    virtual void MoveTo(std::int32_t leftTwips, std::int32_t topTwips) = 0;
    // Starts the mouse tracking of every Command button, in the form's control order.
    virtual void InitButtons() = 0;
    // The speed bar; a value outside its range throws RuntimeError and the bar keeps its value.
    virtual void SetSpeedBarValue(int value) = 0;
    virtual int SpeedBarValue() = 0;
    virtual void SetSpeedCaption(const std::string& text) = 0;
    // Shows the selected or the unselected mark on music row `index` (0 to 2).
    virtual void ShowMark(int index, bool selected) = 0;
    virtual void SetRepeatText(const std::string& text) = 0;
    virtual std::string RepeatText() = 0;
    virtual void AddRepeatEntry(const std::string& text) = 0;
    virtual void SetFileCaption(const std::string& text) = 0;
    virtual std::string LinkCaption() = 0;
    // The interior height in pixels of the form's client area or of the picture box, and one
    // horizontal line across it into that surface's kept drawing.
    virtual int InteriorHeight(ShadedSurface surface) = 0;
    virtual void DrawShadingLine(ShadedSurface surface, int y, ShadeColour colour) = 0;
    // Closes the dialog: its unload handler runs, then the window goes.
    virtual void Unload() = 0;
    // The control that has the keyboard focus, if it is one of the stops.
    virtual std::optional<FocusStop> FocusedStop() = 0;
    // Gives a stop the focus; false when it cannot take it (disabled or hidden).
    virtual bool FocusOn(FocusStop stop) = 0;
    // The repeat box's list is open: Enter and Esc are then the list's own.
    virtual bool RepeatListOpen() = 0;
};

// The rest of the system as the dialog uses it.
class SettingsDialogPlatform {
public:
    virtual ~SettingsDialogPlatform() = default;
    virtual double ScreenWidthTwips() = 0;
    virtual double ScreenHeightTwips() = 0;
    // The mouse position in screen pixels; nothing when it cannot be read.
    virtual std::optional<ScreenPoint> CursorPosition() = 0;
    // The zoom effects on the dialog's own window.
    virtual void ZoomWindowOpen() = 0;
    virtual void ZoomWindowClose() = 0;
    virtual void SetMousePointer(MousePointer pointer) = 0;
    // The system's open-file dialog; the chosen full path, or nothing when cancelled or failed.
    virtual std::optional<std::string> ChooseFile() = 0;
    // Opens a document or address with the shell's "open" verb.
    virtual void OpenInShell(const std::string& target) = 0;
    // The values into the settings file beside the program (or the user's own copy), all in one
    // write (UTF-8 names and text): Written, or why nothing was.
    virtual WriteOutcome WriteSettings(std::string_view section, const std::vector<ProfileEntry>& entries) = 0;
    // A message box over the dialog; returns when the user has closed it.
    virtual void ShowMessage(const std::string& text) = 0;
    // The user's fraction mark, for numbers typed into the repeat box.
    virtual char DecimalSeparator() = 0;
};

class SettingsDialog {
public:
    SettingsDialog(SettingsValues& values, SettingsDialogView& view, SettingsDialogPlatform& platform)
        : values_(values), view_(view), platform_(platform) {}

    // Event handlers.
    void FormLoad();
    void FormResize();
    void FormUnload();
    void CmdSetClick();
    void CmdCanClick();
    void CmdBgmClick();
    void HsFastChange();
    void HsFastScroll();
    void ImgBgmClick(int index);
    void LblBgmClick(int index);
    void LblUrlClick();
    // A key pressed anywhere in the dialog, before the focused control sees it; true when the
    // key was the dialog's (Tab, Enter, Esc, the arrows on the music rows).
    bool FormKeyDown(int keyCode, int shift);

    // Routines.
    void ChooseMusicFile();
    // Written, or why the settings were not.
    WriteOutcome SaveSettings();

private:
    void ChooseMusic(int index);
    void MoveFocus(bool backwards);

    SettingsValues& values_;
    SettingsDialogView& view_;
    SettingsDialogPlatform& platform_;
};

}  // namespace spindle
