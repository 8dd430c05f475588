// The MP3 and WAV routines: their exact commands, the rewind rule and the sound call.
#include <gtest/gtest.h>

#include "music/music_module.h"
#include "unit/music/recording_sound_device.h"
#include "unit/music/scripted_mci_sender.h"

namespace spindle {
namespace {

using test::RecordingSoundDevice;
using test::ScriptedMciSender;
using Commands = std::vector<std::string>;

TEST(Mp3Music, OpenQuotesThePathAndPlays) {
    struct Case {
        const char* path;
        const char* open;
    } cases[] = {
        {R"(C:\Music\song.mp3)", R"(open "C:\Music\song.mp3" type MPEGVideo Alias MP3Play)"},
        {R"(C:\My Music\a song.Mp3)", R"(open "C:\My Music\a song.Mp3" type MPEGVideo Alias MP3Play)"},
        {R"(D:\音楽\曲.mp3)", R"(open "D:\音楽\曲.mp3" type MPEGVideo Alias MP3Play)"},
        {"", R"(open "" type MPEGVideo Alias MP3Play)"},
    };
    for (const Case& c : cases) {
        ScriptedMciSender sender;
        RecordingSoundDevice sound;
        SettingsValues settings;
        settings.BgmFile = c.path;
        MusicModule music(sender, sound, settings);
        music.Mp3Open();
        EXPECT_EQ(sender.Commands(), (Commands{c.open, "play MP3Play"}));
        for (const auto& sent : sender.Sends()) EXPECT_EQ(sent.capacity, 0u);
    }
}

TEST(Mp3Music, FailedOpenPlaysNothing) {
    ScriptedMciSender sender;
    RecordingSoundDevice sound;
    SettingsValues settings;
    settings.BgmFile = R"(C:\gone.mp3)";
    sender.Reply(R"(open "C:\gone.mp3" type MPEGVideo Alias MP3Play)", {275, ""});
    MusicModule music(sender, sound, settings);
    music.Mp3Open();
    EXPECT_EQ(sender.Commands().size(), 1u);
    // The rewind timer then sends commands that fail harmlessly.
    sender.Reply("status MP3Play mode", {263, "", false});
    sender.Clear();
    music.Mp3Rewind();
    EXPECT_EQ(sender.Commands(), (Commands{"status MP3Play mode", "stop MP3Play", "play MP3Play from 0"}));
}

TEST(Mp3Music, RewindRestartsFromTheStartUnlessPlaying) {
    struct Case {
        const char* mode;
        bool restarts;
    } cases[] = {{"playing", false}, {"stopped", true}, {"paused", true}, {"seeking", true},
                 {"", true},         {"play", true},    {"playing back", false}};
    for (const Case& c : cases) {
        ScriptedMciSender sender;
        RecordingSoundDevice sound;
        SettingsValues settings;
        sender.Reply("status MP3Play mode", {0, c.mode});
        MusicModule music(sender, sound, settings);
        EXPECT_EQ(music.Mp3IsPlaying(), c.restarts ? 0 : -1) << c.mode;
        sender.Clear();
        music.Mp3Rewind();
        Commands expected{"status MP3Play mode"};
        if (c.restarts) expected.insert(expected.end(), {"stop MP3Play", "play MP3Play from 0"});
        EXPECT_EQ(sender.Commands(), expected) << c.mode;
        EXPECT_EQ(sender.Sends()[0].capacity, 30u);
    }
}

TEST(Mp3Music, ModeQueryThatWritesNothingKeepsTheLastMode) {
    ScriptedMciSender sender;
    RecordingSoundDevice sound;
    SettingsValues settings;
    MusicModule music(sender, sound, settings);
    sender.Reply("status MP3Play mode", {0, "playing"});
    EXPECT_EQ(music.Mp3IsPlaying(), -1);
    sender.Reply("status MP3Play mode", {263, "", false});
    EXPECT_EQ(music.Mp3IsPlaying(), -1);
}

TEST(Mp3Music, CloseStopsAndCloses) {
    ScriptedMciSender sender;
    RecordingSoundDevice sound;
    SettingsValues settings;
    MusicModule music(sender, sound, settings);
    music.Mp3Close();
    EXPECT_EQ(sender.Commands(), (Commands{"stop MP3Play", "close MP3Play"}));
}

TEST(WavMusic, PlaysLoopingOnlyWithAWaveDevice) {
    struct Case {
        std::int64_t devices;
        bool plays;
    } cases[] = {{0, false}, {-1, false}, {1, true}, {3, true}};
    for (const Case& c : cases) {
        ScriptedMciSender sender;
        RecordingSoundDevice sound(c.devices);
        SettingsValues settings;
        settings.BgmFile = R"(C:\My Music\loop.wav)";
        MusicModule music(sender, sound, settings);
        music.WavPlay();
        std::vector<RecordingSoundDevice::Call> expected;
        if (c.plays) expected.push_back({std::string(R"(C:\My Music\loop.wav)"), 9u});
        EXPECT_EQ(sound.Calls(), expected) << c.devices;
        EXPECT_TRUE(sender.Sends().empty());
    }
}

TEST(WavMusic, StopCallsTheSoundWithNoName) {
    ScriptedMciSender sender;
    RecordingSoundDevice sound(0);
    SettingsValues settings;
    MusicModule music(sender, sound, settings);
    music.WavStop();
    EXPECT_EQ(sound.Calls(), (std::vector<RecordingSoundDevice::Call>{{std::nullopt, 0u}}));
}

}  // namespace
}  // namespace spindle
