// The saver and the settings dialog on a 144- or 192-DPI display (set by this test's fixture, named in
// SPINDLE_EXPECT_DPI), as a user sees them; the dialog at 192 exactly twice its 96-DPI 465 x 193.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <tuple>

#include "runtime/scoped_gdi_win.h"
#include "support/launched_process_win.h"
#include "support/saver_frames_win.h"

namespace spindle::test {
namespace {

int ExpectedDpi() { const char* dpi = std::getenv("SPINDLE_EXPECT_DPI"); return dpi ? std::atoi(dpi) : 144; }

// The window of that caption, once shown at the fixture's DPI; null when it does not show.
HWND ShownWindow(const LaunchedProcess& process, const wchar_t* caption) {
    EXPECT_EQ(GetDeviceCaps(ScopedWindowDC(nullptr).get(), LOGPIXELSX), ExpectedDpi()) << "the fixture's DPI did not take";
    HWND window = process.WaitForWindow(caption, 20000);
    return window && WaitUntil([&] { return IsWindowVisible(window) != FALSE; }, 20000) ? window : nullptr;
}

TEST(HighDpiSaver, CoversTheScreenWithTheEarthCentredAndMovingColouredLines) {
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    LaunchedProcess saver(SaverPath(), L"/s");
    HWND window = ShownWindow(saver, L"Spindlewave_Main");
    ASSERT_NE(window, nullptr);
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
    LaunchedProcess dialog(SaverPath(), L"/c");
    HWND window = ShownWindow(dialog, L"Spindlewave_Setting");
    RECT client{};
    ASSERT_TRUE(GetClientRect(window, &client));
    EXPECT_EQ(std::pair(client.right, client.bottom),
              ExpectedDpi() == 192 ? std::pair(2 * 465L, 2 * 193L) : std::pair(698L, 290L));
}

}  // namespace
}  // namespace spindle::test
