// Background music as a user hears it: the whole saver under Wine with a settings file naming the
// music, its sound caught by the capture of scripts/wine-session.sh.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "support/launched_process_win.h"
#include "support/real_input_win.h"
#include "support/screen_pixels_win.h"
#include "support/settings_file_fixture_win.h"
#include "support/sound_capture_win.h"

namespace spindle {
namespace {

namespace fs = std::filesystem;
using test::LoudBytesDuring;

// A fresh folder with a blank in its name, removed with everything in it.
struct MusicFolder {
    const fs::path path = fs::temp_directory_path() / (L"spindle music " + std::to_wstring(GetCurrentProcessId()));
    MusicFolder() { fs::create_directories(path); }
    ~MusicFolder() { std::error_code ignored; fs::remove_all(path, ignored); }
};

// A copy of the saver started beside its own settings file, in a folder that also holds the music.
struct SaverWithMusic {
    SaverWithMusic(int kind, const std::wstring& name, const std::string& bytes)
        : music(name.empty() ? L"" : (folder.path / name).wstring()), settings(folder.path.wstring()) {
        const std::wstring saver = (folder.path / L"Spindlewave.scr").wstring();
        CopyFileW(test::SaverPath().c_str(), saver.c_str(), FALSE);
        if (!name.empty()) test::WriteFileBytes(music, bytes);
        settings.Write("5", std::to_string(kind), "0", test::AnsiText(music));
        process = std::make_unique<test::LaunchedProcess>(saver, L"/s");
        HWND window = process->WaitForWindow(L"Spindlewave_Main", 15000);
        started = window && test::WaitUntil([&] { return IsWindowVisible(window) != FALSE; }, 15000);
        if (started) SetForegroundWindow(window);
    }
    MusicFolder folder;
    std::wstring music;
    test::SettingsFileFixture settings;
    std::unique_ptr<test::LaunchedProcess> process;
    bool started = false;
};

enum class Heard { Nothing, PastItsEnd, Anything };

// The tone lasts a second: what sounds from 2.5 to 4 seconds on was looped or started again. (Other
// file types: the saver's table.) Files that are no music, or vanish, never keep the saver from running or
// from ending at the first key; the arrows end it unless the music is the CD (no drive here).
TEST(MusicE2e, MusicIsHeardAsTheKindAndTheFileSayAndEndsWithTheSaver) {
    if (LoudBytesDuring(0) < 0) GTEST_SKIP() << "no sound capture: run inside scripts/wine-session.sh";
    SystemParametersInfoW(SPI_SETSCREENSAVERRUNNING, FALSE, nullptr, 0);
    const std::string wav = *test::ReadFileBytes(SPINDLE_TEST_TONE L".wav");
    const std::string mp3 = *test::ReadFileBytes(SPINDLE_TEST_TONE L".mp3");
    struct Case {
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
    for (const Case& c : cases) {
        SaverWithMusic saver(c.kind, c.name, c.bytes);
        ASSERT_TRUE(saver.started) << c.name;
        if (c.vanishes) {
            Sleep(300);
            DeleteFileW(saver.music.c_str());
        }
        const std::int64_t early = LoudBytesDuring(1500);
        Sleep(1000);
        const std::int64_t late = LoudBytesDuring(1500);
        EXPECT_TRUE(c.heard == Heard::Anything || (early > 0) == (c.heard == Heard::PastItsEnd)) << c.name;
        EXPECT_TRUE(c.heard == Heard::Anything || (late > 0) == (c.heard == Heard::PastItsEnd)) << c.name;
        EXPECT_TRUE(saver.process->Running()) << c.name;
        test::PressKey(VK_LEFT);
        EXPECT_EQ(saver.process->WaitForExit(3000), c.kind != 1) << c.name << c.kind;
        test::PressKey(VK_SPACE);
        EXPECT_TRUE(saver.process->WaitForExit(5000)) << c.name;
        EXPECT_EQ(saver.process->ExitCode(), 0u) << c.name;
        Sleep(500);
        EXPECT_EQ(LoudBytesDuring(1500), 0) << c.name << " sounds on after the saver ended";
    }
}

// Tells the saver's window that the display went off (0) or on (1), as the system does: the
// setting lies in the saver's own memory.
bool TellDisplayState(const test::LaunchedProcess& saver, HWND window, DWORD state) {
    POWERBROADCAST_SETTING setting{};
    setting.PowerSetting = {0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};
    setting.DataLength = sizeof state;
    std::memcpy(setting.Data, &state, sizeof state);
    void* remote = VirtualAllocEx(saver.Handle(), nullptr, sizeof setting, MEM_COMMIT, PAGE_READWRITE);
    if (!remote || !WriteProcessMemory(saver.Handle(), remote, &setting, sizeof setting, nullptr)) return false;
    DWORD_PTR answer = 0;
    const bool told = SendMessageTimeoutW(window, WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE,
                                          reinterpret_cast<LPARAM>(remote), SMTO_ABORTIFHUNG, 5000, &answer) != 0;
    VirtualFreeEx(saver.Handle(), remote, 0, MEM_RELEASE);
    return told;
}

// While the display is off the picture stands still and nothing sounds (no audio stream is left to
// keep the machine awake); back on, both carry on; a key ends the saver while the display is off.
TEST(MusicE2e, WhileTheDisplayIsOffNothingIsDrawnOrHeardAndBackOnBothCarryOn) {
    if (LoudBytesDuring(0) < 0) GTEST_SKIP() << "no sound capture: run inside scripts/wine-session.sh";
    SystemParametersInfoW(SPI_SETSCREENSAVERRUNNING, FALSE, nullptr, 0);
    for (const wchar_t* name : {L"loop tone.wav", L"tone.mp3"}) {
        const std::wstring tone = std::wstring(SPINDLE_TEST_TONE) + (std::wstring(name).ends_with(L".wav") ? L".wav" : L".mp3");
        SaverWithMusic saver(2, name, *test::ReadFileBytes(tone));
        ASSERT_TRUE(saver.started) << name;
        const HWND window = saver.process->WaitForWindow(L"Spindlewave_Main", 1000);
        EXPECT_GT(LoudBytesDuring(1500), 0) << name;

        ASSERT_TRUE(TellDisplayState(*saver.process, window, 0)) << name;
        Sleep(300);  // what was already on its way to the device
        const test::ScreenPixels off = test::CaptureScreen();
        EXPECT_EQ(LoudBytesDuring(1500), 0) << name << " sounds on while the display is off";
        EXPECT_EQ(test::CaptureScreen().pixels, off.pixels) << name << " draws while the display is off";

        ASSERT_TRUE(TellDisplayState(*saver.process, window, 1)) << name;
        Sleep(300);
        EXPECT_GT(LoudBytesDuring(1500), 0) << name << " stays silent when the display is back";
        EXPECT_NE(test::CaptureScreen().pixels, off.pixels) << name << " stands still when the display is back";

        ASSERT_TRUE(TellDisplayState(*saver.process, window, 0)) << name;
        test::PressKey(VK_SPACE);
        EXPECT_TRUE(saver.process->WaitForExit(5000)) << name;
        EXPECT_EQ(saver.process->ExitCode(), 0u) << name;
    }
}

}  // namespace
}  // namespace spindle
