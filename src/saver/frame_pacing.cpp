// The pacing rule and the wait between frames.
#include "saver/frame_pacing.h"

namespace spindle {
namespace {

constexpr std::int64_t kStepsPerSecond = 60;

std::int64_t UsableRate(int refreshRate) { return refreshRate > 1 ? refreshRate : kStepsPerSecond; }

}  // namespace

int RefreshesPerStep(int refreshRate) {
    const std::int64_t refreshes = (UsableRate(refreshRate) + kStepsPerSecond / 2) / kStepsPerSecond;
    return static_cast<int>(refreshes < 1 ? 1 : refreshes);
}

Ticks StepPeriod(int refreshRate) {
    const std::int64_t rate = UsableRate(refreshRate);
    return (RefreshesPerStep(refreshRate) * kTicksPerSecond + rate / 2) / rate;
}

Ticks RefreshPeriod(int refreshRate) {
    const std::int64_t rate = UsableRate(refreshRate);
    const Ticks period = (kTicksPerSecond + rate / 2) / rate;
    return period < 1 ? 1 : period;
}

FramePacer::FramePacer(FrameWaitPort& port)
    : port_(port),
      refreshRate_(port.RefreshRate()),
      refresh_(RefreshPeriod(refreshRate_)),
      period_(StepPeriod(refreshRate_)),
      due_(port.Now() + period_) {}

void FramePacer::FollowRefreshRate() {
    const int rate = port_.RefreshRate();
    if (rate == refreshRate_) return;
    const Ticks period = StepPeriod(rate);
    due_ += period - period_;
    refreshRate_ = rate;
    refresh_ = RefreshPeriod(rate);
    period_ = period;
}

void FramePacer::WaitForNextStep(EventYield& events, const bool& running) {
    FollowRefreshRate();
    // The compositor's flush is tried first in every step; one that fails or comes back without a
    // refresh leaves the rest of the step to the timer, so a flush that never blocks costs one call.
    bool flushWaits = port_.CompositionOn();
    for (;;) {
        // Events first, also when the wait has just ended: a key is never held up by a frame.
        if (port_.EventsWaiting()) {
            events.YieldToEvents();
            if (!running) return;
        }
        const Ticks now = port_.Now();
        if (now >= due_) {
            // Due, or overran: this step now, the next one a whole step after the last refresh
            // passed, so that a late frame is followed at once and nothing is caught up.
            due_ += (now - due_) / refresh_ * refresh_ + period_;
            return;
        }
        if (flushWaits) {
            if (!port_.WaitForComposedRefresh()) {
                flushWaits = false;
                continue;
            }
            const Ticks woke = port_.Now();
            if (woke - now < refresh_ / 4) {
                // Came back too soon to have waited for a refresh: the timer does the rest.
                flushWaits = false;
            } else if (due_ - woke <= refresh_ / 2) {
                // The step's own refresh (the nearest to its due time): the grid follows the display.
                due_ = woke;
            }
            continue;
        }
        if (!port_.SleepUntil(due_)) {
            // Woken by events: handle them now, whatever woke the wait.
            events.YieldToEvents();
            if (!running) return;
        }
    }
}

}  // namespace spindle
