// The real wait between frames: the timer never comes back before the step is due and comes back
// at once for a message, input or a timer tick; and paced by it, with composition as this system
// reports it (on as Windows 10, where Wine's flush does not block), steps never come faster than
// one a step and no wait spins.
#include "saver/frame_wait_win.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace spindle {
namespace {

constexpr Ticks kMs = kTicksPerSecond / 1000;
constexpr Ticks kNever = 60 * kTicksPerSecond;  // a wait that an event failed to end would show

void TakeMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {}
}

TEST(FrameWait, SleepsUntilTheStepIsDueUnlessAnEventWaitsFirst) {
    FrameWait wait;
    TakeMessages();
    EXPECT_FALSE(wait.EventsWaiting());
    for (int i = 0; i < 5; ++i) {
        const Ticks due = wait.Now() + 17 * kMs;
        EXPECT_TRUE(wait.SleepUntil(due));
        EXPECT_GE(wait.Now(), due);
    }
    PostMessageW(nullptr, WM_USER, 0, 0);  // to this thread
    EXPECT_TRUE(wait.EventsWaiting());
    EXPECT_FALSE(wait.SleepUntil(wait.Now() + kNever));
    MSG seen;
    PeekMessageW(&seen, nullptr, 0, 0, PM_NOREMOVE);
    EXPECT_FALSE(wait.SleepUntil(wait.Now() + kNever));  // seen but not taken: still waiting
    EXPECT_TRUE(wait.SleepUntil(wait.Now() - 1));        // past due, the step goes on whatever waits
    TakeMessages();
    const UINT_PTR tick = SetTimer(nullptr, 0, 30, nullptr);
    EXPECT_FALSE(wait.SleepUntil(wait.Now() + kNever));
    KillTimer(nullptr, tick);
    TakeMessages();
}

struct CountedEvents : EventYield {
    void YieldToEvents() override {
        ++passes;
        TakeMessages();
    }
    int passes = 0;
};

TEST(FrameWait, PacedStepsNeverComeFasterThanTheStepWhateverTheCompositorDoes) {
    FrameWait wait;
    TakeMessages();
    const Ticks period = StepPeriod(wait.RefreshRate());
    CountedEvents events;
    const bool running = true;
    FramePacer pacer(wait);
    const Ticks start = wait.Now();
    constexpr int kSteps = 20;
    for (int i = 0; i < kSteps; ++i) pacer.WaitForNextStep(events, running);
    EXPECT_GE(wait.Now() - start, kSteps * period - kMs) << "composition " << wait.CompositionOn();
    EXPECT_EQ(events.passes, 0);
}

}  // namespace
}  // namespace spindle
