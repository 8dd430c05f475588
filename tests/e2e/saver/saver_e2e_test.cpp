// The saver as a user meets it under Wine: about sixty frames a second, mouse moves and the wheel do
// not end it, a click of any button does; the system's saver state is put back. (What it shows: the
// high-DPI end-to-end test and the saver's window test; a second copy's refusal: the dialog's
// end-to-end test and Main's table.)
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

class SaverE2e : public testing::Test {
protected:
    void SetUp() override {
        SystemParametersInfoW(SPI_SETSCREENSAVERRUNNING, FALSE, nullptr, 0);  // an earlier failure's leftover
        MoveMouse({5, 5});
    }
    SettingsFileFixture settings;  // no settings file: speed 1, no music
};

// Starts the saver, lets it draw, and moves the mouse over about 2 s while counting the frames
// shown (naming the frame on the screen at both ends): no more than about sixty a second, and
// the saver still running; then a click ends it and everything is put back.
void ExpectAboutSixtyFramesASecondUntilAClick(const std::wstring& saverPath) {
    LaunchedProcess saver(saverPath, L"/s");
    const HWND window = saver.WaitForWindow(L"Spindlewave_Main", kStartTimeout);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(window) != FALSE; }, kStartTimeout));
    Sleep(1500);  // some frames
    SetForegroundWindow(window);
    EXPECT_TRUE(SaverRunningFlag());
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

// As Windows 10 and 11 run it: desktop composition on (the test prefix reports Windows 10).
TEST_F(SaverE2e, DrawsAboutSixtyFramesASecondMouseMovesDoNotEndItAClickDoes) {
    ExpectAboutSixtyFramesASecondUntilAClick(SaverPath());
}

// As Vista and 7 run it with composition off: a copy of the saver under a name that Wine is told
// to run as Windows 7, paced by the timer alone.
TEST_F(SaverE2e, AsWindows7WithCompositionOffTheTimerPacesItTheSame) {
    wchar_t temp[MAX_PATH];
    ASSERT_GT(GetTempPathW(MAX_PATH, temp), 0u);
    const std::wstring folder = std::wstring(temp) + L"spindle-windows-7";
    const std::wstring copy = folder + L"\\SpindlewaveWin7.scr";
    CreateDirectoryW(folder.c_str(), nullptr);
    ASSERT_TRUE(CopyFileW(SaverPath().c_str(), copy.c_str(), FALSE));
    const wchar_t* key = L"Software\\Wine\\AppDefaults\\SpindlewaveWin7.scr";
    HKEY appDefaults = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &appDefaults, nullptr),
              ERROR_SUCCESS);
    const wchar_t version[] = L"win7";
    RegSetValueExW(appDefaults, L"Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version), sizeof version);
    RegCloseKey(appDefaults);
    ExpectAboutSixtyFramesASecondUntilAClick(copy);
    RegDeleteKeyW(HKEY_CURRENT_USER, key);
    DeleteFileW(copy.c_str());
    RemoveDirectoryW(folder.c_str());
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
