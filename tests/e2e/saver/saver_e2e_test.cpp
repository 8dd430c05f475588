// The saver as a user meets it under Wine: about sixty frames a second, mouse moves do not end it,
// a click does; the system's saver state is put back. (What it shows: the high-DPI end-to-end
// test and the saver's window test; a second copy's refusal: the dialog's end-to-end test and Main's table.)
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

}  // namespace
}  // namespace spindle::test
