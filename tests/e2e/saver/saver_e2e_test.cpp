// The saver as a user meets it under Wine: about sixty frames a second, mouse moves and the wheel do
// not end it, a click of any button does; the system's saver state is put back. (What it shows: the
// high-DPI end-to-end test and the saver's window test; a second copy's refusal: the dialog's
// end-to-end test and Main's table.)
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "support/launched_process_win.h"
#include "support/real_input_win.h"
#include "support/saver_frames_win.h"
#include "support/saver_state_win.h"
#include "support/screen_pixels_win.h"
#include "support/settings_file_fixture_win.h"

namespace spindle::test {
namespace {

class SaverE2e : public testing::Test {
protected:
    void SetUp() override {
        SystemParametersInfoW(SPI_SETSCREENSAVERRUNNING, FALSE, nullptr, 0);  // an earlier failure's leftover
        MoveMouse({5, 5});
    }
    SettingsFileFixture settings;  // no settings file: speed 1, no music
};

TEST_F(SaverE2e, DrawsAboutSixtyFramesASecondMouseMovesDoNotEndItAClickDoes) {
    LaunchedProcess saver(SaverPath(), L"/s");
    const HWND window = saver.WaitForWindow(L"Spindlewave_Main", kStartTimeout);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(window) != FALSE; }, kStartTimeout));
    Sleep(1500);  // some frames
    SetForegroundWindow(window);
    EXPECT_TRUE(SaverRunningFlag());
    // Frames are counted by naming the frame on the screen at two moments about 2 s apart.
    const DWORD start = GetTickCount();
    std::vector<ScreenPixels> pictures{CaptureScreen()};
    for (int i = 0; i < 20; ++i, Sleep(100)) MoveMouse({100 + 75 * i, 100 + 40 * i});
    pictures.push_back(CaptureScreen());
    const double seconds = (GetTickCount() - start) / 1000.0;
    const std::vector<int> frames = SaverFramesShown(pictures, 1, 5000);
    ASSERT_TRUE(frames[0] >= 0 && frames[1] > frames[0]) << frames[0] << " " << frames[1];
    EXPECT_LE(frames[1] - frames[0], 60 * 1.1 * seconds) << seconds << " s";  // an upper bound only
    EXPECT_TRUE(saver.Running()) << "ended by a mouse move";
    ClickAt({300, 200});  // a key: the monitors' end-to-end test
    EXPECT_TRUE(saver.WaitForExit(5000) && saver.ExitCode() == 0);
    EXPECT_FALSE(SaverRunningFlag());
    EXPECT_EQ(FindWindowW(nullptr, L"Spindlewave_Main"), nullptr);
}

// Every button a mouse has ends the saver, pressed and released on its window; the wheel turned
// either way before it does not.
TEST_F(SaverE2e, TheMiddleAndSideButtonsEndItTheWheelDoesNot) {
    struct Button {
        const char* name;
        DWORD down, up, data;
    };
    const Button buttons[] = {
        {"middle", MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP, 0},
        {"back", MOUSEEVENTF_XDOWN, MOUSEEVENTF_XUP, XBUTTON1},
        {"forward", MOUSEEVENTF_XDOWN, MOUSEEVENTF_XUP, XBUTTON2},
    };
    for (const Button& button : buttons) {
        SCOPED_TRACE(button.name);
        LaunchedProcess saver(SaverPath(), L"/s");
        const HWND window = saver.WaitForWindow(L"Spindlewave_Main", kStartTimeout);
        ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(window) != FALSE; }, kStartTimeout));
        MoveMouse({300, 200});
        SetForegroundWindow(window);
        Send(MouseInput(MOUSEEVENTF_WHEEL, 0, 0, DWORD(-WHEEL_DELTA)));
        Send(MouseInput(MOUSEEVENTF_WHEEL, 0, 0, WHEEL_DELTA), MouseInput(MOUSEEVENTF_HWHEEL, 0, 0, WHEEL_DELTA));
        EXPECT_FALSE(saver.WaitForExit(1000)) << "ended by the wheel";
        Send(MouseInput(button.down, 0, 0, button.data), MouseInput(button.up, 0, 0, button.data));
        EXPECT_TRUE(saver.WaitForExit(5000) && saver.ExitCode() == 0);
        EXPECT_FALSE(SaverRunningFlag());
    }
}

}  // namespace
}  // namespace spindle::test
