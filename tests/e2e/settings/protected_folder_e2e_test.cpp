// A saver installed where nothing beside it can be written (the fixture's read-only mount): the
// settings dialog keeps the settings in the user's own copy, and start-up reads them from there.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "support/launched_process_win.h"
#include "support/real_input_win.h"
#include "support/settings_file_fixture_win.h"

namespace spindle {
namespace {

constexpr DWORD kStartTimeout = 20000, kExitTimeout = 15000;
enum Buttons { kSave = 101, kCancel = 102 };

bool FolderTakesNewFiles(const std::wstring& folder) {
    HANDLE probe = CreateFileW((folder + L"\\write-probe").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (probe == INVALID_HANDLE_VALUE) return false;
    CloseHandle(probe);
    return true;
}

// The dialog on screen, painted, after its opening zoom.
HWND OpenDialog(test::LaunchedProcess& process) {
    HWND window = process.WaitForWindow(L"Spindlewave_Setting", kStartTimeout);
    if (window) test::WaitUntil([&] { return IsWindowVisible(window) != FALSE; }, kStartTimeout);
    Sleep(1000);
    return window;
}

void Click(HWND dialog, int button) {
    RECT frame{};
    GetWindowRect(GetDlgItem(dialog, button), &frame);
    test::ClickAt(POINT{(frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2}, 300);
}

TEST(ProtectedFolderE2E, TheSettingsAreKeptInTheUsersOwnCopyAndReadBackFromIt) {
    const std::wstring folder = SPINDLE_PROTECTED_FOLDER, saver = folder + L"\\Spindlewave.scr";
    if (GetFileAttributesW(saver.c_str()) == INVALID_FILE_ATTRIBUTES || FolderTakesNewFiles(folder)) {
        GTEST_SKIP() << "no read-only folder with the saver: mounting a read-only tmpfs is not allowed here";
    }
    test::SettingsFileFixture own(test::UserSettingsFolder());  // the prefix's own copy, kept aside

    test::LaunchedProcess first(saver, L"/c");
    HWND dialog = OpenDialog(first);
    ASSERT_NE(dialog, nullptr);
    Click(dialog, kSave);
    ASSERT_TRUE(first.WaitForExit(kExitTimeout));
    EXPECT_EQ(own.Read(), test::SettingsFileBytes(" 1", " 0", " 0", ""));
    EXPECT_EQ(GetFileAttributesW((folder + L"\\Spindlewave.ini").c_str()), INVALID_FILE_ATTRIBUTES);

    own.Write(" 37", " 1", " 5", "");
    test::LaunchedProcess second(saver, L"/c");
    dialog = OpenDialog(second);
    ASSERT_NE(dialog, nullptr);
    HWND picture = FindWindowExW(dialog, nullptr, L"SpindlewavePictureBox", nullptr);
    EXPECT_EQ(SendMessageW(FindWindowExW(picture, nullptr, L"ScrollBar", nullptr), SBM_GETPOS, 0, 0), 37);
    Click(dialog, kCancel);
    EXPECT_TRUE(second.WaitForExit(kExitTimeout));
}

}  // namespace
}  // namespace spindle
