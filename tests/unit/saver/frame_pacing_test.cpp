// The pace of the frame loop against a simulated display clock: at every common rate and frame
// cost, with either kind of compositor flush or none; a late frame; events during a wait; a new rate.
#include "saver/frame_pacing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

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
                  std::tuple(refreshes, period, refresh)) << rate;
    }
}

constexpr Ticks kMs = kTicksPerSecond / 1000;

enum class Flush { BlocksToNextRefresh, ReturnsAtOnce, Off };

// A display refreshing `rate` times a second from time 0 on a simulated clock. With composition
// the flush wakes a little after the next refresh (the compositor's own work), or at once as under
// a remote session; without it only the timer waits. Events arrive at their times: a flush cannot
// be interrupted, the timer's wait is. An event pass handles those that have arrived, noting how
// long each waited.
struct SimulatedDisplay : FrameWaitPort, EventYield {
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
    void YieldToEvents() override {
        for (; EventsWaiting(); ++next) delays.push_back(now - events[next]);
    }

    static constexpr Ticks kCompositorLatency = 3000;  // 0.3 ms
    static constexpr int kMostWaits = 100000;  // far more than a few seconds of steps take
    int rate;
    int reported = -1;      // the rate the system tells, when not the true one
    int rateLater = -1;     // from one second on (a new primary monitor; 0: the system cannot tell)
    Flush flush;
    std::vector<Ticks> events, delays;
    std::size_t next = 0;
    Ticks now = 0;
    int waits = 0;  // flushes and timer waits
};

struct PacedRun {
    std::vector<Ticks> presents;
    int mostWaitsInAStep = 0;
    auto Steps(Ticks from, Ticks to) const {  // presented in [from, to)
        return std::count_if(presents.begin(), presents.end(), [&](Ticks t) { return t >= from && t < to; });
    }
};

// Frames of a fixed cost (the tenth `longer`), each followed by its event pass and the wait, for `seconds`.
PacedRun RunFrames(SimulatedDisplay& display, Ticks cost, double seconds, Ticks longer = 0) {
    FramePacer pacer(display);
    const bool running = true;
    PacedRun run;
    while (display.now < seconds * kTicksPerSecond) {
        if (display.now >= kTicksPerSecond && display.rateLater >= 0) {
            display.rate = display.rateLater > 1 ? display.rateLater : 60;
            display.reported = display.rateLater;
        }
        display.now += cost + (run.presents.size() == 9 ? longer : 0);
        run.presents.push_back(display.now);
        display.YieldToEvents();
        const int before = display.waits;
        pacer.WaitForNextStep(display, running);
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
                const double stepsPerSecond = run.Steps(kTicksPerSecond, 3 * kTicksPerSecond) / 2.0;  // once settled
                const double expected = cost > period ? double(kTicksPerSecond) / cost : double(rate) / refreshes;
                const std::string row = std::to_string(rate) + " Hz, frame " + std::to_string(cost / 10) + " us, flush " +
                                        std::to_string(static_cast<int>(flush));
                EXPECT_NEAR(stepsPerSecond, expected, expected * 0.02) << row;
                EXPECT_LE(stepsPerSecond, expected + 0.5) << row;
                // Never two steps closer than a step, nor (blocking flush) on refreshes fewer than N apart.
                for (std::size_t i = 1; i < run.presents.size(); ++i) {
                    ASSERT_GE(run.presents[i] - run.presents[i - 1], std::max(period, cost) - 1) << row << ", step " << i;
                    if (flush == Flush::BlocksToNextRefresh) {
                        ASSERT_GE(display.ShownOn(run.presents[i]) - display.ShownOn(run.presents[i - 1]), refreshes)
                            << row << ", step " << i;
                    }
                }
                // Bounded waits a step: N refreshes' flushes, one that returned early, the timer.
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
            const auto next = run.Steps(run.presents[9] + 1, run.presents[9] + tenSteps + 1);
            EXPECT_LE(next, 11) << rate << " Hz, flush " << static_cast<int>(flush);  // the ten and one at once
        }
    }
}

TEST(FramePacer, AnEventDuringEitherWaitIsHandledWithinOneRefresh) {
    std::vector<Ticks> arrivals;
    for (Ticks t = 5 * kMs; t < kTicksPerSecond; t += 37 * kMs) arrivals.push_back(t);
    for (int rate : {60, 144, 240}) {
        for (Flush flush : {Flush::BlocksToNextRefresh, Flush::ReturnsAtOnce, Flush::Off}) {
            SimulatedDisplay display(rate, flush, arrivals);
            RunFrames(display, 2 * kMs, 1.0);
            const std::vector<Ticks>& delays = display.delays;
            ASSERT_GE(delays.size(), arrivals.size() - 1);
            EXPECT_LE(*std::max_element(delays.begin(), delays.end()),
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
            display.rateLater = after;
            const double steps = RunFrames(display, 3 * kMs, 3.0).Steps(2 * kTicksPerSecond, 4 * kTicksPerSecond);
            EXPECT_NEAR(steps, expected, expected * 0.02) << before << " -> " << after;
        }
    }
}

}  // namespace
}  // namespace spindle
