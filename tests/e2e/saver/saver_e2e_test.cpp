// The saver as a user meets it under Wine: about sixty frames a second, mouse moves do not end it,
// a key or a click does; the system's saver state is put back. (What it shows: the high-DPI end-to-end
// test and the saver's window test; a second copy's refusal: the dialog's end-to-end test and Main's table.)
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/launched_process_win.h"
#include "support/real_input_win.h"
#include "support/saver_frames_win.h"
#include "support/saver_state_win.h"
#include "support/screen_pixels_win.h"
#include "support/settings_file_fixture_win.h"

namespace spindle::test {
namespace {

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

TEST_F(SaverE2e, DrawsAboutSixtyFramesASecondMouseMovesDoNotEndItAKeyOrAClickDoes) {
    for (auto [arguments, click] : {std::pair{L"/s", false}, std::pair{L"/S", true}}) {
        RunningSaver saver(arguments);
        ASSERT_NE(saver.window, nullptr);
        EXPECT_TRUE(SaverRunningFlag()) << arguments;
        // Frames are counted by naming the frame on the screen at two moments about 2 s apart.
        const DWORD start = GetTickCount();
        std::vector<ScreenPixels> pictures{CaptureScreen()};
        for (int i = 0; i < 20; ++i, Sleep(100)) MoveMouse({100 + 75 * i, 100 + 40 * i});
        pictures.push_back(CaptureScreen());
        const double seconds = (GetTickCount() - start) / 1000.0;
        const std::vector<int> frames = SaverFramesShown(pictures, 1, 5000);
        ASSERT_TRUE(frames[0] >= 0 && frames[1] >= 0) << frames[0] << " " << frames[1];
        EXPECT_GT(frames[1], frames[0]);
        EXPECT_LE(frames[1] - frames[0], 60 * 1.1 * seconds) << seconds << " s";  // an upper bound only
        EXPECT_TRUE(saver.process.Running()) << "ended by a mouse move";
        click ? ClickAt({300, 200}) : PressKey(VK_SPACE);
        EXPECT_TRUE(saver.process.WaitForExit(5000) && saver.process.ExitCode() == 0) << arguments;
        EXPECT_FALSE(SaverRunningFlag());
        EXPECT_EQ(FindWindowW(nullptr, L"Spindlewave_Main"), nullptr);
    }
}

}  // namespace
}  // namespace spindle::test
