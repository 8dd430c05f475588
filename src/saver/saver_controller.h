// The saver window's handlers: load (cover every monitor, centre the picture on each, start the
// music, run the animation), keys, click, the music timers, a new display layout and the
// shut-down. The window itself is a port, so every rule here runs without Windows.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "music/music_routines.h"
#include "saver/display_power.h"
#include "saver/frame_pacing.h"
#include "saver/line_animation.h"
#include "saver/uniform_random.h"
#include "settings/settings_values.h"
#include "runtime/system_settings_port.h"

namespace spindle {

inline constexpr std::int16_t kKeyLeft = 37;
inline constexpr std::int16_t kKeyRight = 39;

enum class MusicFileType { None, Wav, Mp3 };

// The last three characters of the file name, upper-cased: "WAV" or "MP3"; no dot needed.
MusicFileType MusicFileTypeOf(std::string_view bgmFile);

// What the handlers ask of the saver window. A step that fails throws; the handlers that skip
// failing steps carry on with the next one.
class SaverFormPort {
public:
    virtual ~SaverFormPort() = default;
    // A window on each monitor of the current layout, as large as the monitor, at its place.
    virtual void CoverScreen() = 0;
    // On each window a Display as large as the window's interior, then at (0, 0); the Display
    // surfaces follow the windows' order (primary monitor first).
    virtual void CoverWindowWithDisplay() = 0;
    // A monitor's twips per pixel: those of its own DPI.
    virtual double TwipsPerPixelX(int monitor) = 0;
    virtual double TwipsPerPixelY(int monitor) = 0;
    // Pic_D's interior size in pixels.
    virtual double PictureWidth() = 0;
    virtual double PictureHeight() = 0;
    // BitBlt from Pic_D (0, 0) into a monitor's Display image at (x, y), SRCCOPY.
    virtual void CopyPictureToDisplay(int monitor, std::int32_t x, std::int32_t y, std::int32_t width,
                                      std::int32_t height) = 0;
    // From now on every Cls of each Display restores its current image.
    virtual void KeepDisplayImageAsBackground() = 0;
    virtual void SetTimer1Enabled(bool enabled) = 0;
    virtual void SetTimer2Enabled(bool enabled) = 0;
    virtual bool Timer2Enabled() = 0;
    // Window state normal, shown modeless; the primary monitor's window ends up active.
    virtual void ShowNormal() = 0;
    // Every window: SetWindowPos(HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE).
    virtual void MakeTopmost() = 0;
    virtual void Unload() = 0;
    virtual void EndProcess() = 0;
};

class SaverController {
public:
    SaverController(SaverFormPort& form, MonitorSurfaces& display, EventYield& events, FrameWaitPort& frameWait,
                    MusicRoutines& music, SystemSettingsPort& system, const SettingsValues& settings, std::string modeLetter,
                    std::int32_t& cursorState);

    // Returns only when the animation has ended without ending the process.
    void Form_Load();
    void Form_KeyDown(std::int16_t keyCode, std::int16_t shift);
    void Display_Click();
    void Timer1_Timer();
    void Timer2_Timer();
    // The monitors changed (added, removed, resized or moved): cover the new layout, each monitor
    // with its picture; the animation starts the anchors of new or resized monitors itself.
    void Display_LayoutChanged();
    // The display was turned off, on or dimmed: while it is off nothing is drawn and the music is
    // held (a looping WAV stopped), so that no audio stream keeps the machine awake; keys and
    // clicks still end the saver. On or dimmed, both carry on from where they stopped.
    void Display_PowerChanged(DisplayPower power);
    void EndSaver();

    const AnimationState& Animation() const { return animation_; }

private:
    MusicFileType FileType() const { return MusicFileTypeOf(settings_.BgmFile); }
    // Load steps 1 to 5: windows, Displays, the centred pictures, shown, kept as background.
    void CoverMonitors();
    // Holds the music while the display is off, or carries it on.
    void HoldMusic(bool hold);

    SaverFormPort& form_;
    MonitorSurfaces& display_;
    EventYield& events_;
    FrameWaitPort& frameWait_;
    MusicRoutines& music_;
    SystemSettingsPort& system_;
    const SettingsValues& settings_;
    std::string modeLetter_;
    std::int32_t& cursorState_;
    AnimationState animation_;
    UniformRandom random_;
};

}  // namespace spindle
