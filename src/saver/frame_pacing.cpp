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

FramePacer::FramePacer(FrameWaitPort& port)
    : port_(port), period_(StepPeriod(port.RefreshRate())), due_(port.Now() + period_) {}

void FramePacer::WaitForNextStep(EventYield& events, const bool& running) {
    const Ticks now = port_.Now();
    if (now >= due_) {
        due_ = now + period_;
        return;
    }
    for (;;) {
        if (const std::optional<Ticks> stepFrom = port_.WaitUntil(due_)) {
            due_ = *stepFrom + period_;
            return;
        }
        events.YieldToEvents();
        if (!running) return;
    }
}

}  // namespace spindle
