// The saver window's handlers, step by step; the steps that may fail are skipped one at a time.
#include "saver/saver_controller.h"

#include <utility>

#include "runtime/conversions.h"
#include "runtime/runtime_error.h"
#include "runtime/text_utf8.h"

namespace spindle {

MusicFileType MusicFileTypeOf(std::string_view bgmFile) {
    const std::size_t length = CharacterCount(bgmFile);
    const std::string ending = UpperAscii(CharacterSlice(bgmFile, length < 3 ? 0 : length - 3));
    if (ending == "WAV") return MusicFileType::Wav;
    if (ending == "MP3") return MusicFileType::Mp3;
    return MusicFileType::None;
}

SaverController::SaverController(SaverFormPort& form, MonitorSurfaces& display, EventYield& events,
                                 FrameWaitPort& frameWait, MusicRoutines& music, SystemSettingsPort& system,
                                 const SettingsValues& settings, std::string modeLetter, std::int32_t& cursorState)
    : form_(form),
      display_(display),
      events_(events),
      frameWait_(frameWait),
      music_(music),
      system_(system),
      settings_(settings),
      modeLetter_(std::move(modeLetter)),
      cursorState_(cursorState) {}

void SaverController::CoverMonitors() {
    RunStep([&] { form_.CoverScreen(); });
    RunStep([&] { form_.CoverWindowWithDisplay(); });
    int monitors = 0;
    RunStep([&] { monitors = display_.MonitorCount(); });
    for (int m = 0; m < monitors; ++m) {
        RunStep([&] {
            // Centred in pixels; on a monitor smaller than the picture the point is negative and the copy is cut.
            DrawingSurface& display = display_.Monitor(m);
            const std::int32_t x =
                RoundToInt32((display.ScaleWidth() / form_.TwipsPerPixelX(m) - form_.PictureWidth()) / 2);
            const std::int32_t y =
                RoundToInt32((display.ScaleHeight() / form_.TwipsPerPixelY(m) - form_.PictureHeight()) / 2);
            form_.CopyPictureToDisplay(m, x, y, RoundToInt32(form_.PictureWidth()),
                                       RoundToInt32(form_.PictureHeight()));
        });
    }
    for (int m = 0; m < monitors; ++m) RunStep([&] { display_.Monitor(m).Refresh(); });
    RunStep([&] { form_.KeepDisplayImageAsBackground(); });
}

void SaverController::Form_Load() {
    CoverMonitors();
    if (settings_.BgmKind == 1) {
        RunStep([&] { music_.CdOpen(); });
        RunStep([&] { form_.SetTimer2Enabled(true); });
    } else if (settings_.BgmKind == 2) {
        if (FileType() == MusicFileType::Wav) RunStep([&] { music_.WavPlay(); });
        if (FileType() == MusicFileType::Mp3) {
            RunStep([&] { music_.Mp3Open(); });
            RunStep([&] { form_.SetTimer1Enabled(true); });
        }
    }
    RunStep([&] { form_.ShowNormal(); });
    RunStep([&] { form_.MakeTopmost(); });
    RunStep([&] { RunAnimation(animation_, display_, events_, frameWait_, random_, settings_.RotationSpeed); });
}

void SaverController::Form_KeyDown(std::int16_t keyCode, std::int16_t) {
    RunStep([&] {
        if (settings_.BgmKind == 1 && keyCode == kKeyLeft) {
            music_.CdPreviousTrack();
        } else if (settings_.BgmKind == 1 && keyCode == kKeyRight) {
            music_.CdNextTrack();
        } else {
            EndSaver();
        }
    });
}

void SaverController::Display_Click() { EndSaver(); }

void SaverController::Timer1_Timer() {
    if (animation_.Paused) return;  // a held MP3 is not "playing": it must not be started again
    music_.Mp3Rewind();
}

void SaverController::Timer2_Timer() {
    if (animation_.Paused) return;  // nor a held CD
    music_.CdPoll();
    form_.SetTimer2Enabled(music_.CdPolling());
}

void SaverController::Display_LayoutChanged() {
    CoverMonitors();
    RunStep([&] { form_.ShowNormal(); });
    RunStep([&] { form_.MakeTopmost(); });
}

void SaverController::Display_PowerChanged(DisplayPower power) {
    const bool off = power == DisplayPower::Off;
    if (off == animation_.Paused) return;
    animation_.Paused = off;
    HoldMusic(off);
}

void SaverController::HoldMusic(bool hold) {
    if (settings_.BgmKind == 1) {
        bool playing = false;  // the CD answered its last poll
        RunStep([&] { playing = form_.Timer2Enabled(); });
        if (playing) RunStep([&] { hold ? music_.CdPause() : music_.CdResume(); });
    } else if (settings_.BgmKind == 2) {
        if (FileType() == MusicFileType::Wav) RunStep([&] { hold ? music_.WavStop() : music_.WavPlay(); });
        if (FileType() == MusicFileType::Mp3) RunStep([&] { hold ? music_.Mp3Pause() : music_.Mp3Resume(); });
    }
}

void SaverController::EndSaver() {
    bool closeCd = false;
    RunStep([&] { closeCd = form_.Timer2Enabled(); });
    if (closeCd) {
        RunStep([&] { form_.SetTimer2Enabled(false); });
        RunStep([&] { music_.CdClose(); });
    }
    if (settings_.BgmKind == 2) {
        if (FileType() == MusicFileType::Wav) RunStep([&] { music_.WavStop(); });
        if (FileType() == MusicFileType::Mp3) RunStep([&] { music_.Mp3Close(); });
    }
    if (modeLetter_ == "S") {
        RunStep([&] { SetSaverRunning(-1, system_); });
        RunStep([&] { cursorState_ = system_.ShowCursor(cursorState_); });
    }
    RunStep([&] { system_.SetSystemParameter(kSetScreenSaveActive, 1); });
    animation_.Running = false;
    RunStep([&] { form_.Unload(); });
    form_.EndProcess();
}

}  // namespace spindle
