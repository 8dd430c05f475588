// The wait between frames on Windows: desktop composition's flush, a high-resolution waitable
// timer and the message wait that input, messages and timer ticks end at once. The pacing rule
// that chooses among them is FramePacer's.
#pragma once

#include <windows.h>

#include "saver/frame_pacing.h"

namespace spindle {

class FrameWait : public FrameWaitPort {
public:
    FrameWait();
    ~FrameWait() override;
    FrameWait(const FrameWait&) = delete;
    FrameWait& operator=(const FrameWait&) = delete;

    // Reads the primary display's refresh rate again (after the monitors changed).
    void FollowDisplay();

    // The rate read when the wait was made or at the last FollowDisplay (0: unreadable).
    int RefreshRate() override { return refreshRate_; }
    Ticks Now() override;
    bool CompositionOn() override;
    bool WaitForComposedRefresh() override;
    bool EventsWaiting() override;
    bool SleepUntil(Ticks due) override;
    void WaitForEvents() override;

private:
    HANDLE timer_ = nullptr;
    bool finerSystemTimer_ = false;
    LARGE_INTEGER frequency_{};
    int refreshRate_ = 0;
};

}  // namespace spindle
