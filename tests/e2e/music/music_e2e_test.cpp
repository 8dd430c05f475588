// Background music as a user hears it: the whole saver under Wine with a settings file naming the
// music, its sound caught by the capture of scripts/wine-session.sh.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "support/launched_process_win.h"
#include "support/music_test_files_win.h"
#include "support/sound_capture_win.h"

#ifndef SPINDLE_TEST_MP3
#error "SPINDLE_TEST_MP3 names the generated test tone"
#endif

namespace spindle {
namespace {

using test::LaunchedProcess;
using test::WaitUntil;

constexpr DWORD kStartTimeout = 15000;
constexpr DWORD kExitTimeout = 5000;

void PressKey(WORD key) {
    INPUT input[2]{};
    input[0].type = INPUT_KEYBOARD;
    input[0].ki.wVk = key;
    input[1] = input[0];
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof(INPUT));
}

// A copy of the saver beside its own settings file, in a folder that also holds the music.
class SaverWithMusic {
public:
    SaverWithMusic(int bgmKind, const std::wstring& musicName) : folder_(L"music e2e") {
        saver_ = folder_.File(L"Spindlewave.scr");
        CopyFileW(test::SaverPath().c_str(), saver_.c_str(), FALSE);
        if (!musicName.empty()) music_ = folder_.File(musicName);
        ini_ = folder_.File(L"Spindlewave.ini");
        // Keys as their Shift-JIS bytes: 回転の速さ, BGM区分, BGMﾘﾋﾟｰﾄ, BGMﾌｧｲﾙ. The path is ASCII.
        std::string text = "[Section]\r\n\x89\xf1\x93\x5d\x82\xcc\x91\xac\x82\xb3=5\r\nBGM\x8b\xe6\x95\xaa=" +
                           std::to_string(bgmKind) + "\r\nBGM\xd8\xcb\xdf\xb0\xc4=0\r\nBGM\xcc\xa7\xb2\xd9=" +
                           std::string(music_.begin(), music_.end()) + "\r\n";
        test::WriteWholeFile(ini_, std::vector<char>(text.begin(), text.end()));
    }

    const std::wstring& Music() const { return music_; }

    // Starts the saver and waits for its window; null when it never came.
    HWND Start() {
        process_ = std::make_unique<LaunchedProcess>(saver_, L"/s");
        HWND window = process_->WaitForWindow(L"Spindlewave_Main", kStartTimeout);
        if (window) {
            WaitUntil([&] { return IsWindowVisible(window) != FALSE; }, kStartTimeout);
            SetForegroundWindow(window);
        }
        return window;
    }
    LaunchedProcess& Process() { return *process_; }

private:
    test::MusicFolder folder_;
    std::wstring saver_, music_, ini_;
    std::unique_ptr<LaunchedProcess> process_;
};

class MusicE2e : public testing::Test {
protected:
    void SetUp() override {
        if (!capture.Available()) GTEST_SKIP() << "no sound capture: run inside scripts/wine-session.sh";
        SystemParametersInfoW(SPI_SETSCREENSAVERRUNNING, FALSE, nullptr, 0);
    }
    test::SoundCapture capture;
};

TEST_F(MusicE2e, WavKeepsSoundingPastItsLengthAndStopsAtShutDown) {
    SaverWithMusic saver(2, L"loop tone.wav");
    test::WriteToneWav(saver.Music(), 0.5);
    ASSERT_NE(saver.Start(), nullptr);
    Sleep(2000);
    EXPECT_GT(capture.LoudBytesDuring(1000), 0) << "the WAV stopped after its own length";
    PressKey(VK_SPACE);
    ASSERT_TRUE(saver.Process().WaitForExit(kExitTimeout));
    Sleep(500);
    EXPECT_EQ(capture.LoudBytesDuring(1500), 0) << "the WAV sounds on after the saver ended";
}

TEST_F(MusicE2e, Mp3InMixedCaseStartsAgainAfterItEnds) {
    SaverWithMusic saver(2, L"short tone.Mp3");
    test::WriteWholeFile(saver.Music(), test::ReadWholeFile(SPINDLE_TEST_MP3));
    ASSERT_NE(saver.Start(), nullptr);
    EXPECT_GT(capture.LoudBytesDuring(1500), 0) << "the MP3 did not play";
    // The tone lasts a second: what sounds three seconds on was started again.
    Sleep(1500);
    EXPECT_GT(capture.LoudBytesDuring(2500), 0) << "the MP3 was not started again";
    PressKey(VK_SPACE);
    ASSERT_TRUE(saver.Process().WaitForExit(kExitTimeout));
    Sleep(500);
    EXPECT_EQ(capture.LoudBytesDuring(1500), 0);
}

TEST_F(MusicE2e, OtherFileTypesPlayNothing) {
    for (const wchar_t* name : {L"tune.mid", L"tone.wav.bak", L"tone.mp4"}) {
        SaverWithMusic saver(2, name);
        test::WriteToneWav(saver.Music(), 1.0);
        ASSERT_NE(saver.Start(), nullptr) << name;
        EXPECT_EQ(capture.LoudBytesDuring(2000), 0) << name;
        PressKey(VK_SPACE);
        EXPECT_TRUE(saver.Process().WaitForExit(kExitTimeout)) << name;
    }
}

// Music files that are no music never stop the saver from running or from ending at a key.
TEST_F(MusicE2e, BrokenMusicFilesNeitherCrashNorHang) {
    std::vector<char> tone = test::ReadWholeFile(SPINDLE_TEST_MP3);
    struct Case {
        const wchar_t* name;
        std::vector<char> bytes;
    } cases[] = {
        {L"empty.mp3", {}},
        {L"text.mp3", std::vector<char>(3000, 'x')},
        {L"cut.mp3", std::vector<char>(tone.begin(), tone.begin() + static_cast<long>(tone.size() / 5))},
        {L"empty.wav", {}},
        {L"text.wav", std::vector<char>(3000, 'x')},
    };
    for (const Case& c : cases) {
        SaverWithMusic saver(2, c.name);
        test::WriteWholeFile(saver.Music(), c.bytes);
        ASSERT_NE(saver.Start(), nullptr) << c.name;
        Sleep(2500);  // some MP3 timer ticks
        EXPECT_TRUE(saver.Process().Running()) << c.name;
        PressKey(VK_SPACE);
        EXPECT_TRUE(saver.Process().WaitForExit(kExitTimeout)) << c.name;
        EXPECT_EQ(saver.Process().ExitCode(), 0u) << c.name;
    }
}

TEST_F(MusicE2e, Mp3ThatVanishesWhilePlayingNeitherCrashesNorHangs) {
    SaverWithMusic saver(2, L"going.mp3");
    test::WriteWholeFile(saver.Music(), test::ReadWholeFile(SPINDLE_TEST_MP3));
    ASSERT_NE(saver.Start(), nullptr);
    Sleep(300);
    DeleteFileW(saver.Music().c_str());
    Sleep(2500);
    EXPECT_TRUE(saver.Process().Running());
    PressKey(VK_SPACE);
    EXPECT_TRUE(saver.Process().WaitForExit(kExitTimeout));
    EXPECT_EQ(saver.Process().ExitCode(), 0u);
}

// There is no CD drive here: the first poll fails, and the arrows still only skip tracks.
TEST_F(MusicE2e, ArrowsKeepTheSaverRunningOnlyWithCdMusic) {
    struct Case {
        int kind;
        bool arrowsEnd;
    } cases[] = {{1, false}, {0, true}, {2, true}};
    for (const Case& c : cases) {
        SaverWithMusic saver(c.kind, c.kind == 2 ? L"tone.mp3" : L"");
        if (c.kind == 2) test::WriteWholeFile(saver.Music(), test::ReadWholeFile(SPINDLE_TEST_MP3));
        ASSERT_NE(saver.Start(), nullptr) << c.kind;
        Sleep(1000);
        PressKey(VK_LEFT);
        PressKey(VK_RIGHT);
        EXPECT_EQ(saver.Process().WaitForExit(3000), c.arrowsEnd) << c.kind;
        PressKey(VK_SPACE);
        EXPECT_TRUE(saver.Process().WaitForExit(kExitTimeout)) << c.kind;
    }
}

}  // namespace
}  // namespace spindle
