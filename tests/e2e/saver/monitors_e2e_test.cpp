// The saver on a desktop of two monitors under Wine (an Xorg display of the dummy driver, see
// scripts/xorg/two-monitors.conf): every monitor covered with the Earth in its centre and moving
// lines, a monitor left of the primary one too, a layout changed by xrandr while it runs; a key
// or a click on any monitor ends it, a mouse move does not.
#include <windows.h>

#include <gtest/gtest.h>

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
    Add(*reinterpret_cast<Rects*>(rects), *rect);
    return TRUE;
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

const wchar_t* const kSideBySide = L"--output DUMMY0 --pos 0x0 --output DUMMY1 --auto --pos 1024x0";
const Rects kSideBySideRects = {{0, 0, 1024, 768}, {1024, 0, 800, 600}};

Rects WindowRects(const LaunchedProcess& saver) {
    Rects rects;
    for (HWND window : saver.VisibleWindows(L"Spindlewave_Main")) {
        RECT r{};
        GetWindowRect(window, &r);
        Add(rects, r);
    }
    return rects;
}

class MonitorsE2e : public testing::Test {
protected:
    void SetUp() override {
        if (GetSystemMetrics(SM_CMONITORS) < 2) GTEST_SKIP() << "needs the two-monitor display";
        SystemParametersInfoW(SPI_SETSCREENSAVERRUNNING, FALSE, nullptr, 0);
        ASSERT_TRUE(SetLayout(kSideBySide, kSideBySideRects));
        MoveMouse({5, 5});
    }
    void TearDown() override {
        if (!IsSkipped()) SetLayout(kSideBySide, kSideBySideRects);
    }

    bool CoveredBy(LaunchedProcess& saver, const Rects& monitors) {
        return WaitUntil([&] { return WindowRects(saver) == monitors; }, kStartTimeout);
    }

    SettingsFileFixture settings;  // no settings file: speed 1, no music
};

TEST_F(MonitorsE2e, BothMonitorsCoveredMouseMovesDoNotEndItANewLayoutIsCoveredAndAKeyEndsIt) {
    LaunchedProcess saver(SaverPath(), L"/s");
    // As started; then the second monitor grows and moves left of the primary; then it is switched
    // off (as a monitor that powers down can vanish); then it comes back.
    const std::tuple<const wchar_t*, Rects> layouts[] = {
        {kSideBySide, kSideBySideRects},
        {L"--output DUMMY1 --mode 1024x768 --pos 0x0 --output DUMMY0 --pos 1024x0",
         {{0, 0, 1024, 768}, {-1024, 0, 1024, 768}}},
        {L"--output DUMMY1 --off --output DUMMY0 --pos 0x0", {{0, 0, 1024, 768}}},
        {kSideBySide, kSideBySideRects},
    };
    for (const auto& [arguments, monitors] : layouts) {
        ASSERT_TRUE(SetLayout(arguments, monitors)) << testing::PrintToString(Monitors());
        EXPECT_TRUE(CoveredBy(saver, monitors)) << testing::PrintToString(WindowRects(saver));
        Sleep(500);
        for (auto [x, y, w, h] : monitors) ExpectTheSaversLook(x, y, w, h, 300);
        EXPECT_TRUE(saver.Running() && SaverRunningFlag());
    }
    for (int i = 0; i < 10; ++i, Sleep(100)) MoveMouse({100 + 170 * i, 100 + 40 * i});  // across both
    EXPECT_FALSE(saver.WaitForExit(1000));
    PressKey(VK_SPACE);  // after the layouts and mouse moves, the keyboard still reaches the saver
    EXPECT_TRUE(saver.WaitForExit(5000) && saver.ExitCode() == 0);
    EXPECT_FALSE(SaverRunningFlag());
    EXPECT_TRUE(saver.VisibleWindows(L"Spindlewave_Main").empty());
}

TEST_F(MonitorsE2e, AMonitorLeftOfThePrimaryOneIsCoveredAndAClickOnItEndsTheSaver) {
    // X has no negative coordinates: the second output at x 0 and the primary right of it puts
    // the second monitor at -800 in Windows' terms.
    const Rects leftOfPrimary = {{0, 0, 1024, 768}, {-800, 0, 800, 600}};
    ASSERT_TRUE(SetLayout(L"--output DUMMY1 --pos 0x0 --output DUMMY0 --pos 800x0", leftOfPrimary));
    LaunchedProcess saver(SaverPath(), L"/s");
    ASSERT_TRUE(CoveredBy(saver, leftOfPrimary)) << testing::PrintToString(WindowRects(saver));
    Sleep(1000);
    for (auto [x, y, w, h] : leftOfPrimary) ExpectTheSaversLook(x, y, w, h, 300);
    ClickAt({-400, 300}, 100);
    EXPECT_TRUE(saver.WaitForExit(5000) && saver.ExitCode() == 0);
    EXPECT_FALSE(SaverRunningFlag());
}

}  // namespace
}  // namespace spindle::test
