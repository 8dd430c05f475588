// Steps a second and CPU share of the real saver: Spindlewave.scr /s runs on the screen as a user
// would see it; the frames drawn between two moments are counted by naming the frame on the screen
// at each (the animation is the same on every run). The CPU share comes from GetProcessTimes, which
// Wine does not fill for another process: there bench/saver_benchmarks.sh reads it from /proc.
// Run under Wine on a virtual display of the size to measure, with the saver's Windows path
// (Wine's Z: drive is the root folder):
//   SPINDLE_VIRTUAL_DISPLAY=1 SPINDLE_SCREEN=3840x2160x24 scripts/wine-session.sh build/win64/wine
//     /usr/lib/wine/wine64 build/win64/bench/saver_pace.exe "Z:$(realpath build/win64/Spindlewave.scr | tr / \\\\)" [seconds]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bench_clock_win.h"
#include "support/launched_process_win.h"
#include "support/real_input_win.h"
#include "support/saver_frames_win.h"
#include "support/screen_pixels_win.h"

namespace {

double CpuMilliseconds(HANDLE process) {
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) return -1;
    auto ticks = [](FILETIME t) { return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
    return static_cast<double>(ticks(kernel) + ticks(user)) / 10000;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::printf("usage: saver_pace PATH-TO-Spindlewave.scr [seconds]\n");
        return 2;
    }
    const std::wstring saver = argv[1];
    const int seconds = argc > 2 ? std::max(1, _wtoi(argv[2])) : 10;
    spindle::test::LaunchedProcess process(saver, L"/s");
    if (!process.Handle()) {
        std::printf("cannot start the saver\n");
        return 1;
    }
    process.WaitForWindow(L"Spindlewave_Main", spindle::test::kStartTimeout);
    Sleep(1500);
    std::vector<spindle::test::ScreenPixels> pictures{spindle::test::CaptureScreen()};
    const double cpuStart = CpuMilliseconds(process.Handle()), start = Now();
    Sleep(static_cast<DWORD>(seconds) * 1000);
    const double cpuEnd = CpuMilliseconds(process.Handle()), end = Now();
    pictures.push_back(spindle::test::CaptureScreen());
    spindle::test::PressKey(VK_SPACE);
    process.WaitForExit(10000);  // or ended by the destructor

    const std::vector<int> frames = spindle::test::SaverFramesShown(pictures, 1, 20000);
    const double wall = (end - start) / 1000;
    std::printf("screen %dx%d, %.1f s: ", pictures[0].width, pictures[0].height, wall);
    if (frames[0] < 0 || frames[1] < 0) {
        std::printf("frames not recognised on the screen\n");
    } else {
        std::printf("%.1f steps/s (frames %d to %d), ", (frames[1] - frames[0]) / wall, frames[0], frames[1]);
    }
    if (cpuEnd > cpuStart) {
        std::printf("saver CPU %.1f%% of one core\n", (cpuEnd - cpuStart) / (end - start) * 100);
    } else {
        std::printf("saver CPU not known to the system\n");
    }
    return 0;
}
