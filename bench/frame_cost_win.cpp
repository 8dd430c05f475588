// Frame cost of the saver on every monitor of the display: for each, clear + 600 lines + present
// into a window that covers it, against two full-frame memory copies of all the monitors' pixels
// measured in the same run. Run under Wine on a virtual display of the size to measure
// (bench/saver_benchmarks.sh runs 1920x1080, 3840x2160 and two 1920x1080 monitors):
//   SPINDLE_VIRTUAL_DISPLAY=1 SPINDLE_SCREEN=3840x2160x24 scripts/wine-session.sh build/win64/wine
//     /usr/lib/wine/wine64 build/win64/bench/saver_frame_cost.exe
//   SPINDLE_DISPLAY=two-monitors-1080 scripts/wine-session.sh build/win64/wine ...
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "saver/line_animation.h"
#include "saver/monitor_layout_win.h"
#include "saver/saver_display_win.h"

namespace {

double Now() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / static_cast<double>(frequency.QuadPart);
}

LRESULT CALLBACK PlainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, message, wParam, lParam);
}

// Counts frames and stops the loop after a number of them.
class FrameCounter : public spindle::EventYield {
public:
    FrameCounter(spindle::AnimationState& animation, int frames) : animation_(animation), frames_(frames) {}
    void YieldToEvents() override {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        if (++count_ == warmUp_) start_ = Now();
        if (count_ == warmUp_ + frames_) {
            seconds_ = Now() - start_;
            animation_.Running = false;
        }
    }
    double MillisecondsPerFrame() const { return seconds_ * 1000 / frames_; }

private:
    spindle::AnimationState& animation_;
    int frames_;
    int count_ = 0;
    int warmUp_ = 5;
    double start_ = 0, seconds_ = 0;
};

// One step on every monitor: each window (none: off screen) shows its monitor's Display.
double FrameMilliseconds(const spindle::MonitorLayout& monitors, const std::vector<HWND>& windows, int frames) {
    spindle::SaverDisplay display;
    std::vector<spindle::PixelSize> sizes;
    for (const auto& monitor : monitors) sizes.push_back({monitor.Width, monitor.Height});
    display.Cover(sizes);
    for (int m = 0; m < display.MonitorCount(); ++m) {
        display.CopyPicture(m, (sizes[m].Width - 320) / 2, (sizes[m].Height - 320) / 2, 320, 320);
        if (!windows.empty()) display.At(m).ShowOn(windows[m]);
    }
    display.KeepAsBackground();
    spindle::AnimationState animation;
    FrameCounter counter(animation, frames);
    spindle::UniformRandom random;
    spindle::NoFrameWait unpaced;
    spindle::RunAnimation(animation, display, counter, unpaced, random, 37);
    return counter.MillisecondsPerFrame();
}

double TwoCopiesMilliseconds(int width, int height, int rounds) {
    const std::size_t bytes = static_cast<std::size_t>(width) * height * 4;
    std::vector<unsigned char> a(bytes, 1), b(bytes, 2), c(bytes, 3);
    std::memcpy(b.data(), a.data(), bytes);
    const double start = Now();
    for (int i = 0; i < rounds; ++i) {
        std::memcpy(b.data(), a.data(), bytes);
        std::memcpy(c.data(), b.data(), bytes);
        a[i % bytes] = static_cast<unsigned char>(c[(i * 7) % bytes] + 1);  // keep the copies observable
    }
    return (Now() - start) * 1000 / rounds;
}

}  // namespace

int main() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &PlainWindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"SpindleBenchFrame";
    RegisterClassW(&windowClass);
    std::printf("%-17s %12s %12s %12s %10s\n", "monitors", "frame ms", "no-present", "2 copies ms", "ratio");
    const spindle::MonitorLayout monitors = spindle::CurrentMonitorLayout();
    std::vector<HWND> windows;
    long long pixels = 0;
    for (const auto& m : monitors) {
        windows.push_back(CreateWindowExW(0, L"SpindleBenchFrame", L"bench", WS_POPUP | WS_VISIBLE, m.Left, m.Top,
                                          m.Width, m.Height, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
        pixels += static_cast<long long>(m.Width) * m.Height;
    }
    const int width = monitors[0].Width, height = monitors[0].Height;
    const int frames = pixels > 3000000 ? 100 : 200;
    const double frame = FrameMilliseconds(monitors, windows, frames);
    const double offscreen = FrameMilliseconds(monitors, {}, frames);
    const double copies = TwoCopiesMilliseconds(static_cast<int>(pixels / height), height, frames);
    char name[32];
    std::snprintf(name, sizeof name, "%zu x %dx%d", monitors.size(), width, height);
    std::printf("%-17s %12.3f %12.3f %12.3f %10.2f\n", name, frame, offscreen, copies, frame / copies);
    for (HWND window : windows) DestroyWindow(window);
    return 0;
}
