// The Windows wait between frames.
#include "saver/frame_wait_win.h"

#include <climits>

#include "runtime/system_library_win.h"

namespace spindle {
namespace {

// CREATE_WAITABLE_TIMER_HIGH_RESOLUTION (Windows 10 1803 on); older headers and systems lack it.
constexpr DWORD kHighResolutionTimer = 0x00000002;

}  // namespace

FrameWait::FrameWait() {
    QueryPerformanceFrequency(&frequency_);
    timer_ = CreateWaitableTimerExW(nullptr, nullptr, kHighResolutionTimer, TIMER_ALL_ACCESS);
    if (!timer_) {
        // A plain timer keeps the system timer's resolution, 15.6 ms unless asked for finer.
        timer_ = CreateWaitableTimerExW(nullptr, nullptr, 0, TIMER_ALL_ACCESS);
        finerSystemTimer_ = WinmmCalls().timeBeginPeriod(1) == TIMERR_NOERROR;
    }
    FollowDisplay();
}

FrameWait::~FrameWait() {
    if (timer_) CloseHandle(timer_);
    if (finerSystemTimer_) WinmmCalls().timeEndPeriod(1);
}

void FrameWait::FollowDisplay() {
    DEVMODEW mode{};
    mode.dmSize = sizeof mode;
    refreshRate_ = EnumDisplaySettingsW(nullptr, ENUM_CURRENT_SETTINGS, &mode) && mode.dmDisplayFrequency <= INT_MAX
                       ? static_cast<int>(mode.dmDisplayFrequency)
                       : 0;
}

Ticks FrameWait::Now() {
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    const LONGLONG perSecond = frequency_.QuadPart > 0 ? frequency_.QuadPart : 1;
    // In two parts, so that a long uptime does not overflow.
    return counter.QuadPart / perSecond * kTicksPerSecond + counter.QuadPart % perSecond * kTicksPerSecond / perSecond;
}

bool FrameWait::CompositionOn() {
    BOOL enabled = FALSE;
    return SUCCEEDED(DwmapiCalls().DwmIsCompositionEnabled(&enabled)) && enabled;
}

bool FrameWait::WaitForComposedRefresh() { return SUCCEEDED(DwmapiCalls().DwmFlush()); }

bool FrameWait::EventsWaiting() { return HIWORD(GetQueueStatus(QS_ALLINPUT)) != 0; }

bool FrameWait::SleepUntil(Ticks due) {
    const Ticks left = due - Now();
    if (left <= 0) return true;
    LARGE_INTEGER relative;
    relative.QuadPart = -left;  // negative: from now, whatever the wall clock does
    if (timer_ && SetWaitableTimer(timer_, &relative, 0, nullptr, nullptr, FALSE)) {
        const DWORD woken = MsgWaitForMultipleObjectsEx(1, &timer_, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (woken == WAIT_OBJECT_0) return true;
        if (woken == WAIT_OBJECT_0 + 1) return false;
    }
    // No timer: the message wait's own timeout, in whole milliseconds.
    const auto milliseconds = static_cast<DWORD>((left + kTicksPerSecond / 1000 - 1) / (kTicksPerSecond / 1000));
    return MsgWaitForMultipleObjectsEx(0, nullptr, milliseconds, QS_ALLINPUT, MWMO_INPUTAVAILABLE) != WAIT_OBJECT_0;
}

void FrameWait::WaitForEvents() {
    MsgWaitForMultipleObjectsEx(0, nullptr, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

}  // namespace spindle
