// The Windows wait between frames.
#include "saver/frame_wait_win.h"

#include <climits>

#include "runtime/system_library_win.h"

namespace spindle {
namespace {

// CREATE_WAITABLE_TIMER_HIGH_RESOLUTION (Windows 10 1803 on); older headers and systems lack it.
constexpr DWORD kHighResolutionTimer = 0x00000002;

bool CompositionOn() {
    BOOL enabled = FALSE;
    return SUCCEEDED(DwmapiCalls().DwmIsCompositionEnabled(&enabled)) && enabled;
}

bool EventsWaiting() { return HIWORD(GetQueueStatus(QS_ALLINPUT)) != 0; }

}  // namespace

FrameWait::FrameWait() {
    QueryPerformanceFrequency(&frequency_);
    timer_ = CreateWaitableTimerExW(nullptr, nullptr, kHighResolutionTimer, TIMER_ALL_ACCESS);
    if (!timer_) {
        // A plain timer keeps the system timer's resolution, 15.6 ms unless asked for finer.
        timer_ = CreateWaitableTimerExW(nullptr, nullptr, 0, TIMER_ALL_ACCESS);
        finerSystemTimer_ = WinmmCalls().timeBeginPeriod(1) == TIMERR_NOERROR;
    }
    DEVMODEW mode{};
    mode.dmSize = sizeof mode;
    if (EnumDisplaySettingsW(nullptr, ENUM_CURRENT_SETTINGS, &mode) && mode.dmDisplayFrequency <= INT_MAX) {
        refreshRate_ = static_cast<int>(mode.dmDisplayFrequency);
    }
}

FrameWait::~FrameWait() {
    if (timer_) CloseHandle(timer_);
    if (finerSystemTimer_) WinmmCalls().timeEndPeriod(1);
}

Ticks FrameWait::Now() {
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    const LONGLONG perSecond = frequency_.QuadPart > 0 ? frequency_.QuadPart : 1;
    // In two parts, so that a long uptime does not overflow.
    return counter.QuadPart / perSecond * kTicksPerSecond + counter.QuadPart % perSecond * kTicksPerSecond / perSecond;
}

std::optional<Ticks> FrameWait::WaitUntil(Ticks due) {
    if (Now() >= due) return due;
    return CompositionOn() ? WaitForComposition(due) : WaitForTimer(due);
}

std::optional<Ticks> FrameWait::WaitForComposition(Ticks due) {
    // Refreshes up to the one nearest `due`; the next step counts from the refresh woken on, so the
    // schedule follows the display and each step keeps its own refreshes.
    const Ticks halfRefresh = kTicksPerSecond / (2 * (refreshRate_ > 1 ? refreshRate_ : 60));
    while (Now() + halfRefresh < due) {
        if (FAILED(DwmapiCalls().DwmFlush())) return WaitForTimer(due);
        if (EventsWaiting()) return std::nullopt;
    }
    return Now();
}

std::optional<Ticks> FrameWait::WaitForTimer(Ticks due) {
    const Ticks left = due - Now();
    if (left <= 0) return due;
    LARGE_INTEGER relative;
    relative.QuadPart = -left;  // negative: from now, whatever the wall clock does
    if (timer_ && SetWaitableTimer(timer_, &relative, 0, nullptr, nullptr, FALSE)) {
        const DWORD woken = MsgWaitForMultipleObjectsEx(1, &timer_, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (woken == WAIT_OBJECT_0) return due;
        if (woken == WAIT_OBJECT_0 + 1) return std::nullopt;
    }
    // No timer: the message wait's own timeout, in whole milliseconds.
    const auto milliseconds = static_cast<DWORD>((left + kTicksPerSecond / 1000 - 1) / (kTicksPerSecond / 1000));
    if (MsgWaitForMultipleObjectsEx(0, nullptr, milliseconds, QS_ALLINPUT, MWMO_INPUTAVAILABLE) == WAIT_OBJECT_0) {
        return std::nullopt;
    }
    return due;
}

}  // namespace spindle
