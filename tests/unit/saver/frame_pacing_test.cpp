// The pace of the frame loop against a simulated display clock: refreshes per step from the rate;
// steps per second at every common rate and frame cost, with a compositor whose flush blocks to the
// next refresh and with one whose flush comes back at once; events during either wait; a new rate.
#include "saver/frame_pacing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "saver/line_animation.h"

namespace spindle {
namespace {

TEST(FramePacing, OneStepEveryNearestWholeNumberOfRefreshesToSixtyAStep) {
    // rate, refreshes per step, step period and one refresh in 100 ns ticks
    const std::tuple<int, int, Ticks, Ticks> cases[] = {
        {60, 1, 166667, 166667}, {144, 2, 138889, 69444}, {165, 3, 181818, 60606}, {89, 1, 112360, 112360},
        {90, 2, 222222, 111111}, {30, 1, 333333, 333333}, {2, 1, 5000000, 5000000}, {1, 1, 166667, 166667},
        {-50, 1, 166667, 166667}, {INT_MAX, 35791394, 166667, 1},
    };
    for (auto [rate, refreshes, period, refresh] : cases) {
        EXPECT_EQ(std::tuple(RefreshesPerStep(rate), StepPeriod(rate), RefreshPeriod(rate)),
                  std::tuple(refreshes, period, refresh))
            << rate;
    }
}

constexpr Ticks kMs = kTicksPerSecond / 1000;

enum class Flush { BlocksToNextRefresh, ReturnsAtOnce, Off };

// A display refreshing `rate` times a second from time 0 on a simulated clock. With composition
// the flush wakes a little after the next refresh (the compositor's own work), or at once as under
// a remote session; without it only the timer waits. Events arrive at their times: a flush cannot
// be interrupted, the timer's wait is.
struct SimulatedDisplay : FrameWaitPort {
    SimulatedDisplay(int refreshRate, Flush flush, std::vector<Ticks> arrivals = {})
        : rate(refreshRate), flush(flush), events(std::move(arrivals)) {}
    Ticks RefreshAt(std::int64_t k) const { return (k * kTicksPerSecond + rate - 1) / rate; }
    // The refresh that shows what was presented at `t`.
    std::int64_t ShownOn(Ticks t) const { return t * rate / kTicksPerSecond + 1; }

    int RefreshRate() override { return reported < 0 ? rate : reported; }
    Ticks Now() override { return now; }
    bool CompositionOn() override { return flush != Flush::Off; }
    bool WaitForComposedRefresh() override {
        if (++waits > kMostWaits) throw std::runtime_error("a busy wait");
        if (flush == Flush::BlocksToNextRefresh) now = RefreshAt(ShownOn(now)) + kCompositorLatency;
        return true;
    }
    bool EventsWaiting() override { return next < events.size() && events[next] <= now; }
    void WaitForEvents() override { now = std::max(now, events.at(next)); }
    bool SleepUntil(Ticks due) override {
        if (++waits > kMostWaits) throw std::runtime_error("a busy wait");
        const bool event = next < events.size() && events[next] < due;
        now = std::max(now, event ? events[next] : due);
        return !event;
    }

    static constexpr Ticks kCompositorLatency = 3000;  // 0.3 ms
    static constexpr int kMostWaits = 100000;  // far more than a few seconds of steps take
    int rate;
    int reported = -1;  // the rate the system tells, when not the true one
    Flush flush;
    std::vector<Ticks> events;
    std::size_t next = 0;
    Ticks now = 0;
    int waits = 0;  // flushes and timer waits
};

// Handles the events that have arrived by now, noting how long each waited.
struct EventLog : EventYield {
    explicit EventLog(SimulatedDisplay& display) : display(display) {}
    void YieldToEvents() override {
        for (; display.EventsWaiting(); ++display.next) delays.push_back(display.now - display.events[display.next]);
    }
    SimulatedDisplay& display;
    std::vector<Ticks> delays;
};

struct PacedRun {
    std::vector<Ticks> presents;
    int mostWaitsInAStep = 0;
};

// Frames of a fixed cost (the tenth `longer`), each followed by its event pass and the wait, for `seconds`.
PacedRun RunFrames(SimulatedDisplay& display, Ticks cost, double seconds, Ticks longer = 0) {
    EventLog events(display);
    FramePacer pacer(display);
    const bool running = true;
    PacedRun run;
    while (display.now < seconds * kTicksPerSecond) {
        display.now += cost + (run.presents.size() == 9 ? longer : 0);
        run.presents.push_back(display.now);
        events.YieldToEvents();
        const int before = display.waits;
        pacer.WaitForNextStep(events, running);
        run.mostWaitsInAStep = std::max(run.mostWaitsInAStep, display.waits - before);
    }
    return run;
}

TEST(FramePacer, StepsAtRefreshRateOverNOrOnePerFrameWhenAFrameCostsMoreNeverFasterNeverBusy) {
    for (int rate : {60, 75, 120, 144, 165, 240}) {
        const Ticks period = StepPeriod(rate);
        const int refreshes = RefreshesPerStep(rate);
        for (Ticks cost : {Ticks{0}, 3 * kMs, 9 * kMs, 12 * kMs, 15 * kMs, period - kMs, period + kMs, 2 * period + 3 * kMs}) {
            for (Flush flush : {Flush::BlocksToNextRefresh, Flush::ReturnsAtOnce, Flush::Off}) {
                SimulatedDisplay display(rate, flush);
                const PacedRun run = RunFrames(display, cost, 3.0);
                // Steps presented in the last two seconds, after the first one settled.
                const auto counted = std::count_if(run.presents.begin(), run.presents.end(),
                                                   [](Ticks t) { return t >= kTicksPerSecond && t < 3 * kTicksPerSecond; });
                const double stepsPerSecond = counted / 2.0;
                const double expected = cost > period ? double(kTicksPerSecond) / cost : double(rate) / refreshes;
                const std::string row = std::to_string(rate) + " Hz, frame " + std::to_string(cost / 10) + " us, flush " +
                                        std::to_string(static_cast<int>(flush));
                EXPECT_NEAR(stepsPerSecond, expected, expected * 0.02) << row;
                EXPECT_LE(stepsPerSecond, expected + 0.5) << row;
                // Never two steps closer than a step, and with a blocking flush never on refreshes
                // fewer than N apart.
                for (std::size_t i = 1; i < run.presents.size(); ++i) {
                    ASSERT_GE(run.presents[i] - run.presents[i - 1], std::max(period, cost) - 1) << row << ", step " << i;
                    if (flush == Flush::BlocksToNextRefresh) {
                        ASSERT_GE(display.ShownOn(run.presents[i]) - display.ShownOn(run.presents[i - 1]), refreshes)
                            << row << ", step " << i;
                    }
                }
                // A bounded number of waits a step: the flushes of N refreshes, a flush that
                // returned early and the timer.
                EXPECT_LE(run.mostWaitsInAStep, refreshes + 2) << row;
            }
        }
    }
}

TEST(FramePacer, AfterAFrameTenStepsLongNothingIsCaughtUp) {
    for (int rate : {60, 144}) {
        for (Flush flush : {Flush::BlocksToNextRefresh, Flush::ReturnsAtOnce, Flush::Off}) {
            SimulatedDisplay display(rate, flush);
            const Ticks tenSteps = 10 * StepPeriod(rate);
            const PacedRun run = RunFrames(display, kMs, 1.0, tenSteps);
            const auto next = std::count_if(run.presents.begin(), run.presents.end(), [&](Ticks t) {
                return t > run.presents[9] && t <= run.presents[9] + tenSteps;
            });
            EXPECT_LE(next, 11) << rate << " Hz, flush " << static_cast<int>(flush);  // the ten and one at once
        }
    }
}

TEST(FramePacer, AnEventDuringEitherWaitIsHandledWithinOneRefresh) {
    for (int rate : {60, 144, 240}) {
        for (Flush flush : {Flush::BlocksToNextRefresh, Flush::ReturnsAtOnce, Flush::Off}) {
            std::vector<Ticks> arrivals;
            for (Ticks t = 5 * kMs; t < kTicksPerSecond; t += 37 * kMs) arrivals.push_back(t);
            SimulatedDisplay display(rate, flush, arrivals);
            EventLog events(display);
            FramePacer pacer(display);
            const bool running = true;
            while (display.now < kTicksPerSecond) {
                display.now += 2 * kMs;  // a frame
                events.YieldToEvents();
                pacer.WaitForNextStep(events, running);
            }
            ASSERT_GE(events.delays.size(), arrivals.size() - 1);
            EXPECT_LE(*std::max_element(events.delays.begin(), events.delays.end()),
                      RefreshPeriod(rate) + SimulatedDisplay::kCompositorLatency)
                << rate << " Hz, flush " << static_cast<int>(flush);
        }
    }
}

TEST(FramePacer, ANewRefreshRateChangesThePaceFromTheNextStep) {
    // rate before, rate after (a new primary monitor), steps a second after the change
    const std::tuple<int, int, double> cases[] = {{60, 144, 72}, {144, 60, 60}, {60, 0, 60}, {120, 75, 75}};
    for (auto [before, after, expected] : cases) {
        for (Flush flush : {Flush::BlocksToNextRefresh, Flush::Off}) {
            SimulatedDisplay display(before, flush);
            EventLog events(display);
            FramePacer pacer(display);
            const bool running = true;
            std::vector<Ticks> presents;
            while (display.now < 3 * kTicksPerSecond) {
                if (display.now >= kTicksPerSecond) {
                    display.rate = after > 1 ? after : 60;  // 0: the system cannot tell
                    display.reported = after;
                }
                display.now += 3 * kMs;
                presents.push_back(display.now);
                pacer.WaitForNextStep(events, running);
            }
            const auto counted = std::count_if(presents.begin(), presents.end(), [](Ticks t) { return t >= 2 * kTicksPerSecond; });
            EXPECT_NEAR(counted, expected, expected * 0.02) << before << " -> " << after;
        }
    }
}

// The frame loop itself over the simulated display: each frame takes its given time to draw; the
// key 'k' ends the saver. Journals F (a frame presented) and Y (an event pass), and the first line
// of each frame, which moves with the anchor and the twist.
struct SimulatedSaver : DrawingSurface, EventYield {
    SimulatedSaver(AnimationState& state, SimulatedDisplay& display, std::vector<Ticks> costs)
        : animation(state), display(display), frameCosts(std::move(costs)) {}
    float ScaleWidth() override { return 28800; }
    float ScaleHeight() override { return 16200; }
    void Cls() override { firstLineOfFrame = true; }
    void Line(float x1, float, float, float, std::uint32_t) override {
        if (firstLineOfFrame) firstLines.push_back(x1);
        firstLineOfFrame = false;
    }
    void Refresh() override {
        display.now += frameCosts.at(presents.size());
        presents.push_back(display.now);
        journal += 'F';
    }
    void YieldToEvents() override {
        journal += 'Y';
        for (; display.EventsWaiting(); ++display.next) animation.Running = false;
    }

    AnimationState& animation;
    SimulatedDisplay& display;
    std::vector<Ticks> frameCosts;
    std::vector<Ticks> presents;
    std::string journal;
    std::vector<float> firstLines;
    bool firstLineOfFrame = false;
};

TEST(FramePacer, TheLoopDrawsOneStepAFrameWhateverTheTimingAndAKeyEndsItAtOnce) {
    constexpr Ticks kStep = 166667;  // at 60 Hz
    constexpr Ticks kLatency = SimulatedDisplay::kCompositorLatency;
    using Case = std::tuple<Flush, std::vector<Ticks>, Ticks, std::vector<Ticks>, std::string>;
    const Case cases[] = {
        // Timer: each step one period after the last; a key during the wait ends it there.
        {Flush::Off, {4 * kMs, 4 * kMs, 4 * kMs, 4 * kMs}, 55 * kMs,
         {4 * kMs, kStep + 4 * kMs, 2 * kStep + 4 * kMs, 3 * kStep + 4 * kMs}, "FYFYFYFYY"},
        // The 25 ms frame overran its step: the next follows at once, and the one after it is on
        // the refresh grid again (the third refresh), not one period after the late frame.
        {Flush::Off, {4 * kMs, 25 * kMs, 4 * kMs, 4 * kMs}, 55 * kMs,
         {4 * kMs, kStep + 25 * kMs, kStep + 29 * kMs, 3 * kStep + 4 * kMs}, "FYFYFYFYY"},
        // A compositor's flush: each step on the refresh it woke on.
        {Flush::BlocksToNextRefresh, {4 * kMs, 4 * kMs, 4 * kMs}, 40 * kMs,
         {4 * kMs, kStep + kLatency + 4 * kMs, 2 * kStep + kLatency + 4 * kMs}, "FYFYFYY"},
        // A key that came while drawing is handled in that frame's own event pass.
        {Flush::BlocksToNextRefresh, {4 * kMs}, 2 * kMs, {4 * kMs}, "FY"},
    };
    std::vector<float> onTime;  // the first case's frames, every step waited for
    for (const auto& [flush, costs, key, presents, journal] : cases) {
        AnimationState animation;
        SimulatedDisplay display(60, flush, {key});
        SimulatedSaver saver(animation, display, costs);
        OneMonitor screen(saver);
        UniformRandom random;
        RunAnimation(animation, screen, saver, display, random, 7);
        EXPECT_EQ(std::tuple(saver.journal, saver.presents), std::tuple(journal, presents));
        EXPECT_LE(display.now, std::max(key, presents.back()) + RefreshPeriod(60) + kLatency);
        // One step per frame whatever the timing: no step skipped or repeated after a slow frame.
        if (onTime.empty()) onTime = saver.firstLines;
        EXPECT_EQ(saver.firstLines, decltype(onTime)(onTime.begin(), onTime.begin() + presents.size())) << journal;
    }
}

}  // namespace
}  // namespace spindle
