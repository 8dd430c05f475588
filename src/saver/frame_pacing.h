// Paces the frame loop to the display: one animation step every N refreshes, N the whole number
// nearest to refresh rate / 60. The animation rules move things per frame, so this is what keeps
// the look's speed the same on every machine and monitor, and frames no screen shows undrawn.
#pragma once

#include <cstdint>
#include <optional>

#include "saver/event_yield.h"

namespace spindle {

// Time in 100-nanosecond ticks, the unit of the system's waitable timers.
using Ticks = std::int64_t;
inline constexpr Ticks kTicksPerSecond = 10'000'000;

// The whole number nearest to refreshRate / 60 (a half rounds up), at least 1. A rate of 0 or 1 is
// the system's "default" and counts as 60 Hz; so does a negative one.
int RefreshesPerStep(int refreshRate);

// N refreshes in ticks, rounded to the nearest tick: the time from one step to the next.
Ticks StepPeriod(int refreshRate);

// How the platform waits between frames.
class FrameWaitPort {
public:
    virtual ~FrameWaitPort() = default;
    // The display's refresh rate in hertz as the system reports it (0 or 1: unknown).
    virtual int RefreshRate() = 0;
    // A steady clock.
    virtual Ticks Now() = 0;
    // Sleeps until `due`, unless input, a message or a timer tick arrives first: then it returns
    // nothing at once. Otherwise it returns the moment the next step counts from: `due` itself for
    // a timer, the refresh it woke on for a wait that follows the display. Once `due` has passed it
    // returns without sleeping, events or not.
    virtual std::optional<Ticks> WaitUntil(Ticks due) = 0;
};

// No wait at all: frames as fast as they can be drawn, for pictures and measurements off screen.
class NoFrameWait : public FrameWaitPort {
public:
    int RefreshRate() override { return 0; }
    Ticks Now() override { return 0; }
    std::optional<Ticks> WaitUntil(Ticks due) override { return due; }
};

// The wait between one frame and the next. No catch-up: a frame that overran its step is followed
// by the next one at once, and the schedule counts afresh from there.
class FramePacer {
public:
    // The first step is due one period from now.
    explicit FramePacer(FrameWaitPort& port);

    // After a frame's present and event pass: waits until the next step is due, with an event pass
    // each time events arrive meanwhile, so input and timers are never held up. Returns early once
    // such a pass leaves `running` false.
    void WaitForNextStep(EventYield& events, const bool& running);

private:
    FrameWaitPort& port_;
    Ticks period_;
    Ticks due_;
};

}  // namespace spindle
