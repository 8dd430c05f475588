// The saver on a desktop of two monitors under Wine (an Xorg display of the dummy driver, see
// scripts/xorg/two-monitors.conf): every monitor covered with the Earth in its centre and moving
// lines, a monitor left of the primary one too, a layout changed by xrandr while it runs; a key
// or a click on any monitor ends it, a mouse move does not.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "resource_ids.h"
#include "runtime/picture_win.h"
#include "support/launched_process_win.h"
#include "support/real_input_win.h"
#include "support/saver_state_win.h"
#include "support/screen_pixels_win.h"
#include "support/settings_file_fixture_win.h"

namespace spindle::test {
namespace {

using Rects = std::vector<std::tuple<long, long, long, long>>;  // left, top, width, height

Rects Sorted(Rects rects) {
    std::sort(rects.begin(), rects.end());
    return rects;
}

BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT rect, LPARAM rects) {
    reinterpret_cast<Rects*>(rects)->emplace_back(rect->left, rect->top, rect->right - rect->left,
                                                   rect->bottom - rect->top);
    return TRUE;
}

Rects Monitors() {
    Rects monitors;
    EnumDisplayMonitors(nullptr, nullptr, &AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    return Sorted(monitors);
}

// Changes the X server's monitors as a user's display settings would, and waits until Wine
// shows the layout expected.
bool SetLayout(const std::wstring& xrandrArguments, const Rects& expected) {
    std::wstring command = L"/usr/bin/xrandr " + xrandrArguments;  // a Linux program, started by Wine
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
        return false;
    }
    if (info.hThread) CloseHandle(info.hThread);
    if (info.hProcess) CloseHandle(info.hProcess);  // Wine gives no exit code of a Linux program
    // Wine's desktop process reads the new layout when X announces it; a loaded machine may take a while.
    if (WaitUntil([&] { return Monitors() == Sorted(expected); }, 20000)) return true;
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
        rects.emplace_back(r.left, r.top, r.right - r.left, r.bottom - r.top);
    }
    return Sorted(rects);
}

// Each monitor shows the look at its own size: the Earth in its centre, and over black coloured
// lines that move (and nothing but pure red, green or blue).
void ExpectTheLookOnEachMonitor(const Rects& monitors) {
    const ScreenPixels earth = PixelsOfBitmap(LoadPictureResource(IDR_EARTH_PICTURE).bitmap.get());
    ASSERT_EQ(earth.width, 320);
    for (auto [x, y, width, height] : monitors) {
        const ScreenPixels first = CaptureDc(nullptr, x, y, width, height);
        Sleep(300);
        ASSERT_EQ(first.width, width);
        EXPECT_NE(first.pixels, CaptureDc(nullptr, x, y, width, height).pixels) << x;  // moving
        const long left = (width - 320) / 2, top = (height - 320) / 2;
        int earthPixels = 0, channels[3] = {}, stray = 0;
        for (int py = 0; py < height; ++py) {
            for (int px = 0; px < width; ++px) {
                const std::uint32_t c = first.At(px, py);
                if (px >= left && py >= top && px < left + 320 && py < top + 320) {
                    earthPixels += c == earth.At(px - left, py - top) && c != 0;
                } else if (c) {
                    stray += !SingleChannel(c);
                    ++channels[c > 0xFFFF ? 0 : c > 0xFF ? 1 : 2];
                }
            }
        }
        EXPECT_GT(earthPixels, 320 * 320 / 4) << x;
        EXPECT_EQ(stray, 0) << x;
        EXPECT_GT(std::min({channels[0], channels[1], channels[2]}), 300) << x;
    }
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
        if (GetSystemMetrics(SM_CMONITORS) >= 1) SetLayout(kSideBySide, kSideBySideRects);
    }

    // Starts the saver and waits until its windows cover `monitors` exactly.
    bool CoveredBy(LaunchedProcess& saver, const Rects& monitors) {
        return WaitUntil([&] { return WindowRects(saver) == Sorted(monitors); }, kStartTimeout);
    }

    SettingsFileFixture settings;  // no settings file: speed 1, no music
};

TEST_F(MonitorsE2e, TwoMonitorsOfDifferentSizesBothCoveredMouseMovesDoNotEndItAKeyDoes) {
    LaunchedProcess saver(SaverPath(), L"/s");
    ASSERT_TRUE(CoveredBy(saver, kSideBySideRects)) << testing::PrintToString(WindowRects(saver));
    Sleep(1000);  // some frames
    ExpectTheLookOnEachMonitor(kSideBySideRects);
    EXPECT_TRUE(SaverRunningFlag());
    for (int i = 0; i < 10; ++i, Sleep(100)) MoveMouse({100 + 170 * i, 100 + 40 * i});  // across both
    EXPECT_FALSE(saver.WaitForExit(1000));
    PressKey(VK_SPACE);
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
    ExpectTheLookOnEachMonitor(leftOfPrimary);
    ClickAt({-400, 300}, 100);
    EXPECT_TRUE(saver.WaitForExit(5000) && saver.ExitCode() == 0);
    EXPECT_FALSE(SaverRunningFlag());
}

TEST_F(MonitorsE2e, ALayoutChangedWhileItRunsIsCoveredAndAKeyStillEndsIt) {
    LaunchedProcess saver(SaverPath(), L"/s");
    ASSERT_TRUE(CoveredBy(saver, kSideBySideRects));
    // The second monitor grows and moves left of the primary; then it is switched off (as a
    // monitor that powers down can vanish); then it comes back.
    const std::tuple<const wchar_t*, Rects> layouts[] = {
        {L"--output DUMMY1 --mode 1024x768 --pos 0x0 --output DUMMY0 --pos 1024x0",
         {{0, 0, 1024, 768}, {-1024, 0, 1024, 768}}},
        {L"--output DUMMY1 --off --output DUMMY0 --pos 0x0", {{0, 0, 1024, 768}}},
        {kSideBySide, kSideBySideRects},
    };
    for (const auto& [arguments, monitors] : layouts) {
        ASSERT_TRUE(SetLayout(arguments, monitors)) << testing::PrintToString(Monitors());
        const DWORD changed = GetTickCount();
        EXPECT_TRUE(CoveredBy(saver, monitors)) << testing::PrintToString(WindowRects(saver));
        std::printf("layout of %zu monitors covered after %lu ms\n", monitors.size(), GetTickCount() - changed);
        Sleep(500);
        ExpectTheLookOnEachMonitor(monitors);
        EXPECT_TRUE(saver.Running());
    }
    PressKey(VK_SPACE);
    EXPECT_TRUE(saver.WaitForExit(5000) && saver.ExitCode() == 0);
    EXPECT_FALSE(SaverRunningFlag());
}

}  // namespace
}  // namespace spindle::test
