// Background music as a user hears it: the whole saver under Wine with a settings file naming the
// music, its sound caught by the capture of scripts/wine-session.sh.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "support/launched_process_win.h"
#include "support/real_input_win.h"
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

}  // namespace
}  // namespace spindle
