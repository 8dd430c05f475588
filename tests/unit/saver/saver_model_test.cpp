// The saver's model: the animation (start, bounce, phase, twist, a frame's segments, the frame
// loop) and the window's handlers against a recording fake of their ports.
#include "saver/saver_controller.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
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
    // Frames until the overflow (-1: none): 7558 lands on 30232 and 32767 on 32767, both clamped.
    const std::pair<float, int> cases[] = {{7558, -1}, {32767, -1}, {8200, 3}, {32768, 0}, {-1, 32768}};
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

TEST(ComputeFrame, AtPhaseZeroHorizontalLinesGrowingDownwardsAndBrighteningTwistedWithPiAs314) {
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
    EXPECT_NEAR(TwistAngle(kPhaseTop), 2.198872, 1e-6);  // hundredths of degrees; the true pi gives 2.2000
    ComputeFrame(anchors, TwistAngle(9876), s);  // twisted, the first pen step is (sin a, cos a) * 10
    EXPECT_NEAR(s[0].x1, 1000 + std::sin(TwistAngle(9876) - 5) * 10, 1e-3);
    EXPECT_NEAR(s[0].y1, 2000 + std::cos(TwistAngle(9876) - 5) * 10, 1e-3);
}

// Monitors of their own sizes, the primary first, that journal each Cls as the monitor's letter, each
// Refresh as R (? after a frame of other than 600 lines) and each event pass as Y. At each event pass
// every monitor must have drawn the model's frame of its anchors then and of the next phase in turn,
// and every anchor must be near its own monitor; the primary's anchors go into a digest. `change`
// runs in the event pass of frame `changeAt`, as a display change does.
struct Monitors : MonitorSurfaces, EventYield {
    struct Surface : DrawingSurface {
        Surface(float w, float h, std::string& log, char letter) : width(w), height(h), calls(&log), name(letter) {}
        float ScaleWidth() override { return width; }
        float ScaleHeight() override { return height; }
        void Cls() override { *calls += name, drawn = 0; }
        void Line(float x1, float y1, float x2, float y2, std::uint32_t rgb) override {
            if (drawn < kSegmentsPerFrame) lines[drawn] = {x1, y1, x2, y2, rgb};
            ++drawn;
        }
        void Refresh() override { *calls += drawn == kSegmentsPerFrame ? 'R' : '?'; }
        float width, height;
        std::string* calls;
        char name;
        int drawn = 0;
        FrameSegments lines{};
    };
    Monitors(AnimationState& animation, const std::vector<std::pair<float, float>>& sizes, float rotationSpeed = 1)
        : state(animation), speed(rotationSpeed) {
        SetLayout(sizes);
        calls.reserve(15000);  // so that recording allocates nothing
    }
    void SetLayout(const std::vector<std::pair<float, float>>& sizes) {
        surfaces.clear();
        for (auto [width, height] : sizes) surfaces.emplace_back(width, height, calls, char('a' + surfaces.size()));
    }
    int MonitorCount() override { return static_cast<int>(surfaces.size()); }
    DrawingSurface& Monitor(int index) override { return surfaces.at(index); }
    void YieldToEvents() override {
        calls += 'Y';
        counting = true;  // the start is done: from here on only frames run
        for (std::size_t m = 0; m < surfaces.size(); ++m) {
            const AnchorState& a = state.Monitors.at(m).Anchors;
            ComputeFrame(a, TwistAngle(phase.Phase), expected);
            sameFrames &= std::memcmp(&surfaces[m].lines, &expected, sizeof expected) == 0;
            for (int k = 0; k < kAnchorCount; ++k) {
                inside &= a.PosX[k] >= -10 && a.PosY[k] >= -10 && a.PosX[k] <= surfaces[m].width + 10 &&
                          a.PosY[k] <= surfaces[m].height + 10;
                for (std::int64_t v : {a.PosX[k], a.PosY[k], std::int32_t{a.VelX[k]}, std::int32_t{a.VelY[k]}})
                    if (m == 0) digest = (digest ^ static_cast<std::uint64_t>(v)) * 0x100000001b3;
            }
        }
        AdvancePhase(phase, speed);
        if (++frames == changeAt) change();
        if (frames == stopAt) state.Running = counting = false;
    }
    AnimationState& state;
    float speed;
    std::vector<Surface> surfaces;
    std::string calls;
    FrameSegments expected{};
    PhaseState phase;
    int frames = 0, changeAt = -1, stopAt = 2000;
    bool sameFrames = true, inside = true;
    std::uint64_t digest = 0xcbf29ce484222325;
    std::function<void()> change;
};

TEST(RunAnimation, OneMonitorDrawsTheSingleScreenFramesOneByOneAndAllocatesNothing) {
    // A large screen, and a small one where the anchors bounce many times in 300 frames; the digests
    // are of the anchors the single-screen saver drew each frame from.
    for (auto [width, height, speed, digest] :
         {std::tuple{28800.f, 16200.f, 97.f, 0xc7c60fd5b5f162d1ull}, std::tuple{15.f, 15.f, 3000.f, 0x7fca539c689d2f75ull}}) {
        AnimationState state;
        Monitors monitor(state, {{width, height}}, speed);
        monitor.stopAt = 300;
        allocations = 0;
        UniformRandom random;
        RunAnimation(state, monitor, monitor, unpaced, random, speed);
        EXPECT_EQ(std::tuple(allocations, monitor.sameFrames, monitor.digest), std::tuple(0, true, digest)) << width;
        std::string expected;
        for (int i = 0; i < 300; ++i) expected += "aRY";
        EXPECT_EQ(monitor.calls, expected);
    }
}

TEST(RunAnimation, EachMonitorPrimaryFirstHasItsOwnAnchorsFromItsCentreWithinItsOwnEdges) {
    AnimationState state;
    Monitors monitors(state, {{3000, 1500}, {900, 2400}, {450, 450}});
    std::vector<double> draws;
    for (int i = 0; i < 27; ++i) draws.push_back((i % 9) / 9.0 + 0.05 + (i / 9) * 0.01);
    ScriptedRandom random(draws);
    AnimationState first;  // after the first frame
    monitors.changeAt = 1, monitors.change = [&] { first = state; };
    RunAnimation(state, monitors, monitors, unpaced, random, 1);
    EXPECT_EQ(monitors.calls.substr(0, 7), "aRbRcRY");  // the primary monitor first, each shown once, one event pass
    EXPECT_EQ(random.next, 27u);                        // three monitors of three anchors, in that order
    // Over many frames every monitor draws its own frames and its anchors bounce off its own edges.
    EXPECT_EQ(std::tuple(monitors.frames, monitors.sameFrames, monitors.inside), std::tuple(2000, true, true));
    const float sizes[][2] = {{3000, 1500}, {900, 2400}, {450, 450}};
    for (int m = 0; m < 3; ++m) {  // monitor m drew from draws 9m to 9m + 8, from its own centre, then moved once
        ScriptedRandom same(std::vector<double>(draws.begin() + 9 * m, draws.begin() + 9 * m + 9));
        AnchorState e;
        StartAnchors(e, sizes[m][0], sizes[m][1], same);
        MoveAnchors(e, sizes[m][0], sizes[m][1]);
        const AnchorState& a = first.Monitors[m].Anchors;
        EXPECT_EQ(std::tuple(a.PosX, a.PosY, a.VelX, a.VelY), std::tuple(e.PosX, e.PosY, e.VelX, e.VelY)) << m;
    }
}

TEST(RunAnimation, ANewLayoutStartsOnlyNewOrResizedMonitorsAndAllocatesOnlyForMoreOfThem) {
    using Layout = std::vector<std::pair<float, float>>;
    const Layout two = {{3000, 1500}, {900, 600}};
    // The new layout, the random draws it takes, the frame's calls after it, whether that allocates.
    const std::tuple<Layout, std::size_t, std::string, bool> cases[] = {
        {two, 0, "aRbRY", false},                                  // the same (a monitor only moved): nothing new
        {{{3000, 1500}, {900, 900}}, 9, "aRbRY", false},           // the second monitor taller: it starts afresh
        {{{3000, 1500}, {900, 600}, {300, 300}}, 9, "aRbRcRY", true},  // one more
        {{{3000, 1500}}, 0, "aRY", false},                         // one fewer
        {{}, 0, "Y", false},                                       // none at all: the loop still answers events
    };
    for (const auto& [layout, newDraws, after, allocates] : cases) {
        AnimationState state;
        Monitors monitors(state, two);
        monitors.changeAt = 5, monitors.stopAt = 6;
        AnchorState kept;
        monitors.change = [&] {
            kept = state.Monitors[0].Anchors;
            monitors.SetLayout(layout);
            allocations = 0;
        };
        ScriptedRandom random(std::vector<double>(27, 0.5));
        RunAnimation(state, monitors, monitors, unpaced, random, 1);
        EXPECT_EQ(std::tuple(allocations > 0, random.next), std::tuple(allocates, 18 + newDraws)) << layout.size();
        EXPECT_EQ(monitors.calls.substr(monitors.calls.size() - after.size()), after) << layout.size();
        EXPECT_TRUE(monitors.sameFrames) << layout.size();
        if (!layout.empty()) {  // the primary monitor went on from where it was: one step further
            const AnchorState& a = state.Monitors[0].Anchors;
            EXPECT_EQ(std::tuple(a.PosX[0] - a.VelX[0], a.PosY[0] - a.VelY[0]), std::tuple(kept.PosX[0], kept.PosY[0]));
        }
    }
}

using Log = std::vector<std::string>;

// The window, its Displays (one per monitor of `sizes`), the music and the system in one, around
// a controller: journals each step (throwing for those in `failing`), draws nothing, and runs
// `events` in their event passes.
class Saver : public SaverFormPort, public MonitorSurfaces, public EventYield, public MusicRoutines,
              public SystemSettingsPort {
public:
    struct Screen : DrawingSurface {
        Screen(Saver& owner, int monitor) : saver(owner), index(monitor) {}
        float ScaleWidth() override { return saver.sizes.at(index).first * Twips(); }
        float ScaleHeight() override { return saver.sizes.at(index).second * Twips(); }
        float Twips() const { return 1440.0f / saver.dpi.at(index); }  // per pixel, at its monitor's DPI
        void Cls() override { saver.inFrame = true, ++saver.draws; }
        void Line(float, float, float, float, std::uint32_t) override {}
        void Refresh() override {  // a frame's own refresh follows its Cls: not journalled
            saver.inFrame ? void(saver.inFrame = false) : saver.Note("Refresh", index);
        }
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
        if (failing.count(log.back())) throw RuntimeError(RuntimeError::Kind::Platform, log.back());
    }
    void CoverScreen() override { Note("CoverScreen"); }
    void CoverWindowWithDisplay() override { Note("CoverWindowWithDisplay"); }
    double TwipsPerPixelX(int monitor) override { return 1440.0 / dpi.at(monitor); }
    double TwipsPerPixelY(int monitor) override { return 1440.0 / dpi.at(monitor); }
    double PictureWidth() override { return 320; }
    double PictureHeight() override { return 320; }
    void CopyPictureToDisplay(int monitor, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h) override {
        Note("Copy", monitor, x, y, w, h);
    }
    void KeepDisplayImageAsBackground() override { Note("Keep"); }
    void SetTimer1Enabled(bool on) override { Note(on ? "Timer1 on" : "Timer1 off"); }
    void SetTimer2Enabled(bool on) override { Note((timer2 = on) ? "Timer2 on" : "Timer2 off"); }
    bool Timer2Enabled() override { return timer2; }
    void ShowNormal() override { Note("Show"); }
    void MakeTopmost() override { Note("Topmost"); }
    void Unload() override { Note("Unload"); }
    void EndProcess() override { Note("End"); }
    int MonitorCount() override { return static_cast<int>(sizes.size()); }
    DrawingSurface& Monitor(int index) override { return screens.at(index); }
    void YieldToEvents() override {
        if (++frames == 1) Note("frame");
        if (auto event = events.find(frames); event != events.end()) event->second();
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
    void CdPause() override { Note("CdPause"); }
    void CdResume() override { Note("CdResume"); }
    void Mp3Pause() override { Note("Mp3Pause"); }
    void Mp3Resume() override { Note("Mp3Resume"); }
    bool CdPolling() const override { return polling; }
    std::int32_t ShowCursor(std::int32_t show) override { return Note("Cursor", show), show + 1; }
    void SetSystemParameter(std::uint32_t action, std::uint32_t value) override { Note("SPI", action, value); }

    SettingsValues settings;
    Log log;
    std::set<std::string> failing;
    bool timer2, polling = true, inFrame = false;
    std::vector<std::pair<int, int>> sizes = {{1920, 1080}};  // pixels, the primary monitor first
    std::vector<int> dpi = {96, 96, 96};                       // each monitor's
    std::vector<Screen> screens = {{*this, 0}, {*this, 1}, {*this, 2}};
    int frames = 0, draws = 0;
    std::int32_t cursor = -1;
    std::map<int, std::function<void()>> events;  // by event pass
    std::string mode;
    SaverController controller{*this, *this, *this, unpaced, *this, *this, settings, mode, cursor};
};

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
    using Case = std::tuple<std::string, std::int16_t, std::string, Log, Log>;
    const Log mp3 = {"Mp3Open", "Timer1 on"};
    const Case cases[] = {
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

TEST(SaverFormLoad, EveryFailingStepOfLoadAndShutDownIsSkipped) {
    const Log all = Join(Join(kLoad, {"CdOpen", "Timer2 on", "Show", "Topmost", "frame"}), kCdEnd);
    for (const std::string& failing : all) {
        Saver saver(1);
        saver.failing.insert(failing == "frame" || failing == "End" ? "" : failing);
        saver.events[3] = [&] { saver.controller.Form_KeyDown(13, 0); };
        saver.controller.Form_Load();
        EXPECT_EQ(std::pair(saver.log, saver.controller.Animation().Running), std::pair(all, false)) << failing;
    }
}

TEST(SaverFormLoad, PictureCentredOnEachMonitorHalvesToEvenAndANewLayoutIsCoveredAsTheAnimationGoesOn) {
    Saver saver;
    saver.sizes = {{1923, 1081}};
    saver.events[3] = [&] {  // in the third frame's event pass: a second and third monitor, the first one resized
        saver.sizes = {{1921, 1083}, {200, 150}, {1024, 768}};
        saver.controller.Display_LayoutChanged();
        saver.log.push_back("changed");
    };
    saver.failing.insert("Copy 1 -60 -85 320 320");  // a failing step is skipped, as at the load
    saver.controller.Form_Load();                    // until the fake stops it with an error
    const Log log = {"CoverScreen", "CoverWindowWithDisplay", "Copy 0 802 380 320 320", "Refresh 0", "Keep", "Show",
                     "Topmost", "frame", "CoverScreen", "CoverWindowWithDisplay", "Copy 0 800 382 320 320",
                     "Copy 1 -60 -85 320 320", "Copy 2 352 224 320 320", "Refresh 0", "Refresh 1", "Refresh 2", "Keep",
                     "Show", "Topmost", "changed"};
    EXPECT_EQ(saver.log, log);
    EXPECT_EQ(saver.frames, 1001);  // the frames went on, now on three monitors
    EXPECT_EQ(saver.controller.Animation().Monitors.size(), 3u);
    saver.controller.Display_Click();  // after the error a click still ends it
    EXPECT_EQ(saver.log.back(), "End");
}

// Monitors at their own scales (100 %, 125 %, 150 %, 200 %): each Display is measured at its
// monitor's DPI, and the Earth keeps its own pixels in the centre of each, never stretched. A
// monitor whose scale changes is covered anew at the new one.
TEST(SaverFormLoad, EachMonitorAtItsOwnDpiHasThePictureCentredInItsOwnPixels) {
    Saver saver;
    saver.sizes = {{1920, 1080}, {1600, 900}, {2880, 1620}, {3840, 2160}};
    saver.dpi = {96, 120, 144, 192};
    saver.screens.push_back({saver, 3});
    saver.events[3] = [&] {  // the second monitor moves to 200 % and the fourth back to 100 %
        saver.dpi = {96, 192, 144, 96};
        saver.controller.Display_LayoutChanged();
        saver.log.push_back("changed");
    };
    saver.controller.Form_Load();
    const Log copies = {"Copy 0 800 380 320 320", "Copy 1 640 290 320 320", "Copy 2 1280 650 320 320",
                        "Copy 3 1760 920 320 320"};
    Log seen;
    for (const std::string& entry : saver.log) {
        if (entry.rfind("Copy", 0) == 0) seen.push_back(entry);
    }
    EXPECT_EQ(seen, Join(copies, copies));
    EXPECT_EQ(saver.controller.Animation().Monitors.size(), 4u);
}

TEST(SaverKeyDown, ArrowsChangeTheCdTrackOnlyWithCdMusic) {
    const std::tuple<std::int16_t, std::int16_t, Log> cases[] = {
        {1, kKeyLeft, {"CdPrevious"}}, {1, kKeyRight, {"CdNext"}}, {1, 38, kCdEnd}, {1, 27, kCdEnd},
        {0, kKeyLeft, kEnd},           {2, kKeyRight, kEnd}};
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
        EXPECT_EQ(saver.log, Join(polled, answers ? kCdEnd : kEnd));
    }
}

TEST(SaverDisplayPower, OffDrawsNothingAndHoldsTheMusicOnOrDimmedCarriesBothOnAKeyEndsItInEitherState) {
    // music kind and file, whether the CD answers, a key while the display is off, what holds the
    // music and what carries it on
    using Case = std::tuple<std::int16_t, std::string, bool, bool, Log, Log>;
    const Case cases[] = {
        {0, "", true, false, {}, {}},
        {1, "", true, false, {"CdPause"}, {"CdResume"}},
        {1, "", false, false, {}, {}},  // a CD that stopped answering plays nothing to hold
        {2, "C:\\m\\a.wav", true, false, {"WavStop"}, {"WavPlay"}},
        {2, "C:\\m\\a.mp3", true, false, {"Mp3Pause"}, {"Mp3Resume"}},
        {1, "", true, true, {"CdPause"}, {}},
        {2, "C:\\m\\a.mp3", true, true, {"Mp3Pause"}, {}},
    };
    for (const auto& [kind, file, answers, keyWhileOff, hold, carryOn] : cases) {
        Saver saver(kind, file);
        saver.polling = answers;
        if (!answers) saver.events[1] = [&] { saver.controller.Timer2_Timer(); };
        const auto note = [&](const char* what, DisplayPower power) {
            return [&saver, what, power] {
                saver.log.push_back(what);
                saver.controller.Display_PowerChanged(power);
            };
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

        Log expected;  // the load as the load's own test has it
        for (const std::string& step : saver.log) {
            if (step == "off") break;
            expected.push_back(step);
        }
        expected = Join(Join(Join(expected, {"off"}), hold), {"off again"});
        if (!keyWhileOff) expected = Join(Join(Join(expected, {"dimmed"}), carryOn), {"on"});
        const Log end = kind == 1 ? (answers ? kCdEnd : kEnd)
                        : kind == 2 ? Join({file.back() == 'v' ? "WavStop" : "Mp3Close"}, kEnd)
                                    : kEnd;
        EXPECT_EQ(saver.log, Join(expected, end)) << kind << file << keyWhileOff;
        // Three frames before the display went off, none while off, three after it came back.
        EXPECT_EQ(saver.draws, keyWhileOff ? 3 : 6) << kind << file;
        EXPECT_FALSE(saver.controller.Animation().Running);
    }
}

}  // namespace
}  // namespace spindle
