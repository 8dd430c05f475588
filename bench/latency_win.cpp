// Start-to-first-frame and key-to-exit latency of Spindlewave.scr /s. Run under Wine on a
// virtual display, with the saver's Windows path as the argument (Wine's Z: drive is the root folder):
//   SPINDLE_VIRTUAL_DISPLAY=1 scripts/wine-session.sh build/win64/wine /usr/lib/wine/wine64
//     build/win64/bench/saver_latency.exe "Z:$(realpath build/win64/Spindlewave.scr | tr / \\\\)"
// "First frame" is the first moment the screen's centre shows the saver's picture or lines;
// "window gone" the moment no window of the saver (one per monitor) is there and visible any more.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bench_clock_win.h"
#include "support/launched_process_win.h"
#include "support/real_input_win.h"

namespace {

COLORREF CentrePixel() {
    HDC screen = GetDC(nullptr);
    const COLORREF c = GetPixel(screen, GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2);
    ReleaseDC(nullptr, screen);
    return c;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::printf("usage: saver_latency PATH-TO-Spindlewave.scr [runs]\n");
        return 2;
    }
    const std::wstring saver = argv[1];
    const int runs = argc > 2 ? std::max(1, _wtoi(argv[2])) : 5;
    std::vector<double> firstFrame, keyToGone, keyToExit;
    for (int run = 0; run < runs; ++run) {
        const COLORREF before = CentrePixel();
        const double start = Now();
        spindle::test::LaunchedProcess process(saver, L"/s");
        if (!process.Handle()) {
            std::printf("cannot start the saver\n");
            return 1;
        }
        double shown = -1;
        while (Now() - start < 15000) {
            const COLORREF now = CentrePixel();
            if (now != before && now != CLR_INVALID) {
                shown = Now() - start;
                break;
            }
        }
        Sleep(1500);
        const double pressed = Now();
        spindle::test::PressKey(VK_SPACE);
        double gone = -1;
        while (Now() - pressed < 10000) {
            if (process.VisibleWindows(L"Spindlewave_Main").empty()) {
                gone = Now() - pressed;
                break;
            }
        }
        const bool ended = process.WaitForExit(10000);  // or ended by the destructor
        const double exited = Now() - pressed;
        std::printf("run %d: first frame %.1f ms, key to window gone %.1f ms, key to exit %.1f ms%s\n", run + 1, shown,
                    gone, exited, ended ? "" : " (did not end)");
        if (shown >= 0) firstFrame.push_back(shown);
        if (gone >= 0) keyToGone.push_back(gone);
        if (ended) keyToExit.push_back(exited);
        Sleep(500);
    }
    if (!firstFrame.empty()) std::printf("median start to first frame: %.1f ms\n", Median(firstFrame));
    if (!keyToGone.empty()) std::printf("median key to window gone: %.1f ms\n", Median(keyToGone));
    if (!keyToExit.empty()) std::printf("median key to exit: %.1f ms\n", Median(keyToExit));
    return 0;
}
