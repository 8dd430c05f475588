// The music module: the audio CD on a simulated drive, the MP3 and WAV commands, and replies that
// misbehave.
#include <gtest/gtest.h>

#include <tuple>

#include "music/music_module.h"
#include "support/cd_audio_simulation.h"

namespace spindle {
namespace {

using Commands = std::vector<std::string>;

struct RecordingSoundDevice : SoundDevicePort {
    std::int64_t devices = 1;  // wave outputs
    std::vector<std::pair<std::optional<std::string>, std::uint32_t>> calls;
    std::int64_t WaveOutDeviceCount() override { return devices; }
    void Play(const std::optional<std::string>& name, std::uint32_t flags) override { calls.emplace_back(name, flags); }
};

// The module on a drive with a disc of one-minute tracks (or none).
struct Rig {
    test::CdAudioSimulation drive;
    RecordingSoundDevice sound;
    SettingsValues settings;
    MusicModule music{drive, sound, settings};

    explicit Rig(int tracks = 0) : drive(tracks) {}
    Rig& OpenCd(int repeat = 0) {
        settings.BgmRepeat = static_cast<std::int16_t>(repeat);
        music.CdOpen();
        return *this;
    }
    // Polls every 200 ms, as the saver's timer does while the last poll left polling on.
    int PollFor(int milliseconds) {
        int polls = 0;
        for (; polls * 200 < milliseconds && (polls == 0 || music.CdPolling()); ++polls) {
            drive.AdvanceMilliseconds(200);
            music.CdPoll();
        }
        return polls;
    }
    int Playing() const { return drive.IsPlaying() ? drive.CurrentTrack() : 0; }
};

const Commands kPoll = {"status cdaudio current track", "status cdaudio number of tracks", "status cdaudio mode"};

TEST(CdMusic, WholeDiscStartsWithPlainPlayStartsOverAtTheEndAndCloses) {
    Rig cd(10);
    cd.OpenCd().music.CdPoll();
    EXPECT_EQ(cd.drive.log, (Commands{"open cdaudio", "set cdaudio time format tmsf", kPoll[0], kPoll[1], kPoll[2],
                                      "play cdaudio"}));
    cd.PollFor(95'000);
    EXPECT_EQ(cd.drive.Count("play"), 1);
    // Stopped at the end of the disc: it starts over.
    while (cd.drive.IsPlaying()) cd.drive.AdvanceMilliseconds(1000);
    cd.music.CdPoll();
    EXPECT_EQ(cd.Playing(), 1);
    cd.drive.log.clear();  // held while the display is off: "play" alone goes on from where it was
    cd.music.CdPause();
    cd.music.CdResume();
    cd.music.CdClose();
    EXPECT_EQ(cd.drive.log, (Commands{"pause cdaudio", "play cdaudio", "stop cdaudio", "close cdaudio"}));
}

// A repeated track plays from its start and is gone back to when the next begins or the disc
// ends; a track the disc lacks is rejected at every poll while polling goes on.
TEST(CdMusic, RepeatTrackComesBackAndAMissingOneIsRejectedWhilePollingGoesOn) {
    for (auto [repeat, first, track, plays] :  // first: what the first poll plays from; track 0: nothing plays
         {std::tuple{3, "03:00:00:00", 3, 3}, {10, "10:00:00:00", 10, 3}, {-1, "Error:282", 0, 900}}) {
        Rig cd(10);
        EXPECT_EQ(cd.OpenCd(repeat).PollFor(180'000), 900) << repeat;
        EXPECT_EQ(Commands(cd.drive.log.begin() + 5, cd.drive.log.begin() + 7),
                  (Commands{"status cdaudio position track " + std::to_string(repeat),
                            std::string("play cdaudio from ") + first}));
        EXPECT_EQ(cd.Playing(), track) << repeat;
        EXPECT_EQ(cd.drive.Count("play"), plays) << repeat;
        cd.drive.SendString("stop cdaudio", nullptr, 0);  // stopped on the repeated track itself
        cd.music.CdPoll();
        EXPECT_EQ(cd.Playing(), track) << repeat;
    }
}

TEST(CdMusic, ArrowsMoveOneTrackButNotPastTheEndsOfTheDisc) {
    for (auto [from, next, query, to] :
         {std::tuple{5, false, 4, 4}, {9, true, 10, 10}, {1, false, 0, 1}, {10, true, 11, 10}}) {
        Rig cd(10);
        cd.OpenCd().drive.SendString("play cdaudio from " + std::to_string(from) + ":00:10:00", nullptr, 0);
        next ? cd.music.CdNextTrack() : cd.music.CdPreviousTrack();
        EXPECT_EQ(cd.drive.log.at(4), "status cdaudio position track " + std::to_string(query));
        EXPECT_EQ(cd.Playing(), to) << from;
        EXPECT_EQ(cd.drive.MillisecondsIntoTrack(), from == to ? 10'000 : 0) << from;
    }
}

// Without a disc or with a current track that is no number polling goes off, and the saver stops
// its CD timer; a failed second mode query writes nothing and keeps the last mode.
TEST(CdMusic, OddRepliesEndInADefinedState) {
    for (auto [current, repeat, secondModeResult, polling, last] :
         {std::tuple{"", 0, 0, false, kPoll[0]}, {"three", 3, 0, false, kPoll[2]},
          {"three", 0, 0, true, std::string("play cdaudio")}, {"1", 0, 276, true, std::string("play cdaudio")}}) {
        Rig rig;  // no disc: the drive answers what the script leaves out
        auto& [drive, sound, settings, music] = rig;
        if (*current) drive.script = {{kPoll[0], {0, current}}, {kPoll[1], {0, "10"}}, {kPoll[2], {0, "stopped"}}};
        settings.BgmRepeat = static_cast<std::int16_t>(repeat);
        music.CdPoll();
        if (secondModeResult) drive.script[kPoll[2]] = {secondModeResult, "", false};
        music.CdPoll();
        EXPECT_EQ(music.CdPolling(), polling) << current << repeat;
        EXPECT_EQ(drive.log.back(), last) << current << repeat;
    }
    for (const char* reply : {"Error:263", "error:1", "xERRx"}) EXPECT_TRUE(IsMciErrorReply(reply)) << reply;
    for (const char* reply : {"3", "", "Er r"}) EXPECT_FALSE(IsMciErrorReply(reply)) << reply;
}

TEST(Mp3Music, OpenQuotesThePathPlaysOnlyWhenOpenedIsHeldAndCarriedOnAndCloseStopsAndCloses) {
    for (int openResult : {0, 275}) {
        Rig rig;
        const std::string open = R"(open "C:\My Music\a song.Mp3" type MPEGVideo Alias MP3Play)";
        rig.drive.script[open] = {openResult, ""};
        rig.settings.BgmFile = R"(C:\My Music\a song.Mp3)";
        rig.music.Mp3Open();
        rig.music.Mp3Pause();
        rig.music.Mp3Resume();
        rig.music.Mp3Close();
        Commands expected{open, "play MP3Play", "pause MP3Play", "resume MP3Play", "stop MP3Play", "close MP3Play"};
        if (openResult != 0) expected.erase(expected.begin() + 1);
        EXPECT_EQ(rig.drive.log, expected);
    }
}

// A failed query writes nothing and keeps the last mode.
TEST(Mp3Music, RewindRestartsFromTheStartUnlessPlaying) {
    for (auto [mode, result, restarts] :
         {std::tuple{"stopped", 0, true}, {"play", 0, true}, {"playing", 0, false}, {"playing back", 0, false},
          {"", 263, false}}) {
        Rig rig;
        rig.drive.script["status MP3Play mode"] = {0, "playing"};
        EXPECT_EQ(rig.music.Mp3IsPlaying(), -1);
        rig.drive.script["status MP3Play mode"] = {result, mode, result == 0};
        rig.drive.log.clear();
        rig.music.Mp3Rewind();
        Commands expected{"status MP3Play mode"};
        if (restarts) expected.insert(expected.end(), {"stop MP3Play", "play MP3Play from 0"});
        EXPECT_EQ(rig.drive.log, expected) << mode;
    }
}

TEST(WavMusic, LoopsWithoutDefaultSoundOnlyWithAWaveDeviceAndStopsWithNoName) {
    for (std::int64_t devices : {0, 1}) {
        Rig rig;
        rig.sound.devices = devices;
        rig.settings.BgmFile = R"(C:\My Music\loop.wav)";
        rig.music.WavPlay();
        rig.music.WavStop();
        decltype(rig.sound.calls) expected = {{std::nullopt, 0}};
        // SND_ASYNC | SND_LOOP | SND_NODEFAULT: a WAV that cannot play must not loop the default sound.
        if (devices > 0) expected.emplace(expected.begin(), rig.settings.BgmFile, 0x0001 | 0x0008 | 0x0002);
        EXPECT_EQ(rig.sound.calls, expected) << devices;
    }
}

}  // namespace
}  // namespace spindle
