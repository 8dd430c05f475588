// The once-per-frame event pass of the frame loop.
#pragma once

namespace spindle {

// Dispatches every pending event, timer ticks included, then returns.
class EventYield {
public:
    virtual ~EventYield() = default;
    virtual void YieldToEvents() = 0;
};

}  // namespace spindle
