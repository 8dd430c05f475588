// Background music as a user hears it: the whole saver under Wine with a settings file naming the
// music, its sound caught by the capture of scripts/wine-session.sh.
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

// Tells the saver's window that the display went off (0) or on (1), as the system does: the
// setting lies in the saver's own memory.
bool TellDisplayState(const LaunchedProcess& saver, HWND window, DWORD state) {
    const struct { GUID setting; DWORD length, state; } setting{  // a POWERBROADCAST_SETTING
        {0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}}, sizeof state, state};
    void* remote = VirtualAllocEx(saver.Handle(), nullptr, sizeof setting, MEM_COMMIT, PAGE_READWRITE);
    if (!remote || !WriteProcessMemory(saver.Handle(), remote, &setting, sizeof setting, nullptr)) return false;
    DWORD_PTR answer = 0;
    const bool told = SendMessageTimeoutW(window, WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE,
                                          reinterpret_cast<LPARAM>(remote), SMTO_ABORTIFHUNG, 5000, &answer) != 0;
    VirtualFreeEx(saver.Handle(), remote, 0, MEM_RELEASE);
    return told;
}

enum class Heard { Nothing, PastItsEnd, Anything };

// The tone lasts a second: what sounds from 2.5 to 4 seconds on was looped or started again. Files that
// are no music, or vanish, never keep the saver from running or ending; the arrows end it unless the music
// is the CD (no drive here). While the display is off nothing sounds (no audio stream is left to keep the
// machine awake) and the picture stands still; back on, both carry on. (Other file types: the saver's table.)
TEST(MusicE2e, MusicIsHeardAsTheKindAndTheFileSayPausesWhileTheDisplayIsOffAndEndsWithTheSaver) {
    if (LoudBytesDuring(0) < 0) GTEST_SKIP() << "no sound capture: run inside scripts/wine-session.sh";
    SystemParametersInfoW(SPI_SETSCREENSAVERRUNNING, FALSE, nullptr, 0);
    const std::string wav = *ReadFileBytes(SPINDLE_TEST_TONE L".wav"), mp3 = *ReadFileBytes(SPINDLE_TEST_TONE L".mp3");
    const struct {
        int kind;
        const wchar_t* name;
        std::string bytes;
        Heard heard;
        bool vanishes = false;
    } cases[] = {
        {2, L"loop tone.wav", wav, Heard::PastItsEnd},    {2, L"short tone.Mp3", mp3, Heard::PastItsEnd},
        {2, L"text.mp3", std::string(3000, 'x'), Heard::Nothing},
        {2, L"text.wav", std::string(3000, 'x'), Heard::Nothing},
        {2, L"cut.mp3", mp3.substr(0, mp3.size() / 5), Heard::Anything},
        {2, L"going.mp3", mp3, Heard::Anything, true},    {1, L"", "", Heard::Nothing},
    };
    const fs::path folder = fs::temp_directory_path() / (L"spindle music " + std::to_wstring(GetCurrentProcessId()));
    fs::create_directories(folder);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::wstring music = *c.name ? (folder / c.name).wstring() : L"";
        if (*c.name) WriteFileBytes(music, c.bytes);
        SettingsFileFixture settings;
        settings.Write("5", std::to_string(c.kind), "0", AnsiText(music));
        LaunchedProcess saver(SaverPath(), L"/s");
        HWND window = saver.WaitForWindow(L"Spindlewave_Main", kStartTimeout);
        ASSERT_TRUE(window && WaitUntil([&] { return IsWindowVisible(window) != FALSE; }, kStartTimeout));
        SetForegroundWindow(window);
        if (c.vanishes) Sleep(300), DeleteFileW(music.c_str());
        const std::int64_t early = LoudBytesDuring(1500);
        Sleep(1000);
        const std::int64_t late = LoudBytesDuring(1500);
        EXPECT_TRUE(c.heard == Heard::Anything || (early > 0) == (c.heard == Heard::PastItsEnd));
        EXPECT_TRUE(c.heard == Heard::Anything || (late > 0) == (c.heard == Heard::PastItsEnd));
        if (c.heard == Heard::PastItsEnd) {
            ASSERT_TRUE(TellDisplayState(saver, window, 0));
            Sleep(300);  // what was already on its way to the device
            const ScreenPixels off = CaptureScreen();
            EXPECT_EQ(LoudBytesDuring(1500), 0) << "sounds on while the display is off";
            EXPECT_EQ(CaptureScreen().pixels, off.pixels) << "draws while the display is off";
            ASSERT_TRUE(TellDisplayState(saver, window, 1));
            Sleep(300);
            EXPECT_GT(LoudBytesDuring(1500), 0) << "stays silent when the display is back";
            EXPECT_NE(CaptureScreen().pixels, off.pixels) << "stands still when the display is back";
            ASSERT_TRUE(TellDisplayState(saver, window, 0));
        }
        EXPECT_TRUE(saver.Running());
        PressKey(VK_LEFT);
        EXPECT_EQ(saver.WaitForExit(3000), c.kind != 1) << c.kind;
        PressKey(VK_SPACE);
        EXPECT_TRUE(saver.WaitForExit(5000) && saver.ExitCode() == 0);
        Sleep(500);
        EXPECT_EQ(LoudBytesDuring(1500), 0) << "sounds on after the saver ended";
    }
    std::error_code ignored;
    fs::remove_all(folder, ignored);
}

}  // namespace
}  // namespace spindle::test
