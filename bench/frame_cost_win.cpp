// Frame cost of the saver at the screen's size: clear + 600 lines + present into a window that
// covers the screen, against two full-frame memory copies of the same size measured in the same
// run. Run under Wine on a virtual display of the size to measure (bench/saver_benchmarks.sh runs
// 1920x1080 and 3840x2160):
//   SPINDLE_VIRTUAL_DISPLAY=1 SPINDLE_SCREEN=3840x2160x24 scripts/wine-session.sh build/win64/wine
//     /usr/lib/wine/wine64 build/win64/bench/saver_frame_cost.exe
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "saver/line_animation.h"
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
    FrameCounter(spindle::AnchorState& anchors, int frames) : anchors_(anchors), frames_(frames) {}
    void YieldToEvents() override {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        if (++count_ == warmUp_) start_ = Now();
        if (count_ == warmUp_ + frames_) {
            seconds_ = Now() - start_;
            anchors_.Running = false;
        }
    }
    double MillisecondsPerFrame() const { return seconds_ * 1000 / frames_; }

private:
    spindle::AnchorState& anchors_;
    int frames_;
    int count_ = 0;
    int warmUp_ = 5;
    double start_ = 0, seconds_ = 0;
};

double FrameMilliseconds(int width, int height, HWND window, int frames) {
    spindle::SaverDisplay display;
    display.Cover(width, height, 15, 15);
    display.CopyPicture((width - 320) / 2, (height - 320) / 2, 320, 320);
    display.KeepAsBackground();
    display.ShowOn(window);
    spindle::AnchorState anchors;
    FrameCounter counter(anchors, frames);
    spindle::UniformRandom random;
    spindle::NoFrameWait unpaced;
    spindle::RunAnimation(anchors, display, counter, unpaced, random, 37);
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
    std::printf("%-11s %12s %12s %12s %10s\n", "size", "frame ms", "no-present", "2 copies ms", "ratio");
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    HWND window = CreateWindowExW(0, L"SpindleBenchFrame", L"bench", WS_POPUP | WS_VISIBLE, 0, 0, width, height,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    const int frames = width > 2000 ? 100 : 200;
    const double frame = FrameMilliseconds(width, height, window, frames);
    const double offscreen = FrameMilliseconds(width, height, nullptr, frames);
    const double copies = TwoCopiesMilliseconds(width, height, frames);
    std::printf("%4dx%-6d %12.3f %12.3f %12.3f %10.2f\n", width, height, frame, offscreen, copies, frame / copies);
    DestroyWindow(window);
    return 0;
}
