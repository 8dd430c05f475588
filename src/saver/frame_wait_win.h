// The wait between frames on Windows: through desktop composition where it is on (each DwmFlush
// returns after the next composed refresh), otherwise on a high-resolution waitable timer. Input,
// messages and timer ticks end either wait at once.
#pragma once

#include <windows.h>

#include <optional>

#include "saver/frame_pacing.h"

namespace spindle {

class FrameWait : public FrameWaitPort {
public:
    FrameWait();
    ~FrameWait() override;
    FrameWait(const FrameWait&) = delete;
    FrameWait& operator=(const FrameWait&) = delete;

    // The primary display's rate from EnumDisplaySettings when the wait was made (0: unreadable).
    int RefreshRate() override { return refreshRate_; }
    Ticks Now() override;
    std::optional<Ticks> WaitUntil(Ticks due) override;

private:
    std::optional<Ticks> WaitForComposition(Ticks due);
    std::optional<Ticks> WaitForTimer(Ticks due);

    HANDLE timer_ = nullptr;
    bool finerSystemTimer_ = false;
    LARGE_INTEGER frequency_{};
    int refreshRate_ = 0;
};

}  // namespace spindle
