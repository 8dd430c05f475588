// The music module over the real winmm under Wine: MCI error texts, the wave device, a looping
// WAV and an MP3 that starts again after it ends. Wine's sound goes to a capture file that shows
// whether something sounded.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "music/mci_channel.h"
#include "music/mci_sender_win.h"
#include "music/music_module.h"
#include "music/sound_device_win.h"
#include "runtime/conversions.h"
#include "runtime/wide_text_win.h"
#include "support/music_test_files_win.h"
#include "support/sound_capture_win.h"

#ifndef SPINDLE_TEST_MP3
#error "SPINDLE_TEST_MP3 names the generated test tone"
#endif

namespace spindle {
namespace {

template <typename Condition>
bool WaitUntil(Condition condition, DWORD milliseconds) {
    DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > milliseconds) return false;
        Sleep(50);
    }
    return true;
}

TEST(MciChannelOnWinmm, DeviceNotOpenGivesTheMarkerAndTheSystemsText) {
    WinMciSender sender;
    MciChannel channel(sender);
    std::string text;
    std::int32_t code = channel.MciSend("status SpindleNoSuchAlias mode", text);
    EXPECT_GT(code, 256);
    EXPECT_FALSE(text.empty());
    EXPECT_NE(text, kMciNoErrorText);
    std::string marker = channel.MciQuery("status SpindleNoSuchAlias mode");
    EXPECT_EQ(marker, "Error:" + std::to_string(code));
    EXPECT_TRUE(IsMciErrorReply(marker));
}

TEST(MciChannelOnWinmm, CodeWithoutTextGivesTheFixedText) {
    // The real lookup behind a sender that fails with a number winmm has no text for.
    class UnknownCodeSender : public MciSenderPort {
    public:
        std::int32_t SendString(std::string_view, std::string*, std::size_t) override { return 99999; }
        bool GetErrorString(std::int32_t code, std::string& text, std::size_t capacity) override {
            return real.GetErrorString(code, text, capacity);
        }
        WinMciSender real;
    } sender;
    MciChannel channel(sender);
    std::string text;
    EXPECT_EQ(channel.MciSend("status cdaudio mode", text), 99999);
    EXPECT_EQ(text, "Error (文字列が取れません)");
}

TEST(MciChannelOnWinmm, SuccessfulQueryGivesTheReply) {
    WinMciSender sender;
    MciChannel channel(sender);
    std::string text;
    EXPECT_EQ(channel.MciSend("sysinfo all quantity", text), 0);
    EXPECT_GE(LeadingNumber(text), 1.0) << text;
}

class SoundOnWine : public testing::Test {
protected:
    void SetUp() override {
        if (!capture.Available()) GTEST_SKIP() << "no sound capture: run inside scripts/wine-session.sh";
    }
    test::SoundCapture capture;
    WinMciSender sender;
    WinSoundDevice sound;
    SettingsValues settings;
    MusicModule music{sender, sound, settings};
};

TEST_F(SoundOnWine, OneWaveDeviceExists) { EXPECT_EQ(sound.WaveOutDeviceCount(), 1); }

TEST_F(SoundOnWine, WavLoopsPastItsLengthUntilStopped) {
    test::MusicFolder folder(L"music");
    std::wstring wav = folder.File(L"loop tone.wav");
    test::WriteToneWav(wav, 0.5);
    settings.BgmFile = WideToUtf8(wav);
    music.WavPlay();
    EXPECT_GT(capture.LoudBytesDuring(500), 0) << "the WAV did not play";
    Sleep(1500);  // four times the file's length by now
    EXPECT_GT(capture.LoudBytesDuring(1000), 0) << "the WAV no longer sounds after its own length";
    music.WavStop();
    Sleep(1000);
    EXPECT_EQ(capture.LoudBytesDuring(1500), 0) << "the WAV still sounds after WavStop";
}

TEST_F(SoundOnWine, Mp3WithBlanksInItsPathPlaysAndStartsAgainAfterItEnds) {
    test::MusicFolder folder(L"music");
    std::wstring mp3 = folder.File(L"short tone.Mp3");
    std::vector<char> bytes = test::ReadWholeFile(SPINDLE_TEST_MP3);
    ASSERT_FALSE(bytes.empty());
    test::WriteWholeFile(mp3, bytes);
    settings.BgmFile = WideToUtf8(mp3);

    music.Mp3Open();
    ASSERT_TRUE(WaitUntil([&] { return music.Mp3IsPlaying() == -1; }, 10000)) << "the MP3 never played";
    ASSERT_TRUE(WaitUntil([&] { return music.Mp3IsPlaying() == 0; }, 15000)) << "the MP3 never ended";
    EXPECT_GT(capture.LoudBytesSinceMark(), 0) << "the MP3 made no sound";
    Sleep(500);
    EXPECT_EQ(capture.LoudBytesDuring(500), 0) << "the MP3 sounds after its end";

    // The MP3 timer's next tick.
    music.Mp3Rewind();
    EXPECT_TRUE(WaitUntil([&] { return music.Mp3IsPlaying() == -1; }, 5000)) << "the MP3 did not start again";
    ASSERT_TRUE(WaitUntil([&] { return music.Mp3IsPlaying() == 0; }, 15000));
    EXPECT_GT(capture.LoudBytesSinceMark(), 0) << "the MP3 made no sound the second time";
    music.Mp3Close();

    // Once closed, the alias is gone.
    MciChannel channel(sender);
    EXPECT_TRUE(IsMciErrorReply(channel.MciQuery("status MP3Play mode")));
}

TEST_F(SoundOnWine, Mp3ThatIsNoAudioNeitherPlaysNorHangs) {
    test::MusicFolder folder(L"music");
    std::wstring fake = folder.File(L"not audio.mp3");
    test::WriteWholeFile(fake, std::vector<char>(4096, 'x'));
    settings.BgmFile = WideToUtf8(fake);
    DWORD start = GetTickCount();
    music.Mp3Open();
    for (int tick = 0; tick < 3; ++tick) music.Mp3Rewind();
    music.Mp3Close();
    EXPECT_LT(GetTickCount() - start, 20000u);
}

}  // namespace
}  // namespace spindle
