// The saver's model: the animation (start, bounce, phase, twist, a frame's segments, the frame
// loop) and the window's handlers against a recording fake of their ports.
#include "saver/saver_controller.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "runtime/runtime_error.h"

namespace {
bool counting = false;  // counts every allocation of the test program while set
long allocations = 0;
}  // namespace

// The replacement delete frees what the replacement new took from malloc; GCC cannot see the pairing.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size) {
    allocations += counting;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace spindle {
namespace {

struct ScriptedRandom : RandomSource {
    explicit ScriptedRandom(std::vector<double> values) : draws(std::move(values)) {}
    double Next() override { return draws.at(next++); }
    std::vector<double> draws;
    std::size_t next = 0;
};

TEST(StartAnchors, CentreRoundedHalfToEvenAndVelocityFromRThenMxThenMy) {
    const std::tuple<float, float, double, double, double, std::int32_t, std::int32_t, int, int> cases[] = {
        {15359, 8639, 0.00, 0.35, 0.75, 7680, 4320, 4, 8},     {15361, 8641, 0.25, 0.35, 0.75, 7680, 4320, -4, -8},
        {28800, 16200, 0.50, 0.35, 0.75, 14400, 8100, 4, -8},  {0, 1, 0.99, 0.35, 0.75, 0, 0, -4, 8},
        {1000, 1000, 0.00, 0.00, 0.999, 500, 500, 1, 10},      {1000, 1000, 0.24, 0.999, 0.00, 500, 500, 10, 1},
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
    PhaseState phase;  // 7 does not divide 25210: the last step each way is clamped
    for (int frame = 0; frame < 2 * 3602; ++frame) {
        ASSERT_EQ(phase.PhaseRising, frame < 3602) << frame;
        AdvancePhase(phase, 7);
        if (frame == 3601) { EXPECT_EQ(phase.Phase, kPhaseTop); }
    }
    EXPECT_EQ(std::tuple(phase.Phase, phase.PhaseRising), std::tuple(std::int16_t{0}, true));
    // Frames until the overflow (-1: none): 7558 lands on 30232 and 32767 on 32767, both clamped.
    const std::pair<float, int> cases[] = {{0, -1},     {7557, -1}, {7558, -1}, {32767, -1}, {8200, 3},
                                           {32768, 0},  {1e9f, 0},  {-1, 32768}, {-5, 6553}};
    for (auto [speed, framesUntilOverflow] : cases) {
        PhaseState state, before;
        int frames = 0;
        try {
            for (; frames < 100000; ++frames, before = state) AdvancePhase(state, speed);
            frames = -1;
        } catch (const RuntimeError& error) {
            EXPECT_EQ(std::tuple(error.kind(), state.Phase), std::tuple(RuntimeError::Kind::Overflow, before.Phase));
        }
        EXPECT_EQ(frames, framesUntilOverflow) << speed;
    }
}

TEST(TwistAngle, HundredthsOfDegreesWithPiTakenAs314) {
    EXPECT_EQ(TwistAngle(0), 0.0);
    EXPECT_NEAR(TwistAngle(200), 3.14 / 180, 1e-15);
    EXPECT_NEAR(TwistAngle(kPhaseTop), 2.198872, 1e-6);  // not the 2.2000 of the true pi
}

TEST(ComputeFrame, AtPhaseZeroHorizontalLinesGrowingDownwardsAndBrightening) {
    AnchorState anchors;
    anchors.PosX = {1000, 5000, 9000};
    anchors.PosY = {2000, 3000, 4000};
    FrameSegments s;
    ComputeFrame(anchors, TwistAngle(0), s);
    for (int i = 0; i < kSegmentsPerFrame; ++i) {
        const int k = i % kAnchorCount;
        const Segment above = i < kAnchorCount ? Segment{0, float(anchors.PosY[k]), 0, 0, 0} : s[i - 3];
        EXPECT_TRUE(s[i].y1 == s[i].y2 && s[i].y1 > above.y1) << i;  // lower, and longer:
        EXPECT_GT(std::abs(s[i].x1 - s[i].x2), std::abs(above.x1 - above.x2)) << i;
        EXPECT_NEAR(s[i].x1 - anchors.PosX[k], anchors.PosX[k] - s[i].x2, 0.05) << i;  // centred on the anchor
    }
    // Red, green, blue in each step; halves round to even: 25.5 -> 26, 76.5 -> 76, 178.5 -> 178.
    for (auto [step, v] : {std::pair{1, 1u}, std::pair{2, 3u}, std::pair{20, 26u}, std::pair{60, 76u},
                           std::pair{140, 178u}, std::pair{200, 255u}}) {
        const int i = (step - 1) * kAnchorCount;
        EXPECT_EQ(std::tuple(s[i].rgb, s[i + 1].rgb, s[i + 2].rgb), std::tuple(Rgb(v, 0, 0), Rgb(0, v, 0), Rgb(0, 0, v)));
    }
    ComputeFrame(anchors, TwistAngle(9876), s);  // twisted, the first pen step is (sin a, cos a) * 10
    EXPECT_NEAR(s[0].x1, 1000 + std::sin(TwistAngle(9876) - 5) * 10, 1e-3);
    EXPECT_NEAR(s[0].y1, 2000 + std::cos(TwistAngle(9876) - 5) * 10, 1e-3);
}

// Records the calls as letters (Cls, Line, Refresh, Yield) and the lines; ends the loop after
// `stopAfter` frames, as the shut-down does.
struct Recorder : DrawingSurface, EventYield {
    Recorder(AnchorState& state, int stop) : anchors(state), stopAfter(stop) {
        calls.reserve(200 * 603), lines.reserve(200 * 600);  // so that recording allocates nothing
    }
    float ScaleWidth() override { return 28800; }
    float ScaleHeight() override { return 16200; }
    void Cls() override { calls += 'C'; }
    void Line(float x1, float y1, float x2, float y2, std::uint32_t rgb) override {
        calls += 'L';
        lines.push_back({x1, y1, x2, y2, rgb});
    }
    void Refresh() override { calls += 'R'; }
    void YieldToEvents() override {
        calls += 'Y';
        counting = countAllocations;  // the start is done: from here on only frames run
        if (++frames == stopAfter) anchors.Running = counting = false;
    }
    AnchorState& anchors;
    int stopAfter;
    std::string calls;
    std::vector<Segment> lines;
    int frames = 0;
    bool countAllocations = false;
};

TEST(RunAnimation, EachFrameClearsDrawsRefreshesYieldsAllocatesNothingAndRepeatsEveryRun) {
    AnchorState anchors, again;
    Recorder recorder(anchors, 200), repeat(again, 200);
    recorder.countAllocations = true;
    allocations = 0;
    UniformRandom random, sameRandom;
    NoFrameWait unpaced;
    RunAnimation(anchors, recorder, recorder, unpaced, random, 97);
    EXPECT_EQ(allocations, 0);
    std::string expected;
    for (int i = 0; i < 200; ++i) expected += "C" + std::string(600, 'L') + "RY";
    EXPECT_EQ(recorder.calls, expected);
    RunAnimation(again, repeat, repeat, unpaced, sameRandom, 97);
    EXPECT_EQ(std::memcmp(recorder.lines.data(), repeat.lines.data(), sizeof(Segment) * 200 * 600), 0);
    const Segment &early = recorder.lines[599], &late = recorder.lines[3 * 600 + 599];
    EXPECT_NE(early.x2 - early.x1, late.x2 - late.x1);  // the twist moves
}

using Log = std::vector<std::string>;

// The window, its Display, the music and the system in one, around a controller: journals each
// step (throwing for those in `failing`), draws nothing, and runs `event` in the third frame.
class Saver : public SaverFormPort, public DrawingSurface, public EventYield, public MusicRoutines,
              public SystemSettingsPort {
public:
    explicit Saver(std::int16_t kind = 0, std::string file = "", std::string startMode = "S")
        : settings{1, kind, 0, std::move(file)}, timer2(kind == 1), mode(std::move(startMode)) {}
    template <typename... Values>
    void Note(const char* step, Values... values) {
        std::ostringstream text;
        ((text << step) << ... << (" " + std::to_string(values)));
        log.push_back(text.str());
        if (failing.count(log.back())) throw RuntimeError(RuntimeError::Kind::Platform, log.back());
    }
    void CoverScreen() override { Note("CoverScreen"); }
    void CoverWindowWithDisplay() override { Note("CoverWindowWithDisplay"); }
    double TwipsPerPixelX() override { return 15; }
    double TwipsPerPixelY() override { return 15; }
    double PictureWidth() override { return 320; }
    double PictureHeight() override { return 320; }
    void CopyPictureToDisplay(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h) override {
        Note("Copy", x, y, w, h);
    }
    void KeepDisplayImageAsBackground() override { Note("Keep"); }
    void SetTimer1Enabled(bool on) override { Note(on ? "Timer1 on" : "Timer1 off"); }
    void SetTimer2Enabled(bool on) override { Note((timer2 = on) ? "Timer2 on" : "Timer2 off"); }
    bool Timer2Enabled() override { return timer2; }
    void ShowNormal() override { Note("Show"); }
    void MakeTopmost() override { Note("Topmost"); }
    void Unload() override { Note("Unload"); }
    void EndProcess() override { Note("End"); }
    float ScaleWidth() override { return width * 15.0f; }
    float ScaleHeight() override { return height * 15.0f; }
    void Cls() override { animating = true; }
    void Line(float, float, float, float, std::uint32_t) override {}
    void Refresh() override { animating ? void() : Note("Refresh"); }  // not the frames' own refreshes
    void YieldToEvents() override {
        if (++frames == 1) Note("frame");
        if (frames == 3 && event) event();
        if (frames > 1000) throw RuntimeError(RuntimeError::Kind::Platform, "ran away");
    }
    void CdOpen() override { Note("CdOpen"); }
    void CdPoll() override { Note("CdPoll"); }
    void CdPreviousTrack() override { Note("CdPrevious"); }
    void CdNextTrack() override { Note("CdNext"); }
    void CdClose() override { Note("CdClose"); }
    void Mp3Open() override { Note("Mp3Open"); }
    void Mp3Rewind() override { Note("Mp3Rewind"); }
    void Mp3Close() override { Note("Mp3Close"); }
    void WavPlay() override { Note("WavPlay"); }
    void WavStop() override { Note("WavStop"); }
    bool CdPolling() const override { return polling; }
    std::int32_t ShowCursor(std::int32_t show) override { return Note("Cursor", show), show + 1; }
    void SetSystemParameter(std::uint32_t action, std::uint32_t value) override { Note("SPI", action, value); }

    SettingsValues settings;
    Log log;
    std::set<std::string> failing;
    bool timer2, polling = true, animating = false;
    int width = 1920, height = 1080, frames = 0;
    std::int32_t cursor = -1;
    std::function<void()> event;
    std::string mode;
    NoFrameWait unpaced;
    SaverController controller{*this, *this, *this, unpaced, *this, *this, settings, mode, cursor};
};

const Log kEnd = {"SPI 97 0", "Cursor -1", "SPI 17 1", "Unload", "End"};
const Log kByHand = {"SPI 17 1", "Unload", "End"};  // cursor and saver state were never touched

Log Join(Log a, const Log& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST(SaverFormLoad, StepsInOrderMusicByKindAndFileNameThenFramesUntilAKeyEndsIt) {
    // music: started between keeping the background and showing; end: what the end runs.
    using Case = std::tuple<std::string, std::int16_t, std::string, Log, Log>;
    const Log mp3 = {"Mp3Open", "Timer1 on"};
    const Case cases[] = {
        {"S", 0, "C:\\a.mp3", {}, kEnd},
        {"S", 1, "", {"CdOpen", "Timer2 on"}, Join({"Timer2 off", "CdClose"}, kEnd)},
        {"S", 2, "C:\\m\\A.WaV", {"WavPlay"}, Join({"WavStop"}, kEnd)},
        {"S", 2, "C:\\m\\bmp3", mp3, Join({"Mp3Close"}, kEnd)},  // no dot needed
        {"S", 2, "\xE6\x9B\xB2.Mp3", mp3, Join({"Mp3Close"}, kEnd)},
        {"S", 2, "\xE6\x9B\xB2\xEF\xBD\x97" "av", {}, kEnd},  // three characters, not bytes: "ｗav" is no WAV
        {"S", 2, "a.mp3.txt", {}, kEnd},
        {"S", 2, "a.wav ", {}, kEnd},
        {"S", 3, "C:\\a.wav", {}, kEnd},
        {"", 0, "", {}, kByHand},
        {"", 2, "x.mp3", mp3, Join({"Mp3Close"}, kByHand)},
    };
    for (const auto& [mode, kind, file, music, end] : cases) {
        Saver saver(kind, file, mode);
        saver.event = [&] { saver.controller.Form_KeyDown(32, 0); };
        saver.controller.Form_Load();
        const Log load = {"CoverScreen", "CoverWindowWithDisplay", "Copy 800 380 320 320", "Refresh", "Keep"};
        EXPECT_EQ(saver.log, Join(Join(load, music), Join({"Show", "Topmost", "frame"}, end))) << file;
        EXPECT_EQ(saver.frames, 3);  // the loop left right after the event pass that ended it
        EXPECT_EQ(saver.cursor, mode == "S" ? 0 : -1);  // the count ShowCursor handed back is kept
    }
}

TEST(SaverFormLoad, EveryFailingStepOfLoadAndShutDownIsSkipped) {
    const Log all = {"CoverScreen", "CoverWindowWithDisplay", "Copy 800 380 320 320", "Refresh", "Keep", "CdOpen",
                     "Timer2 on", "Show", "Topmost", "frame", "Timer2 off", "CdClose", "SPI 97 0", "Cursor -1",
                     "SPI 17 1", "Unload", "End"};
    for (const std::string& failing : all) {
        Saver saver(1);
        saver.failing.insert(failing == "frame" || failing == "End" ? "" : failing);
        saver.event = [&] { saver.controller.Form_KeyDown(13, 0); };
        saver.controller.Form_Load();
        EXPECT_EQ(saver.log, all) << failing;
        EXPECT_FALSE(saver.controller.Anchors().Running) << failing;
    }
}

TEST(SaverFormLoad, PictureCentredHalvesToEvenAndAfterThePhaseOverflowKeysAndClicksStillEndIt) {
    const std::tuple<int, int, std::string> cases[] = {{1921, 1083, "Copy 800 382 320 320"},
                                                       {1923, 1081, "Copy 802 380 320 320"},
                                                       {200, 150, "Copy -60 -85 320 320"},
                                                       {0, 0, "Copy -160 -160 320 320"}};
    for (const auto& [width, height, copy] : cases) {
        Saver saver;
        saver.width = width, saver.height = height, saver.settings.RotationSpeed = 8200;
        saver.controller.Form_Load();  // returns after four frames: the load's last step swallows the overflow
        EXPECT_EQ(std::tuple(saver.log.at(2), saver.frames, saver.log.back()), std::tuple(copy, 4, "frame"));
        width % 2 ? saver.controller.Display_Click() : saver.controller.Form_KeyDown(65, 0);
        EXPECT_EQ(saver.log.back(), "End") << width;
    }
}

TEST(SaverKeyDown, ArrowsChangeTheCdTrackOnlyWithCdMusic) {
    const Log cdEnd = Join({"Timer2 off", "CdClose"}, kEnd);
    const std::tuple<std::int16_t, std::int16_t, Log> cases[] = {
        {1, kKeyLeft, {"CdPrevious"}}, {1, kKeyRight, {"CdNext"}}, {1, 38, cdEnd}, {1, 27, cdEnd},
        {0, kKeyLeft, kEnd},           {2, kKeyRight, kEnd},       {0, -1, kEnd}};
    for (const auto& [kind, key, log] : cases) {
        Saver saver(kind);
        saver.failing.insert("CdNext");  // a failing track change is ignored
        EXPECT_NO_THROW(saver.controller.Form_KeyDown(key, 0));
        EXPECT_EQ(saver.log, log) << kind << " " << key;
    }
}

TEST(SaverTimers, Timer1RewindsTheMp3AndTimer2PollsWhileTheCdAnswersThenTheEndClosesIt) {
    for (bool answers : {true, false}) {
        Saver saver(1);
        saver.polling = answers;
        saver.controller.Timer1_Timer();
        saver.controller.Timer2_Timer();
        saver.controller.EndSaver();
        const Log polled = {"Mp3Rewind", "CdPoll", answers ? "Timer2 on" : "Timer2 off"};
        EXPECT_EQ(saver.log, Join(polled, answers ? Join({"Timer2 off", "CdClose"}, kEnd) : kEnd));
    }
}

}  // namespace
}  // namespace spindle
