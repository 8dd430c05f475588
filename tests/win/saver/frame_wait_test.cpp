// The real wait between frames: never back before the step is due, and back at once when a
// message, input or a timer tick is waiting (or already past due).
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
    for (int i = 0; i < 5; ++i) {
        const Ticks due = wait.Now() + 17 * kMs;
        EXPECT_EQ(wait.WaitUntil(due), due);
        EXPECT_GE(wait.Now(), due);
    }
    PostMessageW(nullptr, WM_USER, 0, 0);  // to this thread
    EXPECT_EQ(wait.WaitUntil(wait.Now() + kNever), std::nullopt);
    MSG seen;
    PeekMessageW(&seen, nullptr, 0, 0, PM_NOREMOVE);
    EXPECT_EQ(wait.WaitUntil(wait.Now() + kNever), std::nullopt);  // seen but not taken: still waiting
    const Ticks past = wait.Now() - 1;
    EXPECT_EQ(wait.WaitUntil(past), past);  // past due, the step goes on whatever waits
    TakeMessages();
    const UINT_PTR tick = SetTimer(nullptr, 0, 30, nullptr);
    EXPECT_EQ(wait.WaitUntil(wait.Now() + kNever), std::nullopt);
    KillTimer(nullptr, tick);
    TakeMessages();
}

}  // namespace
}  // namespace spindle
