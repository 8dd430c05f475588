// The saver on a desktop of two monitors under Wine (an Xorg display of the dummy driver, see
// scripts/xorg/two-monitors.conf): every monitor covered with the Earth in its centre and moving
// lines, a monitor left of the primary one too, a layout changed by xrandr while it runs.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <tuple>

#include "support/launched_process_win.h"
#include "support/real_input_win.h"
#include "support/saver_state_win.h"
#include "support/saver_frames_win.h"
#include "support/settings_file_fixture_win.h"

namespace spindle::test {
namespace {

using Rects = std::set<std::tuple<long, long, long, long>>;  // left, top, width, height

void Add(Rects& rects, const RECT& r) { rects.emplace(r.left, r.top, r.right - r.left, r.bottom - r.top); }

BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT rect, LPARAM rects) {
    return Add(*reinterpret_cast<Rects*>(rects), *rect), TRUE;
}

Rects Monitors() {
    Rects monitors;
    EnumDisplayMonitors(nullptr, nullptr, &AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    return monitors;
}

// Changes the X server's monitors as a user's display settings would, and waits until Wine
// shows the layout expected.
bool SetLayout(const std::wstring& xrandrArguments, const Rects& expected) {
    LaunchedProcess xrandr(L"/usr/bin/xrandr", xrandrArguments);  // a Linux program: Wine gives no exit code
    // Wine's desktop process reads the new layout when X announces it; a loaded machine may take a while.
    if (WaitUntil([&] { return Monitors() == expected; }, 20000)) return true;
    ADD_FAILURE() << "Wine still shows " << testing::PrintToString(Monitors());
    return false;
}

Rects WindowRects(const LaunchedProcess& saver) {
    Rects rects;
    RECT r{};
    for (HWND window : saver.VisibleWindows(L"Spindlewave_Main")) GetWindowRect(window, &r), Add(rects, r);
    return rects;
}

// Started with a monitor left of the primary one (X has no negative coordinates: the second output at
// x 0 and the primary right of it puts it at -800 in Windows' terms); then side by side, the second
// grown and moved left of the primary, switched off (as a monitor that powers down can vanish), and
// back. Mouse moves across both do not end it; a click on the monitor left of the primary one does.
TEST(MonitorsE2e, EveryLayoutIsCoveredMouseMovesDoNotEndItAClickLeftOfThePrimaryDoes) {
    if (GetSystemMetrics(SM_CMONITORS) < 2) GTEST_SKIP() << "needs the two-monitor display";
    SettingsFileFixture settings;  // no settings file: speed 1, no music
    SystemParametersInfoW(SPI_SETSCREENSAVERRUNNING, FALSE, nullptr, 0);
    const wchar_t* const leftOfPrimary = L"--output DUMMY1 --auto --pos 0x0 --output DUMMY0 --pos 800x0";
    const Rects leftOfPrimaryRects = {{0, 0, 1024, 768}, {-800, 0, 800, 600}};
    const std::tuple<const wchar_t*, Rects> layouts[] = {
        {leftOfPrimary, leftOfPrimaryRects},
        {L"--output DUMMY0 --pos 0x0 --output DUMMY1 --auto --pos 1024x0", {{0, 0, 1024, 768}, {1024, 0, 800, 600}}},
        {L"--output DUMMY1 --mode 1024x768 --pos 0x0 --output DUMMY0 --pos 1024x0",
         {{0, 0, 1024, 768}, {-1024, 0, 1024, 768}}},
        {L"--output DUMMY1 --off --output DUMMY0 --pos 0x0", {{0, 0, 1024, 768}}},
        {leftOfPrimary, leftOfPrimaryRects},
    };
    std::unique_ptr<LaunchedProcess> saver;
    for (const auto& [arguments, monitors] : layouts) {
        ASSERT_TRUE(SetLayout(arguments, monitors));
        if (!saver) saver = std::make_unique<LaunchedProcess>(SaverPath(), L"/s");
        EXPECT_TRUE(WaitUntil([&] { return WindowRects(*saver) == monitors; }, kStartTimeout))
            << testing::PrintToString(WindowRects(*saver));
        Sleep(500);
        for (auto [x, y, w, h] : monitors) ExpectTheSaversLook(x, y, w, h, 300);
        EXPECT_TRUE(saver->Running() && SaverRunningFlag());
    }
    for (int i = 0; i < 10; ++i, Sleep(100)) MoveMouse({-700 + 170 * i, 100 + 40 * i});  // across both
    EXPECT_FALSE(saver->WaitForExit(1000));
    ClickAt({-400, 300}, 100);
    EXPECT_TRUE(saver->WaitForExit(5000) && saver->ExitCode() == 0);
    EXPECT_FALSE(SaverRunningFlag());
    EXPECT_TRUE(saver->VisibleWindows(L"Spindlewave_Main").empty());
}

}  // namespace
}  // namespace spindle::test
