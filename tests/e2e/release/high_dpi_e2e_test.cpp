// The saver and the settings dialog on a 144- or 192-DPI display (set by this test's fixture, named
// in SPINDLE_EXPECT_DPI), as a user sees them: the saver covers the whole screen without a frame,
// on top, the Earth picture at its own size in the centre, and moving red, green and blue lines;
// the dialog's client area is its design at that DPI, at 192 exactly twice its 96-DPI 465 x 193.
// (At 96 DPI the same frame is checked in the saver's window test, the dialog in its own tests.)
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <tuple>

#include "runtime/scoped_gdi_win.h"
#include "support/launched_process_win.h"
#include "support/saver_frames_win.h"

namespace spindle::test {
namespace {

int ExpectedDpi() {
    const char* dpi = std::getenv("SPINDLE_EXPECT_DPI");
    return dpi ? std::atoi(dpi) : 144;
}

TEST(HighDpiSaver, CoversTheScreenWithTheEarthCentredAndMovingColouredLines) {
    ASSERT_EQ(GetDeviceCaps(ScopedWindowDC(nullptr).get(), LOGPIXELSX), ExpectedDpi()) << "the fixture's DPI did not take";
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    LaunchedProcess saver(SaverPath(), L"/s");
    HWND window = saver.WaitForWindow(L"Spindlewave_Main", 20000);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(window) != FALSE; }, 20000));
    Sleep(1500);  // a few frames on screen

    RECT rect{}, client{};
    ASSERT_TRUE(GetWindowRect(window, &rect) && GetClientRect(window, &client));
    EXPECT_EQ(std::tuple(rect.left, rect.top, rect.right, rect.bottom), std::tuple(0, 0, width, height));
    EXPECT_EQ(std::tuple(client.right, client.bottom), std::tuple(width, height)) << "a frame takes part of the screen";
    EXPECT_EQ(GetWindowLongW(window, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME | WS_SYSMENU), 0);
    EXPECT_NE(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);

    ExpectTheSaversLook(0, 0, width, height, 1000);
    EXPECT_TRUE(saver.Running()) << "the saver ended by itself";
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(saver.WaitForExit(10000));
}

TEST(HighDpiDialog, ItsClientAreaIsItsDesignAtTheDisplaysDpi) {
    const int dpi = ExpectedDpi();
    ASSERT_EQ(GetDeviceCaps(ScopedWindowDC(nullptr).get(), LOGPIXELSX), dpi) << "the fixture's DPI did not take";
    const std::tuple<int, LONG, LONG> clients[] = {{144, 698, 290}, {192, 2 * 465, 2 * 193}};
    LaunchedProcess dialog(SaverPath(), L"/c");
    HWND window = dialog.WaitForWindow(L"Spindlewave_Setting", 20000);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(window) != FALSE; }, 20000));
    RECT client{};
    GetClientRect(window, &client);
    for (auto [at, width, height] : clients) {
        if (at == dpi) {
            EXPECT_EQ(std::pair(client.right, client.bottom), std::pair(width, height)) << dpi;
        }
    }
    PostMessageW(window, WM_CLOSE, 0, 0);  // closes without saving
    EXPECT_TRUE(dialog.WaitForExit(10000));
}

}  // namespace
}  // namespace spindle::test
