// The settings dialog as a user meets it: started with /c, driven with real mouse and keyboard input,
// read back from the screen and the settings file. (The rest: the dialog's tables and window test.)
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

#include "support/launched_process_win.h"
#include "support/real_input_win.h"
#include "support/screen_pixels_win.h"
#include "support/settings_file_fixture_win.h"

namespace spindle::test {
namespace {

constexpr DWORD kTimeout = 20000;
enum Buttons { kSave = 101, kChooseFile = 103 };

// Another program holds the settings file open without sharing writes or deletion while the user
// saves a choice of music made in the file chooser: 「設定」 says the settings could not be saved
// because the file is in use, the dialog stays with the choice made, the file as it was; once the
// program lets go, 「設定」 saves and closes.
TEST(SettingsDialogE2E, AFileHeldByAnotherProgramIsToldAndSavedOnceItIsLetGo) {
    SettingsFileFixture file;
    file.Write(" 10", " 0", " 0", "");
    const std::optional<std::string> before = file.Read();
    const std::wstring path = SaverFolder() + L"\\Spindlewave.ini", music = SaverFolder() + L"\\dialog-e2e-tune.mp3";
    WriteFileBytes(music, std::string(64, '\0'));
    auto holder = std::make_unique<LaunchedProcess>(BesideThisProgram(L"file_holder.exe"), path);
    ASSERT_NE(holder->WaitForWindow(L"holding", kTimeout), nullptr) << "the holder did not open the file";

    LaunchedProcess dialog(SaverPath(), L"/c");
    HWND window = dialog.WaitForWindow(L"Spindlewave_Setting", kTimeout);
    ASSERT_TRUE(window && WaitUntil([&] { return IsWindowVisible(window) != FALSE; }, kTimeout));
    const HWND picture = FindWindowExW(window, nullptr, L"SpindlewavePictureBox", nullptr);
    Sleep(1000);  // the opening zoom
    auto inPicture = [&](POINT at) { return ClientToScreen(picture, &at), at; };
    auto click = [&](int id) {
        RECT frame{};
        ASSERT_TRUE(GetWindowRect(GetDlgItem(GetDlgItem(window, id) ? window : picture, id), &frame)) << id;
        ClickAt(POINT{(frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2}, 300);
    };
    click(kChooseFile);
    HWND chooser = dialog.WaitForWindow(L"ﾌｧｲﾙを選択", kTimeout);
    ASSERT_NE(chooser, nullptr);
    Sleep(1500);
    TypeText(music);
    PressKey(VK_RETURN);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(chooser); }, kTimeout));
    Sleep(500);
    ClickAt(inPicture({42, 82}), 300);  // the file's row
    click(kSave);
    HWND box = dialog.WaitForWindow(L"Spindlewave", kTimeout);
    ASSERT_NE(box, nullptr) << "no message";
    std::wstring text;  // the first of the box's static controls with a text (the icon has none)
    for (HWND s = nullptr; text.empty() && (s = FindWindowExW(box, s, L"Static", nullptr));) {
        wchar_t shown[512] = {};
        text = GetWindowTextW(s, shown, 512) > 0 ? shown : L"";
    }
    EXPECT_EQ(text.rfind(L"設定を保存できませんでした。", 0), 0u) << text;
    EXPECT_NE(text.find(L"使用中"), std::wstring::npos) << text;
    SetForegroundWindow(box);
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }, kTimeout));
    Sleep(300);
    EXPECT_TRUE(dialog.Running() && IsWindowVisible(window));
    const POINT mark = inPicture({42, 82});  // the file's row shows the blue selected mark: the choice is still there
    const std::uint32_t pixel = CaptureDc(nullptr, mark.x, mark.y, 1, 1).pixels.at(0);
    EXPECT_TRUE((pixel & 0xFF) > 180 && ((pixel >> 16) & 0xFF) < 100 && ((pixel >> 8) & 0xFF) < 140) << pixel;
    EXPECT_EQ(file.Read(), before);
    EXPECT_EQ(GetFileAttributesW((path + L".tmp").c_str()), INVALID_FILE_ATTRIBUTES);  // nothing half written

    holder.reset();
    MoveMouse(inPicture({42, 82}));  // back to the button, as a user's hand goes
    Sleep(300);
    click(kSave);
    ASSERT_TRUE(dialog.WaitForExit(kTimeout));
    EXPECT_EQ(file.Read(), SettingsFileBytes(" 10", " 2", " 0", AnsiText(music)));
    DeleteFileW(music.c_str());
}

}  // namespace
}  // namespace spindle::test
