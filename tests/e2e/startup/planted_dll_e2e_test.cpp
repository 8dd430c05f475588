// A saver run from a folder that also holds DLLs named as system DLLs (a Downloads folder): Wine is
// told (CTest's WINEDLLOVERRIDES) to prefer a DLL found beside the program for those names, as Windows
// does for every DLL that is not a KnownDLL. Music, the dialog's file chooser and the preview all work, and no planted DLL
// is ever loaded (each would write its path to planted-loads.txt).
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "support/launched_process_win.h"
#include "support/real_input_win.h"
#include "support/screen_pixels_win.h"
#include "support/settings_file_fixture_win.h"
#include "support/sound_capture_win.h"

namespace spindle::test {
namespace {

namespace fs = std::filesystem;

constexpr DWORD kExitTimeout = 10000;
enum { kChooseFileButton = 103 };

// The planted names, one for each DLL that the saver, MCI and DirectShow (MP3), audio, WIC or the file
// chooser load: SPINDLE_PLANTED_NAMES, "winmm,dwmapi,...", which CTest also gives Wine as native-first.
std::vector<std::wstring> PlantedNames() {
    std::vector<std::wstring> names;
    std::wstring_view all = SPINDLE_PLANTED_NAMES;
    for (std::size_t comma; !all.empty(); all.remove_prefix(comma == all.npos ? all.size() : comma + 1)) {
        comma = all.find(L',');
        names.emplace_back(all.substr(0, comma));
    }
    return names;
}

std::wstring FileName(const std::wstring& name) { return name.find(L'.') == name.npos ? name + L".dll" : name; }

// A Downloads folder: a copy of the saver, its settings naming an MP3 beside it, and a marker DLL
// under every planted name.
class PlantedFolder {
public:
    PlantedFolder() : settings_(path_.wstring()) {
        fs::create_directories(path_);
        CopyFileW(SaverPath().c_str(), Saver().c_str(), FALSE);
        CopyFileW(SPINDLE_TEST_TONE L".mp3", (path_ / L"tune.mp3").c_str(), FALSE);
        CopyFileW(BesideThisProgram(L"planted_probe.exe").c_str(), (path_ / L"planted_probe.exe").c_str(), FALSE);
        for (const std::wstring& name : PlantedNames()) {
            CopyFileW(BesideThisProgram(L"planted_marker.dll").c_str(), (path_ / FileName(name)).c_str(), FALSE);
        }
        settings_.Write("5", "2", "0", AnsiText((path_ / L"tune.mp3").wstring()));
    }
    ~PlantedFolder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    std::wstring Saver() const { return (path_ / L"Spindlewave.scr").wstring(); }
    std::wstring Probe() const { return (path_ / L"planted_probe.exe").wstring(); }
    // What the markers wrote, one loaded path a line.
    std::string Loaded() const { return ReadFileBytes((path_ / L"planted-loads.txt").wstring()).value_or(""); }
    void Forget() const { DeleteFileW((path_ / L"planted-loads.txt").c_str()); }

private:
    const fs::path path_ = fs::temp_directory_path() / (L"Downloads " + std::to_wstring(GetCurrentProcessId()));
    SettingsFileFixture settings_;
};

int LitPixels(HWND window) {
    int lit = 0;
    for (std::uint32_t pixel : CaptureWindow(window).pixels) lit += pixel != 0;
    return lit;
}

TEST(PlantedDlls, NoneIsLoadedAndMusicTheFileChooserAndThePreviewWork) {
    SystemParametersInfoW(SPI_SETSCREENSAVERRUNNING, FALSE, nullptr, 0);
    PlantedFolder folder;

    // The rig itself: a program that looks beside itself first does load a planted DLL.
    LaunchedProcess careless(folder.Probe(), L"winmm.dll");
    ASSERT_TRUE(careless.WaitForExit(kExitTimeout));
    ASSERT_NE(folder.Loaded().find("winmm.dll"), std::string::npos) << "the overrides took no effect";
    folder.Forget();

    {  // The saver with MP3 music, ended by a key.
        LaunchedProcess saver(folder.Saver(), L"/s");
        HWND window = saver.WaitForWindow(L"Spindlewave_Main", kStartTimeout);
        ASSERT_TRUE(window && WaitUntil([&] { return IsWindowVisible(window) != FALSE; }, kStartTimeout));
        SetForegroundWindow(window);
        const std::int64_t loud = LoudBytesDuring(2000);
        EXPECT_TRUE(loud != 0) << "no music heard";  // -1: no capture here, nothing to hear
        PressKey(VK_SPACE);
        EXPECT_TRUE(saver.WaitForExit(kExitTimeout) && saver.ExitCode() == 0);
    }
    {  // The dialog, its file chooser opened and closed, then the dialog closed with Esc.
        LaunchedProcess dialog(folder.Saver(), L"/c");
        HWND window = dialog.WaitForWindow(L"Spindlewave_Setting", kStartTimeout);
        ASSERT_TRUE(window && WaitUntil([&] { return IsWindowVisible(window) != FALSE; }, kStartTimeout));
        Sleep(1000);  // the opening zoom
        HWND picture = FindWindowExW(window, nullptr, L"SpindlewavePictureBox", nullptr);
        HWND button = picture ? GetDlgItem(picture, kChooseFileButton) : nullptr;
        ASSERT_NE(button, nullptr);
        RECT frame{};
        GetWindowRect(button, &frame);
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
    {  // The preview in a host's box: its picture shows; it ends with the host.
        LaunchedProcess host(BesideThisProgram(L"preview_host.exe"), L"host 152 112 0 0");
        HWND box = nullptr, form = nullptr;
        auto boxShown = [&] {
            box = FindWindowExW(host.WaitForWindow(L"host", 0), nullptr, L"SpindlePreviewBox", nullptr);
            return box != nullptr;
        };
        ASSERT_TRUE(WaitUntil(boxShown, kStartTimeout));
        LaunchedProcess preview(folder.Saver(), L"/p " + std::to_wstring(reinterpret_cast<LONG_PTR>(box)));
        auto formShown = [&] {
            form = FindWindowExW(box, nullptr, L"Spindlewave_R", nullptr);
            return IsWindowVisible(form) != FALSE;
        };
        ASSERT_TRUE(WaitUntil(formShown, kStartTimeout));
        EXPECT_TRUE(WaitUntil([&] { return LitPixels(form) > 152 * 112 / 4; }, kStartTimeout)) << "no picture";
        host.Kill();
        EXPECT_TRUE(preview.WaitForExit(kExitTimeout) && preview.ExitCode() == 0);
    }
    EXPECT_EQ(folder.Loaded(), "");
}

}  // namespace
}  // namespace spindle::test
