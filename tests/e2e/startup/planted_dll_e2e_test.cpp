// A saver run from a folder that also holds DLLs named as system DLLs (a Downloads folder): Wine is
// told (CTest's WINEDLLOVERRIDES) to prefer a DLL found beside the program for those names, as Windows
// does for every DLL that is not a KnownDLL. (What the preview shows: the preview's window test.)
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/launched_process_win.h"
#include "support/real_input_win.h"
#include "support/screen_pixels_win.h"
#include "support/settings_file_fixture_win.h"
#include "support/sound_capture_win.h"

namespace spindle::test {
namespace {

namespace fs = std::filesystem;

constexpr DWORD kExitTimeout = 10000;

// Switches that end at once (a preview handle that names no window too), the saver with MP3 music, the
// dialog's file chooser, a preview in another process's box that ends within a second when its host goes:
// all work, and no planted DLL is ever loaded (each would write its path to planted-loads.txt).
TEST(PlantedDlls, NoneIsLoadedWhileEverySwitchMusicTheFileChooserAndThePreviewWork) {
    SystemParametersInfoW(SPI_SETSCREENSAVERRUNNING, FALSE, nullptr, 0);
    // A copy of the saver, its settings naming an MP3 beside it, and a marker DLL under every planted name.
    const fs::path folder = fs::temp_directory_path() / (L"Downloads " + std::to_wstring(GetCurrentProcessId()));
    const std::wstring copy = (folder / L"Spindlewave.scr").wstring(), loads = (folder / L"planted-loads.txt").wstring();
    fs::create_directories(folder);
    SettingsFileFixture settings(folder.wstring());
    settings.Write("5", "2", "0", AnsiText((folder / L"tune.mp3").wstring()));
    CopyFileW(SaverPath().c_str(), copy.c_str(), FALSE);
    CopyFileW(SPINDLE_TEST_TONE L".mp3", (folder / L"tune.mp3").c_str(), FALSE);
    CopyFileW(BesideThisProgram(L"planted_probe.exe").c_str(), (folder / L"planted_probe.exe").c_str(), FALSE);
    for (const wchar_t* name : {SPINDLE_PLANTED_FILES}) {
        CopyFileW(BesideThisProgram(L"planted_marker.dll").c_str(), (folder / name).c_str(), FALSE);
    }

    // The rig itself: a program that looks beside itself first does load a planted DLL.
    LaunchedProcess careless((folder / L"planted_probe.exe").wstring(), L"winmm.dll");
    ASSERT_TRUE(careless.WaitForExit(kExitTimeout));
    ASSERT_NE(ReadFileBytes(loads).value_or("").find("winmm.dll"), std::string::npos) << "the overrides took no effect";
    DeleteFileW(loads.c_str());

    for (const wchar_t* arguments : {L"/a", L"-", L"/p 0"}) {
        LaunchedProcess saver(copy, arguments);
        EXPECT_TRUE(saver.WaitForExit(kExitTimeout) && saver.ExitCode() == 0) << arguments;
        EXPECT_FALSE(saver.WaitForWindow(L"Spindlewave_Main", 0) || saver.WaitForWindow(L"Spindlewave_Setting", 0));
    }
    {  // The saver with MP3 music, ended by a key.
        LaunchedProcess saver(copy, L"/s");
        HWND window = saver.WaitForWindow(L"Spindlewave_Main", kStartTimeout);
        ASSERT_TRUE(window && WaitUntil([&] { return IsWindowVisible(window) != FALSE; }, kStartTimeout));
        SetForegroundWindow(window);
        EXPECT_TRUE(LoudBytesDuring(2000) != 0) << "no music heard";  // -1: no capture here, nothing to hear
        PressKey(VK_SPACE);
        EXPECT_TRUE(saver.WaitForExit(kExitTimeout) && saver.ExitCode() == 0);
    }
    {  // The dialog, its file chooser opened and closed, then the dialog closed with Esc.
        LaunchedProcess dialog(copy, L"/c");
        HWND window = dialog.WaitForWindow(L"Spindlewave_Setting", kStartTimeout);
        ASSERT_TRUE(window && WaitUntil([&] { return IsWindowVisible(window) != FALSE; }, kStartTimeout));
        Sleep(1000);  // the opening zoom
        RECT frame{};
        ASSERT_TRUE(GetWindowRect(GetDlgItem(FindWindowExW(window, nullptr, L"SpindlewavePictureBox", nullptr), 103),
                                  &frame));  // the file chooser's button
        ClickAt(POINT{(frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2}, 300);
        HWND chooser = dialog.WaitForWindow(L"ﾌｧｲﾙを選択", kStartTimeout);
        ASSERT_NE(chooser, nullptr);
        Sleep(1500);  // its folder listed, with what that loads
        PressKey(VK_ESCAPE);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(chooser); }, kStartTimeout));
        Sleep(500);
        SetForegroundWindow(window);
        PressKey(VK_ESCAPE);
        EXPECT_TRUE(dialog.WaitForExit(kExitTimeout) && dialog.ExitCode() == 0);
    }
    {  // The preview, a child of the host's box: its picture shows; it ends with the host.
        LaunchedProcess host(BesideThisProgram(L"preview_host.exe"), L"");
        HWND box = nullptr, form = nullptr;
        ASSERT_TRUE(WaitUntil(
            [&] { return (box = FindWindowExW(host.WaitForWindow(L"host", 0), nullptr, L"SpindlePreviewBox", nullptr)); },
            kStartTimeout));
        LaunchedProcess preview(copy, L"/p " + std::to_wstring(reinterpret_cast<LONG_PTR>(box)));
        ASSERT_TRUE(WaitUntil(
            [&] { return IsWindowVisible(form = FindWindowExW(box, nullptr, L"Spindlewave_R", nullptr)); }, kStartTimeout));
        EXPECT_EQ(GetWindowLongW(form, GWL_STYLE) & (WS_CHILD | WS_CAPTION | WS_THICKFRAME), WS_CHILD);
        auto lit = [&] { int n = 0; for (std::uint32_t pixel : CaptureWindow(form).pixels) n += pixel != 0; return n; };
        EXPECT_TRUE(WaitUntil([&] { return lit() > 152 * 112 / 4; }, kStartTimeout)) << "no picture";
        host.Kill();
        EXPECT_TRUE(preview.WaitForExit(2000) && preview.ExitCode() == 0);  // a second, with a margin for Wine
    }
    EXPECT_EQ(ReadFileBytes(loads).value_or(""), "");  // what was loaded, one path a line
    std::error_code ignored;
    fs::remove_all(folder, ignored);
}

}  // namespace
}  // namespace spindle::test
