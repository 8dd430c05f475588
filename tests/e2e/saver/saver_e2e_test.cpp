// The saver as a user meets it under Wine: about sixty frames a second, mouse moves and the wheel do
// not end it, a click of any button does; the system's saver state is put back. (What it shows: the
// high-DPI end-to-end test and the saver's window test.)
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "support/launched_process_win.h"
#include "support/real_input_win.h"
#include "support/saver_frames_win.h"
#include "support/saver_state_win.h"
#include "support/settings_file_fixture_win.h"

namespace spindle::test {
namespace {

struct SaverE2e : testing::Test {
    void SetUp() override {
        SystemParametersInfoW(SPI_SETSCREENSAVERRUNNING, FALSE, nullptr, 0);  // an earlier failure's leftover
        MoveMouse({5, 5});
    }
    SettingsFileFixture settings;  // no settings file: speed 1, no music
};

// Starts the saver while the left button is held, lets it draw, releases the button (a press made
// before it started is no click), and moves the mouse over about 2 s while counting the frames shown
// (naming the frame on the screen at both ends): no more than about sixty a second, and the saver
// still running; then a click, or a close from outside, ends it and everything is put back.
void ExpectAboutSixtyFramesASecondUntilItEnds(const std::wstring& saverPath, bool closedFromOutside) {
    MouseButton(MOUSEEVENTF_LEFTDOWN);
    LaunchedProcess saver(saverPath, L"/s");
    const HWND window = saver.WaitForWindow(L"Spindlewave_Main", kStartTimeout);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(window) != FALSE; }, kStartTimeout));
    Sleep(1500);  // some frames
    SetForegroundWindow(window);
    MouseButton(MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(SaverRunningFlag());
    const DWORD start = GetTickCount();
    std::vector<ScreenPixels> pictures{CaptureScreen()};
    for (int i = 0; i < 20; ++i, Sleep(100)) MoveMouse({100 + 75 * i, 100 + 40 * i});
    pictures.push_back(CaptureScreen());
    const double seconds = (GetTickCount() - start) / 1000.0;
    const std::vector<int> frames = SaverFramesShown(pictures, 1, 5000);
    ASSERT_TRUE(frames[0] >= 0 && frames[1] > frames[0]) << frames[0] << " " << frames[1];
    EXPECT_LE(frames[1] - frames[0], 60 * 1.1 * seconds) << seconds << " s";  // an upper bound only
    EXPECT_TRUE(saver.Running()) << "ended by a mouse move or the release of an earlier press";
    if (closedFromOutside) PostMessageW(window, WM_CLOSE, 0, 0); else ClickAt({300, 200});  // a key: the music's test
    EXPECT_TRUE(saver.WaitForExit(5000) && saver.ExitCode() == 0);
    EXPECT_FALSE(SaverRunningFlag());
    EXPECT_EQ(FindWindowW(nullptr, L"Spindlewave_Main"), nullptr);
}

// As Windows 10 and 11 run it: desktop composition on (the test prefix reports Windows 10).
TEST_F(SaverE2e, DrawsAboutSixtyFramesASecondMouseMovesDoNotEndItAClickDoes) {
    ExpectAboutSixtyFramesASecondUntilItEnds(SaverPath(), false);
}

// As Vista and 7 run it with composition off: a copy of the saver under a name that Wine is told
// to run as Windows 7, paced by the timer alone; closed from outside (as at a log-off).
TEST_F(SaverE2e, AsWindows7WithCompositionOffTheTimerPacesItTheSameAndACloseFromOutsideEndsIt) {
    const std::wstring copy = SaverFolder() + L"\\SpindlewaveWin7.scr";  // beside the settings file kept aside
    ASSERT_TRUE(CopyFileW(SaverPath().c_str(), copy.c_str(), FALSE));
    const wchar_t* key = L"Software\\Wine\\AppDefaults\\SpindlewaveWin7.scr";
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, key, L"Version", REG_SZ, L"win7", sizeof L"win7"), ERROR_SUCCESS);
    ExpectAboutSixtyFramesASecondUntilItEnds(copy, true);
    RegDeleteKeyW(HKEY_CURRENT_USER, key);
    DeleteFileW(copy.c_str());
}

// Every button a mouse has ends the saver, pressed and released on its window; the wheel turned
// either way before it does not. Alt, a system key, ends it as it goes down, as any key does.
TEST_F(SaverE2e, TheRightMiddleAndSideButtonsAndAltEndItTheWheelDoesNot) {
    const std::tuple<const char*, INPUT, INPUT> inputs[] = {
        {"right", MouseInput(MOUSEEVENTF_RIGHTDOWN), MouseInput(MOUSEEVENTF_RIGHTUP)},
        {"middle", MouseInput(MOUSEEVENTF_MIDDLEDOWN), MouseInput(MOUSEEVENTF_MIDDLEUP)},
        {"back", MouseInput(MOUSEEVENTF_XDOWN, 0, 0, XBUTTON1), MouseInput(MOUSEEVENTF_XUP, 0, 0, XBUTTON1)},
        {"forward", MouseInput(MOUSEEVENTF_XDOWN, 0, 0, XBUTTON2), MouseInput(MOUSEEVENTF_XUP, 0, 0, XBUTTON2)},
        {"Alt", KeyInput(VK_MENU, false), KeyInput(VK_MENU, true)},
    };
    for (auto [name, down, up] : inputs) {
        SCOPED_TRACE(name);
        LaunchedProcess saver(SaverPath(), L"/s");
        const HWND window = saver.WaitForWindow(L"Spindlewave_Main", kStartTimeout);
        ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(window) != FALSE; }, kStartTimeout));
        MoveMouse({300, 200});
        SetForegroundWindow(window);
        Send(MouseInput(MOUSEEVENTF_WHEEL, 0, 0, DWORD(-WHEEL_DELTA)));
        Send(MouseInput(MOUSEEVENTF_WHEEL, 0, 0, WHEEL_DELTA), MouseInput(MOUSEEVENTF_HWHEEL, 0, 0, WHEEL_DELTA));
        EXPECT_FALSE(saver.WaitForExit(1000)) << "ended by the wheel";
        Send(down);
        EXPECT_EQ(saver.WaitForExit(1000), down.type == INPUT_KEYBOARD) << "a button ends it as it is released";
        Send(up);
        EXPECT_TRUE(saver.WaitForExit(5000) && saver.ExitCode() == 0);
        EXPECT_FALSE(SaverRunningFlag());
    }
}

}  // namespace
}  // namespace spindle::test
