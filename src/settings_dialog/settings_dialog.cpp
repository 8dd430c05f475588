// The settings dialog's routines. Every routine runs its steps one after another and skips a
// step that fails; only a save that wrote nothing is reported, as it would lose the user's choices.
#include "settings_dialog/settings_dialog.h"

#include <vector>

#include "runtime/conversions.h"
#include "runtime/runtime_error.h"
#include "settings_dialog/dialog_rules.h"
#include "settings/settings_keys.h"

namespace spindle {

void SettingsDialog::FormLoad() {
    RunStep([&] {
        const DialogPosition position = DialogPlacement(platform_.ScreenWidthTwips(), platform_.ScreenHeightTwips(),
                                                        view_.DialogWidthTwips(), view_.DialogHeightTwips());
        view_.MoveTo(position.left, position.top);
    });
    RunStep([&] { view_.InitButtons(); });
    RunStep([&] { view_.SetSpeedBarValue(RoundToInt16(values_.RotationSpeed)); });
    RunStep([&] { view_.SetSpeedCaption(SpeedCaption(values_.RotationSpeed)); });
    RunStep([&] {
        for (int index = 0; index < kMusicChoiceCount; ++index) view_.ShowMark(index, false);
    });
    RunStep([&] {
        // A kind no row stands for selects nothing.
        if (values_.BgmKind >= 0 && values_.BgmKind < kMusicChoiceCount) view_.ShowMark(values_.BgmKind, true);
    });
    RunStep([&] { view_.SetRepeatText(RepeatText(values_.BgmRepeat)); });
    RunStep([&] {
        for (const std::string& entry : RepeatListEntries()) view_.AddRepeatEntry(entry);
    });
    RunStep([&] { view_.SetFileCaption(values_.BgmFile); });
    RunStep([&] { SetZoomPoint(platform_.CursorPosition()); });
    RunStep([&] { platform_.ZoomWindowOpen(); });
    RunStep([&] { platform_.SetMousePointer(MousePointer::Default); });
}

void SettingsDialog::FormResize() {
    for (ShadedSurface surface : {ShadedSurface::Form, ShadedSurface::PictureBox}) {
        std::vector<ShadeColour> lines;
        RunStep([&] { lines = ShadingLines(surface, view_.InteriorHeight(surface)); });
        RunStep([&] {
            for (std::size_t y = 0; y < lines.size(); ++y) view_.DrawShadingLine(surface, static_cast<int>(y), lines[y]);
        });
    }
}

void SettingsDialog::FormUnload() {
    RunStep([&] { platform_.ZoomWindowClose(); });
}

void SettingsDialog::CmdSetClick() {
    // The dialog stays as it is, so 「設定」 can save once the cause is gone.
    if (const std::optional<std::string> failure = SaveFailureMessage(SaveSettings())) {
        RunStep([&] { platform_.ShowMessage(*failure); });
        return;
    }
    view_.Unload();
}

void SettingsDialog::CmdCanClick() { view_.Unload(); }

void SettingsDialog::CmdBgmClick() { ChooseMusicFile(); }

void SettingsDialog::HsFastChange() { view_.SetSpeedCaption(std::to_string(view_.SpeedBarValue())); }

void SettingsDialog::HsFastScroll() { HsFastChange(); }

void SettingsDialog::ImgBgmClick(int index) { ChooseMusic(index); }

void SettingsDialog::LblBgmClick(int index) { ChooseMusic(index); }

void SettingsDialog::ChooseMusic(int index) {
    for (int row = 0; row < kMusicChoiceCount; ++row) view_.ShowMark(row, false);
    view_.ShowMark(index, true);
    values_.BgmKind = static_cast<std::int16_t>(index);
}

void SettingsDialog::LblUrlClick() {
    RunStep([&] { platform_.SetMousePointer(MousePointer::Hourglass); });
    RunStep([&] { platform_.OpenInShell(view_.LinkCaption()); });
    RunStep([&] { platform_.SetMousePointer(MousePointer::Default); });
}

bool SettingsDialog::FormKeyDown(int keyCode, int shift) {
    if (shift & (kCtrlMask | kAltMask)) return false;
    switch (keyCode) {
        case kKeyTab:
            MoveFocus((shift & kShiftMask) != 0);
            return true;
        case kKeyReturn: {
            if (view_.RepeatListOpen()) return false;
            // As in every Windows dialog: Enter presses the focused button, else the default one.
            const std::optional<FocusStop> focused = view_.FocusedStop();
            if (focused == FocusStop::CancelButton) {
                CmdCanClick();
            } else if (focused == FocusStop::FileButton) {
                CmdBgmClick();
            } else {
                CmdSetClick();
            }
            return true;
        }
        case kKeyEscape:
            if (view_.RepeatListOpen()) return false;
            CmdCanClick();
            return true;
        case kKeyUp:
        case kKeyDown:
        case kKeyLeft:
        case kKeyRight:
            // The music rows work as a group of radio buttons; elsewhere the arrows are the control's.
            if (view_.FocusedStop() != FocusStop::MusicChoices) return false;
            ChooseMusic(MusicRowAfter(values_.BgmKind, keyCode == kKeyUp || keyCode == kKeyLeft));
            return true;
        default:
            return false;
    }
}

void SettingsDialog::MoveFocus(bool backwards) {
    std::optional<FocusStop> stop = view_.FocusedStop();
    for (int tried = 0; tried < kFocusStopCount; ++tried) {
        stop = NextFocusStop(stop, backwards);
        if (view_.FocusOn(*stop)) return;
    }
}

void SettingsDialog::ChooseMusicFile() {
    std::optional<std::string> chosen;
    RunStep([&] { chosen = platform_.ChooseFile(); });
    if (!chosen) return;
    RunStep([&] { values_.BgmFile = *chosen; });
    RunStep([&] { view_.SetFileCaption(values_.BgmFile); });
}

WriteOutcome SettingsDialog::SaveSettings() {
    std::vector<ProfileEntry> entries;
    auto add = [&](const SettingsKey& key, std::string value) { entries.push_back({std::string(key.name), value}); };
    RunStep([&] { add(kSpeedKey, SaveText(view_.SpeedBarValue())); });
    RunStep([&] { add(kBgmKindKey, SaveText(values_.BgmKind)); });
    // A number the box cannot hold as a track keeps the value read at start-up.
    RunStep([&] { values_.BgmRepeat = RepeatFromText(view_.RepeatText(), platform_.DecimalSeparator()); });
    RunStep([&] { add(kBgmRepeatKey, SaveText(values_.BgmRepeat)); });
    RunStep([&] { add(kBgmFileKey, values_.BgmFile); });
    WriteOutcome outcome = WriteOutcome::Failed;
    RunStep([&] { outcome = platform_.WriteSettings(kSettingsSection.name, entries); });
    return outcome;
}

}  // namespace spindle
