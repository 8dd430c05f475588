// The saver's model: the animation (start, bounce, phase, twist, a frame's segments, a new
// layout), the monitors it covers, and the window's handlers against a recording fake of their ports.
#include "saver/saver_controller.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "runtime/runtime_error.h"
#include "saver/monitor_layout.h"

namespace spindle {
namespace {

struct ScriptedRandom : RandomSource {
    explicit ScriptedRandom(std::vector<double> values) : draws(std::move(values)) {}
    double Next() override { return draws.at(next++); }
    std::vector<double> draws;
    std::size_t next = 0;
};

NoFrameWait unpaced;  // frames one after another, as fast as they are drawn

TEST(StartAnchors, CentreRoundedHalfToEvenAndVelocityFromRThenMxThenMy) {
    const std::tuple<float, float, double, double, double, std::int32_t, std::int32_t, int, int> cases[] = {
        {15359, 8639, 0.00, 0.35, 0.75, 7680, 4320, 4, 8}, {15361, 8641, 0.25, 0.35, 0.75, 7680, 4320, -4, -8},
        {0, 1, 0.50, 0.00, 0.999, 0, 0, 1, -10},          {1000, 1000, 0.99, 0.999, 0.00, 500, 500, -10, 1},
    };
    for (auto [width, height, r, mx, my, x, y, velX, velY] : cases) {
        ScriptedRandom random({r, mx, my, r, mx, my, r, mx, my});
        AnchorState a;
        StartAnchors(a, width, height, random);
        EXPECT_EQ(std::tuple(a.PosX[2], a.PosY[2], int{a.VelX[2]}, int{a.VelY[2]}), std::tuple(x, y, velX, velY)) << r;
    }
}

TEST(MoveAnchors, TurnsOnlyStrictlyBeyondTheEdgeMovedTowards) {
    // On an edge: on; beyond: turned, never clamped; beyond but moving back: left alone.
    const int cases[][4] = {{995, 5, 1000, 5}, {996, 5, 1001, -5},   {2000, 7, 2007, -7}, {1200, -3, 1197, -3},
                            {5, -5, 0, -5},    {3, -5, -2, 5},       {-10, 3, -7, 3}};
    for (auto [position, velocity, movedTo, velocityAfter] : cases) {
        AnchorState a;
        a.PosX.fill(position), a.VelX.fill(velocity), a.PosY.fill(position), a.VelY.fill(velocity);
        MoveAnchors(a, 1000, 1000);
        EXPECT_EQ(std::tuple(a.PosX[0], a.VelX[0], a.PosY[2], a.VelY[2]),
                  std::tuple(movedTo, velocityAfter, movedTo, velocityAfter)) << position << " " << velocity;
    }
}

TEST(AdvancePhase, ClampsAndTurnsAtTheTopAndAtZeroAndThrowsOutsideSixteenBits) {
    // 7 does not divide 25210: the last step each way is clamped; 10 lands on the top and on 0.
    for (auto [speed, steps] : {std::pair{7.0f, 3602}, std::pair{10.0f, 2521}}) {
        PhaseState phase;
        for (int frame = 0; frame < 2 * steps; ++frame) {
            ASSERT_EQ(phase.PhaseRising, frame < steps) << frame;
            AdvancePhase(phase, speed);
            if (frame == steps - 1) { EXPECT_EQ(phase.Phase, kPhaseTop); }
        }
        EXPECT_EQ(std::tuple(phase.Phase, phase.PhaseRising), std::tuple(std::int16_t{0}, true)) << speed;
    }
    // Past 16 bits the phase overflows (-1: never): 7558 lands on 30232 and 32767 on 32767, both clamped.
    for (auto [speed, overflowsAt] : {std::pair{7558.0f, -1}, {32767.0f, -1}, {8200.0f, 3}, {32768.0f, 0}}) {
        PhaseState phase;
        for (int frame = 0; frame < (overflowsAt < 0 ? 100000 : overflowsAt); ++frame) AdvancePhase(phase, speed);
        if (overflowsAt >= 0) { EXPECT_THROW(AdvancePhase(phase, speed), RuntimeError) << speed; }
    }
}

TEST(ComputeFrame, BrighteningRedGreenBlueInEachStepTwistedWithPiAs314) {
    const AnchorState anchors{{1000, 5000, 9000}, {2000, 3000, 4000}, {}, {}};
    FrameSegments s;
    ComputeFrame(anchors, TwistAngle(0), s);
    // Red, green, blue in each step; halves round to even: 25.5 -> 26, 76.5 -> 76, 178.5 -> 178.
    for (auto [step, v] : {std::pair{1, 1u}, std::pair{2, 3u}, std::pair{20, 26u}, std::pair{60, 76u},
                           std::pair{140, 178u}, std::pair{200, 255u}}) {
        const int i = (step - 1) * kAnchorCount;
        EXPECT_EQ(std::tuple(s[i].rgb, s[i + 1].rgb, s[i + 2].rgb), std::tuple(Rgb(v, 0, 0), Rgb(0, v, 0), Rgb(0, 0, v)));
    }
    EXPECT_NEAR(TwistAngle(kPhaseTop), 2.198872, 1e-6);  // hundredths of degrees; the true pi gives 2.2000
    ComputeFrame(anchors, TwistAngle(9876), s);  // twisted, the first pen step is (sin a, cos a) * 10
    EXPECT_NEAR(s[0].x1, 1000 + std::sin(TwistAngle(9876) - 5) * 10, 1e-3);
    EXPECT_NEAR(s[0].y1, 2000 + std::cos(TwistAngle(9876) - 5) * 10, 1e-3);
}

TEST(SaverLayout, PrimaryFirstThenTheListedOrderWithoutEmptyMonitorsOrElseThePrimaryScreen) {
    const MonitorRect screen{0, 0, 1024, 768}, left{-800, 0, 800, 600}, above{0, -1080, 1920, 1080};
    const MonitorRect right{1024, 0, 800, 600}, empty{1024, 0, 0, 600}, flat{0, 0, 300, -2};
    const std::pair<std::vector<ListedMonitor>, MonitorLayout> cases[] = {
        {{{left, false}, {above, false}, {screen, true}, {right, false}}, {screen, left, above, right}},
        {{{right, false}, {empty, false}, {flat, false}, {screen, true}}, {screen, right}},
        {{{right, false}}, {right}},                 // no primary listed: the others still
        {{}, {{0, 0, 640, 480}}},                    // nothing listed: the primary screen
        {{{empty, true}, {flat, false}}, {{0, 0, 640, 480}}},
    };
    for (const auto& [listed, layout] : cases) {
        EXPECT_EQ(SaverLayout(listed, {0, 0, 640, 480}), layout) << listed.size();
    }
}

using Log = std::vector<std::string>;

// The window, its Displays (one per monitor of `sizes`), the music and the system around a
// controller: journals each step (throwing at `failing`) and runs `events` in their event passes.
#define NOTED(Step, text) void Step() override { Note(text); }
class Saver : public SaverFormPort, public MonitorSurfaces, public EventYield, public MusicRoutines,
              public SystemSettingsPort {
public:
    struct Screen : DrawingSurface {
        Screen(Saver& owner, int monitor) : saver(owner), index(monitor) {}
        float ScaleWidth() override { return saver.sizes.at(index).first * 1440.0f / saver.dpi.at(index); }
        float ScaleHeight() override { return saver.sizes.at(index).second * 1440.0f / saver.dpi.at(index); }
        void Cls() override { saver.inFrame = true, ++saver.draws; }  // a frame's own Refresh is not journalled
        void Line(float, float, float, float, std::uint32_t) override {}
        void Refresh() override { saver.inFrame ? void(saver.inFrame = false) : saver.Note("Refresh", index); }
        Saver& saver;
        int index;
    };
    explicit Saver(std::int16_t kind = 0, std::string file = "", std::string startMode = "S")
        : settings{1, kind, 0, std::move(file)}, timer2(kind == 1), mode(std::move(startMode)) {}
    template <typename... Values>
    void Note(const char* step, Values... values) {
        std::ostringstream text;
        ((text << step) << ... << (" " + std::to_string(values)));
        log.push_back(text.str());
        if (log.back() == failing) throw RuntimeError(RuntimeError::Kind::Platform, log.back());
    }
    NOTED(CoverScreen, "CoverScreen") NOTED(CoverWindowWithDisplay, "CoverWindowWithDisplay")
    NOTED(KeepDisplayImageAsBackground, "Keep") NOTED(ShowNormal, "Show") NOTED(MakeTopmost, "Topmost")
    NOTED(Unload, "Unload") NOTED(EndProcess, "End") NOTED(CdOpen, "CdOpen") NOTED(CdPoll, "CdPoll")
    NOTED(CdPreviousTrack, "CdPrevious") NOTED(CdNextTrack, "CdNext") NOTED(CdClose, "CdClose")
    NOTED(Mp3Open, "Mp3Open") NOTED(Mp3Rewind, "Mp3Rewind") NOTED(Mp3Close, "Mp3Close") NOTED(WavPlay, "WavPlay")
    NOTED(WavStop, "WavStop") NOTED(CdPause, "CdPause") NOTED(CdResume, "CdResume") NOTED(Mp3Pause, "Mp3Pause")
    NOTED(Mp3Resume, "Mp3Resume")
    double TwipsPerPixelX(int monitor) override { return 1440.0 / dpi.at(monitor); }
    double TwipsPerPixelY(int monitor) override { return 1440.0 / dpi.at(monitor); }
    double PictureWidth() override { return 320; }
    double PictureHeight() override { return 320; }
    void CopyPictureToDisplay(int monitor, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h) override {
        Note("Copy", monitor, x, y, w, h);
    }
    void SetTimer1Enabled(bool on) override { Note(on ? "Timer1 on" : "Timer1 off"); }
    void SetTimer2Enabled(bool on) override { Note((timer2 = on) ? "Timer2 on" : "Timer2 off"); }
    bool Timer2Enabled() override { return timer2; }
    int MonitorCount() override { return static_cast<int>(sizes.size()); }
    DrawingSurface& Monitor(int index) override { return screens.at(index); }
    void YieldToEvents() override {
        if (++frames == 1) Note("frame");
        if (auto event = events.find(frames); event != events.end()) event->second();
        if (frames > 1000) throw RuntimeError(RuntimeError::Kind::Platform, "ran away");
    }
    bool CdPolling() const override { return polling; }
    std::int32_t ShowCursor(std::int32_t show) override { return Note("Cursor", show), show + 1; }
    void SetSystemParameter(std::uint32_t action, std::uint32_t value) override { Note("SPI", action, value); }

    SettingsValues settings;
    Log log;
    std::string failing;
    bool timer2, polling = true, inFrame = false;
    std::vector<std::pair<int, int>> sizes = {{1920, 1080}};  // pixels, the primary monitor first
    std::vector<int> dpi = {96, 96, 96, 96};                   // each monitor's
    std::vector<Screen> screens = {{*this, 0}, {*this, 1}, {*this, 2}, {*this, 3}};
    int frames = 0, draws = 0;
    std::int32_t cursor = -1;
    std::map<int, std::function<void()>> events;  // by event pass
    std::string mode;
    SaverController controller{*this, *this, *this, unpaced, *this, *this, settings, mode, cursor};
};

TEST(RunAnimation, ANewLayoutStartsOnlyNewOrResizedMonitorsAndTheOthersGoOn) {
    using Layout = std::vector<std::pair<int, int>>;
    const Layout two = {{3000, 1500}, {900, 600}};
    const std::pair<Layout, std::size_t> cases[] = {  // the new layout, the random draws it takes
        {two, 0},                                     // the same (a monitor only moved): nothing new
        {{{3000, 1500}, {900, 900}}, 9},              // the second monitor taller: it starts afresh
        {{{3000, 1500}, {900, 600}, {300, 300}}, 9},  // one more
        {{{3000, 1500}}, 0}, {{}, 0},                 // one fewer, or none: the loop still answers events
    };
    for (const auto& [layout, newDraws] : cases) {
        Saver saver;
        saver.sizes = two;
        AnimationState state;
        AnchorState kept;
        saver.events[5] = [&] { kept = state.Monitors[0].Anchors, saver.sizes = layout; };
        saver.events[6] = [&] { state.Running = false; };
        ScriptedRandom random(std::vector<double>(27, 0.5));
        RunAnimation(state, saver, saver, unpaced, random, 1);
        // Five frames on two monitors, then one on each of the new layout.
        EXPECT_EQ(std::tuple(random.next, saver.draws), std::tuple(18 + newDraws, 10 + int(layout.size())));
        if (layout.empty()) continue;
        const AnchorState& a = state.Monitors[0].Anchors;  // the primary monitor went on: one step further
        EXPECT_EQ(std::tuple(a.PosX[0] - a.VelX[0], a.PosY[0] - a.VelY[0]), std::tuple(kept.PosX[0], kept.PosY[0]));
    }
}

const Log kEnd = {"SPI 97 0", "Cursor -1", "SPI 17 1", "Unload", "End"};
const Log kByHand = {"SPI 17 1", "Unload", "End"};  // cursor and saver state were never touched

Log Join(Log a, const Log& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

const Log kLoad = {"CoverScreen", "CoverWindowWithDisplay", "Copy 0 800 380 320 320", "Refresh 0", "Keep"};
const Log kCdEnd = Join({"Timer2 off", "CdClose"}, kEnd);

TEST(SaverFormLoad, StepsInOrderMusicByKindAndFileNameThenFramesUntilAKeyEndsIt) {
    // music: started between keeping the background and showing; end: what the end runs.
    const Log mp3 = {"Mp3Open", "Timer1 on"};
    const std::tuple<std::string, std::int16_t, std::string, Log, Log> cases[] = {
        {"S", 0, "C:\\a.mp3", {}, kEnd},
        {"S", 1, "", {"CdOpen", "Timer2 on"}, kCdEnd},
        {"S", 2, "C:\\m\\A.WaV", {"WavPlay"}, Join({"WavStop"}, kEnd)},
        {"S", 2, "\xE6\x9B\xB2.Mp3", mp3, Join({"Mp3Close"}, kEnd)},  // the last three characters, not bytes
        {"S", 2, "a.mp3.txt", {}, kEnd}, {"S", 2, "a.wav ", {}, kEnd}, {"S", 3, "C:\\a.wav", {}, kEnd},
        {"", 0, "", {}, kByHand},
        {"", 2, "C:\\m\\bmp3", mp3, Join({"Mp3Close"}, kByHand)},  // no dot needed
    };
    for (const auto& [mode, kind, file, music, end] : cases) {
        Saver saver(kind, file, mode);
        saver.events[3] = [&] { saver.controller.Form_KeyDown(32, 0); };
        saver.controller.Form_Load();
        EXPECT_EQ(saver.log, Join(Join(kLoad, music), Join({"Show", "Topmost", "frame"}, end))) << file;
        EXPECT_EQ(saver.frames, 3);  // the loop left right after the event pass that ended it
        EXPECT_EQ(saver.cursor, mode == "S" ? 0 : -1);  // the count ShowCursor handed back is kept
    }
}

// A step that fails (no CD drive, a cursor call refused) is skipped: the saver still shows and ends.
TEST(SaverFormLoad, EveryFailingStepOfLoadAndShutDownIsSkipped) {
    const Log all = Join(Join(kLoad, {"CdOpen", "Timer2 on", "Show", "Topmost", "frame"}), kCdEnd);
    for (const std::string& failing : all) {
        Saver saver(1);
        saver.failing = failing == "frame" || failing == "End" ? "" : failing;
        saver.events[3] = [&] { saver.controller.Form_KeyDown(13, 0); };
        saver.controller.Form_Load();
        EXPECT_EQ(std::pair(saver.log, saver.controller.Animation().Running), std::pair(all, false)) << failing;
    }
}

TEST(SaverFormLoad, EachMonitorAtItsOwnDpiHasThePictureCentredInItsOwnPixels) {
    Saver saver;
    saver.sizes = {{1920, 1080}, {1600, 900}, {2880, 1620}, {3840, 2160}};
    saver.dpi = {96, 120, 144, 192};
    saver.events[3] = [&] {  // the second monitor moves to 200 % and the fourth back to 100 %
        saver.dpi = {96, 192, 144, 96};
        saver.controller.Display_LayoutChanged();
    };
    saver.controller.Form_Load();
    const Log copies = {"Copy 0 800 380 320 320", "Copy 1 640 290 320 320", "Copy 2 1280 650 320 320",
                        "Copy 3 1760 920 320 320"};
    std::erase_if(saver.log, [](const std::string& step) { return step.rfind("Copy", 0) != 0; });
    EXPECT_EQ(saver.log, Join(copies, copies));
}

TEST(SaverKeyDown, ArrowsChangeTheCdTrackOnlyWithCdMusic) {
    const std::tuple<std::int16_t, std::int16_t, Log> cases[] = {
        {1, kKeyLeft, {"CdPrevious"}}, {1, kKeyRight, {"CdNext"}}, {1, 38, kCdEnd}, {1, 27, kCdEnd},
        {0, kKeyLeft, kEnd},           {2, kKeyRight, kEnd}};
    for (const auto& [kind, key, log] : cases) {
        Saver saver(kind);
        saver.failing = "CdNext";  // a failing track change is ignored
        EXPECT_NO_THROW(saver.controller.Form_KeyDown(key, 0));
        EXPECT_EQ(saver.log, log) << kind << " " << key;
    }
}

TEST(SaverDisplayPower, OffDrawsNothingAndHoldsTheMusicOnOrDimmedCarriesBothOnAKeyEndsItInEitherState) {
    // music kind and file, whether the CD answers, a key while the display is off, what holds the
    // music, what carries it on and what the end runs
    const Log mp3End = Join({"Mp3Close"}, kEnd);
    const std::tuple<std::int16_t, std::string, bool, bool, Log, Log, Log> cases[] = {
        {0, "", true, false, {}, {}, kEnd},
        {1, "", true, false, {"CdPause"}, {"CdResume"}, kCdEnd},
        {1, "", false, false, {}, {}, kEnd},  // a CD that stopped answering plays nothing to hold
        {2, "C:\\m\\a.wav", true, false, {"WavStop"}, {"WavPlay"}, Join({"WavStop"}, kEnd)},
        {2, "C:\\m\\a.mp3", true, false, {"Mp3Pause"}, {"Mp3Resume"}, mp3End},
        {1, "", true, true, {"CdPause"}, {}, kCdEnd},
        {2, "C:\\m\\a.mp3", true, true, {"Mp3Pause"}, {}, mp3End},
    };
    for (const auto& [kind, file, answers, keyWhileOff, hold, carryOn, end] : cases) {
        Saver saver(kind, file);
        saver.polling = answers;
        if (!answers) saver.events[1] = [&] { saver.controller.Timer2_Timer(); };
        const auto note = [&](const char* what, DisplayPower power) {
            return [&saver, what, power] { saver.log.push_back(what), saver.controller.Display_PowerChanged(power); };
        };
        saver.events[3] = note("off", DisplayPower::Off);
        saver.events[4] = note("off again", DisplayPower::Off);
        saver.events[5] = [&] {  // the music timers leave held music alone
            saver.controller.Timer1_Timer();
            saver.controller.Timer2_Timer();
            if (keyWhileOff) saver.controller.Form_KeyDown(32, 0);
        };
        saver.events[7] = note("dimmed", DisplayPower::Dimmed);
        saver.events[8] = note("on", DisplayPower::On);
        saver.events[10] = [&] { saver.controller.Form_KeyDown(32, 0); };
        saver.controller.Form_Load();
        Log expected(saver.log.begin(), std::find(saver.log.begin(), saver.log.end(), "off"));  // the load
        expected = Join(Join(Join(expected, {"off"}), hold), {"off again"});
        if (!keyWhileOff) expected = Join(Join(Join(expected, {"dimmed"}), carryOn), {"on"});
        EXPECT_EQ(saver.log, Join(expected, end)) << kind << file << keyWhileOff;
        // Three frames before the display went off, none while off, three after it came back.
        EXPECT_EQ(saver.draws, keyWhileOff ? 3 : 6) << kind << file;
        EXPECT_FALSE(saver.controller.Animation().Running);
    }
}

}  // namespace
}  // namespace spindle
