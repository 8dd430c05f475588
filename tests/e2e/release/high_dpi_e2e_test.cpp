// The saver on a 144-DPI display (set by this test's fixture), as a user sees it: the whole screen
// without a frame, on top, the Earth picture at its own size in the centre, and moving red, green
// and blue lines. (At 96 DPI the same frame is checked in the saver's window test.)
#include <windows.h>

#include <gtest/gtest.h>

#include <tuple>

#include "runtime/scoped_gdi_win.h"
#include "support/launched_process_win.h"
#include "support/saver_frames_win.h"

namespace spindle::test {
namespace {

TEST(HighDpiSaver, CoversTheScreenWithTheEarthCentredAndMovingColouredLines) {
    ASSERT_EQ(GetDeviceCaps(ScopedWindowDC(nullptr).get(), LOGPIXELSX), 144) << "the fixture's DPI did not take";
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

}  // namespace
}  // namespace spindle::test
