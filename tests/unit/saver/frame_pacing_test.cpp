// The pace of the frame loop: refreshes per step from the refresh rate, and the loop against a
// simulated clock (fast frames wait out their step, a slow one is followed at once, events during
// the wait are handled when they come).
#include "saver/frame_pacing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "saver/line_animation.h"

namespace spindle {
namespace {

TEST(FramePacing, OneStepEveryNearestWholeNumberOfRefreshesToSixtyAStep) {
    // rate, refreshes per step, step period in 100 ns ticks
    const std::tuple<int, int, Ticks> cases[] = {
        {60, 1, 166667}, {144, 2, 138889}, {165, 3, 181818}, {89, 1, 112360},     {90, 2, 222222},
        {30, 1, 333333}, {2, 1, 5000000},  {1, 1, 166667},   {-50, 1, 166667},    {INT_MAX, 35791394, 166667},
    };
    for (auto [rate, refreshes, period] : cases) {
        EXPECT_EQ(std::pair(RefreshesPerStep(rate), StepPeriod(rate)), std::pair(refreshes, period)) << rate;
    }
}

constexpr Ticks kMs = kTicksPerSecond / 1000;
constexpr Ticks kStep = 166667;  // at 60 Hz

// A 60 Hz display on a simulated clock: each frame takes its given time to draw and present, and
// the events arrive at their times; 'k' (a key) ends the saver, 't' (a timer tick) does nothing.
// Journals F (a frame presented), W (a wait), Y (an event pass) and the events handled.
struct SimulatedSaver : DrawingSurface, EventYield, FrameWaitPort {
    SimulatedSaver(AnimationState& state, std::vector<Ticks> costs, std::vector<std::pair<Ticks, char>> arrivals)
        : animation(state), frameCosts(std::move(costs)), events(std::move(arrivals)) {}
    float ScaleWidth() override { return 28800; }
    float ScaleHeight() override { return 16200; }
    void Cls() override { firstLineOfFrame = true; }
    void Line(float x1, float, float, float, std::uint32_t) override {
        if (firstLineOfFrame) firstLines.push_back(x1);  // moves with the anchor and the twist
        firstLineOfFrame = false;
    }
    void Refresh() override {
        now += frameCosts.at(presents.size());
        presents.push_back(now);
        journal += 'F';
    }
    void YieldToEvents() override {
        journal += 'Y';
        for (; next < events.size() && events[next].first <= now; ++next) {
            journal += events[next].second;
            if (events[next].second == 'k') animation.Running = false;
        }
    }
    int RefreshRate() override { return 60; }
    Ticks Now() override { return now; }
    std::optional<Ticks> WaitUntil(Ticks due) override {
        journal += 'W';
        const bool event = next < events.size() && events[next].first < due;  // it ends the wait
        now = std::max(now, event ? events[next].first : due);
        return event ? std::nullopt : std::optional(due);
    }

    AnimationState& animation;
    std::vector<Ticks> frameCosts;
    std::vector<std::pair<Ticks, char>> events;
    std::size_t next = 0;
    Ticks now = 0;
    std::vector<Ticks> presents;
    std::string journal;
    std::vector<float> firstLines;
    bool firstLineOfFrame = false;
};

TEST(FramePacer, FastFramesWaitOutTheirStepASlowOneIsFollowedAtOnceAndEventsAreHandledDuringTheWait) {
    using Case = std::tuple<std::vector<Ticks>, std::vector<std::pair<Ticks, char>>, std::vector<Ticks>, std::string>;
    const Case cases[] = {
        // Steps on time, each present one period after the last; a key in the wait ends it there.
        {{4 * kMs, 4 * kMs, 4 * kMs, 4 * kMs}, {{55 * kMs, 'k'}},
         {4 * kMs, kStep + 4 * kMs, 2 * kStep + 4 * kMs, 3 * kStep + 4 * kMs}, "FYW" "FYW" "FYW" "FYW" "Yk"},
        // The 25 ms frame overran its step: no wait, no catch-up; the pace counts afresh from there.
        {{4 * kMs, 25 * kMs, 4 * kMs, 4 * kMs}, {{70 * kMs, 'k'}},
         {4 * kMs, kStep + 25 * kMs, kStep + 29 * kMs, 2 * kStep + 29 * kMs}, "FYW" "FY" "FYW" "FYW" "Yk"},
        // Timer ticks in the wait are handled as they come, and the step still waits for its time.
        {{4 * kMs, 4 * kMs}, {{8 * kMs, 't'}, {10 * kMs, 't'}, {25 * kMs, 'k'}}, {4 * kMs, kStep + 4 * kMs},
         "FYW" "Yt" "W" "Yt" "W" "FYW" "Yk"},
        // A key that came while drawing is handled in that frame's own event pass.
        {{4 * kMs}, {{2 * kMs, 'k'}}, {4 * kMs}, "FYk"},
    };
    std::vector<float> onTime;  // the first case's frames, every step waited for
    for (const auto& [costs, events, presents, journal] : cases) {
        AnimationState animation;
        SimulatedSaver saver(animation, costs, events);
        OneMonitor screen(saver);
        UniformRandom random;
        RunAnimation(animation, screen, saver, saver, random, 7);
        EXPECT_EQ(std::tuple(saver.journal, saver.presents, saver.now),
                  std::tuple(journal, presents, std::max(events.back().first, presents.back())));  // the key: at once
        // One step per frame whatever the timing: no step skipped or repeated after a slow frame.
        if (onTime.empty()) onTime = saver.firstLines;
        EXPECT_EQ(saver.firstLines, decltype(onTime)(onTime.begin(), onTime.begin() + presents.size())) << journal;
    }
}

}  // namespace
}  // namespace spindle
