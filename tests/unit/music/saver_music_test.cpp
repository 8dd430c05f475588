// The saver's handlers with the real music module on a simulated CD drive: the CD timer stops
// with the drive, shut-down closes only a polled drive, arrows skip tracks only with CD music.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>

#include "music/music_module.h"
#include "runtime/runtime_error.h"
#include "saver/saver_controller.h"
#include "support/cd_audio_simulation.h"
#include "unit/music/recording_sound_device.h"

namespace spindle {
namespace {

constexpr int kFrameMilliseconds = 30;
constexpr int kTimer2Milliseconds = 200;

// The window and its timers: each frame's event pass moves the drive's clock on, ticks Timer2
// when 200 ms have passed while it is enabled, and runs the key presses scripted for that frame.
class SimulatedSaverWindow : public SaverFormPort, public DrawingSurface, public EventYield {
public:
    explicit SimulatedSaverWindow(test::CdAudioSimulation& drive) : drive_(drive) {}

    void CoverScreen() override {}
    void CoverWindowWithDisplay() override {}
    double TwipsPerPixelX() override { return 15; }
    double TwipsPerPixelY() override { return 15; }
    double PictureWidth() override { return 320; }
    double PictureHeight() override { return 320; }
    void CopyPictureToDisplay(std::int32_t, std::int32_t, std::int32_t, std::int32_t) override {}
    void KeepDisplayImageAsBackground() override {}
    void SetTimer1Enabled(bool on) override { timer1 = on; }
    void SetTimer2Enabled(bool on) override { timer2 = on; }
    bool Timer2Enabled() override { return timer2; }
    void ShowNormal() override {}
    void MakeTopmost() override {}
    void Unload() override {}
    void EndProcess() override { ended = true; }

    float ScaleWidth() override { return 1920 * 15.0f; }
    float ScaleHeight() override { return 1080 * 15.0f; }
    void Cls() override {}
    void Line(float, float, float, float, std::uint32_t) override {}
    void Refresh() override {}
    void YieldToEvents() override {
        ++frames;
        drive_.AdvanceMilliseconds(kFrameMilliseconds);
        now += kFrameMilliseconds;
        if (timer2 && now - lastTick >= kTimer2Milliseconds) {
            lastTick = now;
            controller->Timer2_Timer();
        }
        if (auto key = keys.find(frames); key != keys.end()) controller->Form_KeyDown(key->second, 0);
        if (auto check = checks.find(frames); check != checks.end()) check->second();
        if (frames > 10000) throw RuntimeError(RuntimeError::Kind::Platform, "the saver never ended");
    }

    SaverController* controller = nullptr;
    std::map<int, std::int16_t> keys;             // frame -> key code
    std::map<int, std::function<void()>> checks;  // frame -> what to look at then
    bool timer1 = false;
    bool timer2 = false;
    bool ended = false;
    int frames = 0;

private:
    int now = 0;
    int lastTick = 0;
    test::CdAudioSimulation& drive_;
};

struct SaverWithCd {
    explicit SaverWithCd(std::vector<int> tracks) : drive(tracks) { window.controller = &controller; }

    int Count(const std::string& command) const {
        auto commands = drive.Commands();
        return static_cast<int>(std::count(commands.begin(), commands.end(), command));
    }

    test::CdAudioSimulation drive;
    test::RecordingSoundDevice sound;
    SettingsValues settings{1, 1, 0, ""};
    MusicModule music{drive, sound, settings};
    SimulatedSaverWindow window{drive};
    struct NoSystem : SystemSettingsPort {
        std::int32_t ShowCursor(std::int32_t) override { return 0; }
        void SetSystemParameter(std::uint32_t, std::uint32_t) override {}
    } system;
    std::int32_t cursorState = -1;
    SaverController controller{window, window, window, music, system, settings, "S", cursorState};
};

constexpr std::int16_t kKeySpace = 32;

TEST(SaverWithCdMusic, NoDiscStopsTheTimerAfterOnePollAndShutDownSendsNoClose) {
    SaverWithCd saver({});
    saver.window.keys = {{40, kKeySpace}};
    saver.controller.Form_Load();
    EXPECT_TRUE(saver.window.ended);
    EXPECT_EQ(saver.Count("status cdaudio current track"), 1);
    EXPECT_EQ(saver.Count("stop cdaudio"), 0);
    EXPECT_EQ(saver.Count("close cdaudio"), 0);
    EXPECT_TRUE(saver.drive.IsOpen());
    EXPECT_FALSE(saver.window.timer2);
}

TEST(SaverWithCdMusic, ArrowsSkipTracksAndOtherKeysCloseThePolledDrive) {
    SaverWithCd saver(std::vector<int>(10, 60));
    saver.settings.BgmRepeat = 0;
    int trackAfterRight = 0, trackAfterLeft = 0;
    saver.window.keys = {{20, kKeyRight}, {40, kKeyRight}, {60, kKeyLeft}, {80, kKeySpace}};
    saver.window.checks = {{21, [&] { trackAfterRight = saver.drive.CurrentTrack(); }},
                           {61, [&] { trackAfterLeft = saver.drive.CurrentTrack(); }}};
    saver.controller.Form_Load();
    EXPECT_EQ(trackAfterRight, 2);
    EXPECT_EQ(trackAfterLeft, 2);
    EXPECT_TRUE(saver.window.ended);
    EXPECT_EQ(saver.Count("close cdaudio"), 1);
    EXPECT_FALSE(saver.drive.IsOpen());
    EXPECT_FALSE(saver.drive.IsPlaying());
}

TEST(SaverWithCdMusic, RepeatTrackComesBackAfterAnArrowAndAfterItEnds) {
    SaverWithCd saver({5, 5, 5, 5});
    saver.settings.BgmRepeat = 3;
    std::vector<int> tracks;
    saver.window.keys = {{30, kKeyRight}, {400, kKeySpace}};
    for (int frame = 8; frame < 400; ++frame) {
        saver.window.checks[frame] = [&] { tracks.push_back(saver.drive.CurrentTrack()); };
    }
    saver.controller.Form_Load();
    // Another track is heard for at most one poll interval, whether reached by the arrow or by play.
    int runs = 0, run = 0, longest = 0;
    for (int track : tracks) {
        if (track == 3) {
            run = 0;
            continue;
        }
        if (run++ == 0) ++runs;
        longest = std::max(longest, run);
    }
    EXPECT_EQ(runs, 3);  // the arrow, then the two ends of the 5-second track in 12 seconds
    EXPECT_LE(longest * kFrameMilliseconds, kTimer2Milliseconds + kFrameMilliseconds);
    EXPECT_EQ(saver.Count("close cdaudio"), 1);
}

TEST(SaverWithOtherMusic, ArrowsEndTheSaver) {
    for (std::int16_t kind : {0, 2}) {
        SaverWithCd saver(std::vector<int>(10, 60));
        saver.settings.BgmKind = kind;
        saver.settings.BgmFile = "C:\\Music\\a.mid";
        saver.window.keys = {{5, kKeyLeft}};
        saver.controller.Form_Load();
        EXPECT_TRUE(saver.window.ended) << kind;
        EXPECT_EQ(saver.window.frames, 5) << kind;
        EXPECT_TRUE(saver.drive.Commands().empty()) << kind;
        EXPECT_TRUE(saver.sound.Calls().empty()) << kind;
    }
}

}  // namespace
}  // namespace spindle
