// The saver as a user meets it under Wine: full screen with the Earth in the centre and moving
// coloured lines; mouse moves do not end it, a key or a click does; the system's saver state is
// put back. (A second copy's refusal: the dialog's end-to-end test and Main's table.)
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>

#include "resource_ids.h"
#include "runtime/picture_win.h"
#include "support/launched_process_win.h"
#include "support/real_input_win.h"
#include "support/screen_pixels_win.h"
#include "support/settings_file_fixture_win.h"

namespace spindle::test {
namespace {

// The system's screen-saver-running flag, read by a fresh process (Wine caches it per process).
bool SaverRunningFlag() {
    LaunchedProcess reader(BesideThisProgram(L"saver_state_probe.exe"), L"");
    EXPECT_TRUE(reader.WaitForExit(10000));
    EXPECT_NE(reader.ExitCode(), 2u);
    return reader.ExitCode() == 1;
}

// A started saver whose window is up and has drawn for a moment.
struct RunningSaver {
    explicit RunningSaver(const std::wstring& arguments) : process(SaverPath(), arguments) {
        window = process.WaitForWindow(L"Spindlewave_Main", kStartTimeout);
        WaitUntil([&] { return IsWindowVisible(window) != FALSE; }, kStartTimeout);
        Sleep(1500);  // some frames
        SetForegroundWindow(window);
    }
    LaunchedProcess process;
    HWND window = nullptr;
};

class SaverE2e : public testing::Test {
protected:
    void SetUp() override {
        SystemParametersInfoW(SPI_SETSCREENSAVERRUNNING, FALSE, nullptr, 0);  // an earlier failure's leftover
        MoveMouse({5, 5});
    }
    SettingsFileFixture settings;  // no settings file: speed 1, no music
};

TEST_F(SaverE2e, CoversTheScreenWithTheEarthCentredAndMovingColouredLines) {
    RunningSaver saver(L"/s");
    ASSERT_NE(saver.window, nullptr);
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    RECT rect{};
    GetWindowRect(saver.window, &rect);
    EXPECT_EQ(std::tuple(rect.left, rect.top, rect.right, rect.bottom), std::tuple(0, 0, width, height));
    EXPECT_EQ(GetWindowLongW(saver.window, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME | WS_SYSMENU), 0);
    EXPECT_NE(GetWindowLongW(saver.window, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);

    const ScreenPixels earth = PixelsOfBitmap(LoadPictureResource(IDR_EARTH_PICTURE).bitmap.get());
    const ScreenPixels first = CaptureScreen();
    Sleep(300);
    ASSERT_EQ(std::pair(earth.width, first.width), std::pair(320, width));
    EXPECT_NE(first.pixels, CaptureScreen().pixels);
    const int left = (width - 320) / 2, top = (height - 320) / 2;
    int earthPixels = 0, channels[3] = {}, stray = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t c = first.At(x, y);
            if (x >= left && y >= top && x < left + 320 && y < top + 320) {
                earthPixels += c == earth.At(x - left, y - top) && c != 0;
            } else if (c) {  // black, or a pure red, green or blue line
                stray += !SingleChannel(c);
                ++channels[c > 0xFFFF ? 0 : c > 0xFF ? 1 : 2];
            }
        }
    }
    EXPECT_GT(earthPixels, 320 * 320 / 4);  // the lines cover part of it
    EXPECT_EQ(stray, 0);
    EXPECT_GT(std::min({channels[0], channels[1], channels[2]}), 1000);
}

TEST_F(SaverE2e, MouseMovesDoNotEndItAKeyOrAClickDoesAndTheSystemStateIsPutBack) {
    // Started by hand (no argument) the system is not told about a saver. (Wine's GetCursorInfo
    // shows whatever ShowCursor did, so the skipped cursor step cannot be seen.)
    for (auto [arguments, click] : {std::pair{L"/s", false}, std::pair{L"/S", true}, std::pair{L"", false}}) {
        RunningSaver saver(arguments);
        ASSERT_NE(saver.window, nullptr);
        EXPECT_EQ(SaverRunningFlag(), arguments[0] != 0) << arguments;
        for (int i = 0; i < 10; ++i, Sleep(100)) MoveMouse({100 + 150 * i, 100 + 80 * i});
        EXPECT_FALSE(saver.process.WaitForExit(1500));
        click ? ClickAt({300, 200}) : PressKey(VK_SPACE);
        EXPECT_TRUE(saver.process.WaitForExit(5000) && saver.process.ExitCode() == 0) << arguments;
        EXPECT_FALSE(SaverRunningFlag());
        EXPECT_EQ(FindWindowW(nullptr, L"Spindlewave_Main"), nullptr);
    }
}

}  // namespace
}  // namespace spindle::test
