// Paces the frame loop to the display: one animation step every N refreshes, N the whole number
// nearest to refresh rate / 60. The animation rules move things per frame, so this is what keeps
// the look's speed the same on every machine and monitor, and frames no screen shows undrawn.
#pragma once

#include <cstdint>

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

// One refresh in ticks, rounded to the nearest tick, at least one.
Ticks RefreshPeriod(int refreshRate);

// What the platform offers for waiting between frames.
class FrameWaitPort {
public:
    virtual ~FrameWaitPort() = default;
    // The display's refresh rate in hertz as last read (0 or 1: unknown). Read again by the platform
    // whenever the monitors change; asked once a step.
    virtual int RefreshRate() = 0;
    // A steady clock.
    virtual Ticks Now() = 0;
    // Whether a desktop compositor puts the frames on the screen.
    virtual bool CompositionOn() = 0;
    // Blocks until the compositor's next refresh, if the compositor blocks at all (some return at
    // once: a remote session, a display that is off). False: the call failed.
    virtual bool WaitForComposedRefresh() = 0;
    // Input, a message or a timer tick is waiting to be handled.
    virtual bool EventsWaiting() = 0;
    // Sleeps on a high-resolution timer until `due` unless input, a message or a timer tick comes
    // first. True: `due` came (at once if it has passed); false: events are waiting.
    virtual bool SleepUntil(Ticks due) = 0;
    // Sleeps until input, a message or a timer tick is waiting (no frame is due while the display
    // is off).
    virtual void WaitForEvents() = 0;
};

// No wait at all: frames as fast as they can be drawn, for pictures and measurements off screen.
// Its clock only moves when a step is waited for, and then to the step's due time.
class NoFrameWait : public FrameWaitPort {
public:
    int RefreshRate() override { return 0; }
    Ticks Now() override { return now_; }
    bool CompositionOn() override { return false; }
    bool WaitForComposedRefresh() override { return false; }
    bool EventsWaiting() override { return false; }
    bool SleepUntil(Ticks due) override {
        now_ = due;
        return true;
    }
    void WaitForEvents() override {}

private:
    Ticks now_ = 0;
};

// The wait between one frame and the next. Steps keep to a grid of refreshes: with a compositor
// each step starts on the refresh it woke on (the flush's return), otherwise on the timer's due
// time. A frame that overran its step is followed at once, and the step after that is again on the
// grid; there is no catch-up and never a busy wait.
class FramePacer {
public:
    // The first step is due one period from now.
    explicit FramePacer(FrameWaitPort& port);

    // After a frame's present and event pass: waits until the next step is due, with an event pass
    // each time events arrive meanwhile, so input and timers are never held up. Returns early once
    // such a pass leaves `running` false.
    void WaitForNextStep(EventYield& events, const bool& running);

private:
    // A new refresh rate (the monitors changed) takes effect from the step now waited for.
    void FollowRefreshRate();

    FrameWaitPort& port_;
    int refreshRate_;
    Ticks refresh_;
    Ticks period_;
    Ticks due_;
};

}  // namespace spindle
