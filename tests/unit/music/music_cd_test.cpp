// The audio-CD routines on a simulated drive: polling, repeat rules, track keys, closing.
#include <gtest/gtest.h>

#include <algorithm>

#include "music/music_module.h"
#include "support/cd_audio_simulation.h"
#include "unit/music/recording_sound_device.h"
#include "unit/music/scripted_mci_sender.h"

namespace spindle {
namespace {

using test::CdAudioSimulation;

constexpr int kTrackSeconds = 60;

class CdMusic : public testing::Test {
protected:
    CdMusic() : drive(std::vector<int>(10, kTrackSeconds)), music(drive, sound, settings) {}

    // The saver's CD timer: a poll every 200 ms while the last poll left polling on.
    int PollFor(int milliseconds) {
        int polls = 0;
        for (int elapsed = 0; elapsed < milliseconds && timerEnabled; elapsed += 200) {
            drive.AdvanceMilliseconds(200);
            music.CdPoll();
            timerEnabled = music.CdPolling();
            ++polls;
        }
        return polls;
    }

    int PlayCommandsSent() const {
        auto commands = drive.Commands();
        return static_cast<int>(std::count_if(commands.begin(), commands.end(),
                                              [](const std::string& c) { return c.rfind("play ", 0) == 0; }));
    }

    CdAudioSimulation drive;
    test::RecordingSoundDevice sound;
    SettingsValues settings;
    MusicModule music;
    bool timerEnabled = true;
};

TEST_F(CdMusic, OpenSetsTheTimeFormatAndPlaysNothing) {
    music.CdOpen();
    EXPECT_EQ(drive.Commands(), (std::vector<std::string>{"open cdaudio", "set cdaudio time format tmsf"}));
    for (const auto& sent : drive.Log()) {
        EXPECT_EQ(sent.capacity, 0u);
        EXPECT_EQ(sent.result, 0);
    }
    EXPECT_FALSE(drive.IsPlaying());
}

TEST_F(CdMusic, NoDiscStopsPollingAtTheFirstPoll) {
    drive.RemoveDisc();
    music.CdOpen();
    drive.ClearLog();
    music.CdPoll();
    EXPECT_FALSE(music.CdPolling());
    EXPECT_EQ(drive.Commands(), std::vector<std::string>{"status cdaudio current track"});
    EXPECT_FALSE(drive.IsPlaying());
}

TEST_F(CdMusic, DriveNeverOpenedStopsPolling) {
    music.CdPoll();
    EXPECT_FALSE(music.CdPolling());
    EXPECT_EQ(PlayCommandsSent(), 0);
}

TEST_F(CdMusic, DiscTakenOutWhilePlayingStopsPolling) {
    music.CdOpen();
    PollFor(1000);
    ASSERT_TRUE(drive.IsPlaying());
    drive.RemoveDisc();
    PollFor(1000);
    EXPECT_FALSE(music.CdPolling());
}

TEST_F(CdMusic, WholeDiscStartsAtTheFirstPollWithPlainPlay) {
    settings.BgmRepeat = 0;
    music.CdOpen();
    drive.ClearLog();
    music.CdPoll();
    EXPECT_TRUE(music.CdPolling());
    EXPECT_EQ(drive.Commands(), (std::vector<std::string>{"status cdaudio current track",
                                                          "status cdaudio number of tracks", "status cdaudio mode",
                                                          "play cdaudio"}));
    EXPECT_EQ(drive.Log()[2].capacity, 255u);
    EXPECT_TRUE(drive.IsPlaying());
    EXPECT_EQ(drive.CurrentTrack(), 1);
}

TEST_F(CdMusic, WholeDiscResumesWheneverStopped) {
    settings.BgmRepeat = 0;
    music.CdOpen();
    PollFor(95'000);  // into track 2
    EXPECT_EQ(PlayCommandsSent(), 1);
    ASSERT_EQ(drive.CurrentTrack(), 2);

    // Someone stops the drive: the next poll goes on from where it stood.
    drive.SendString("stop cdaudio", nullptr, 0);
    std::int64_t stoppedAt = drive.MillisecondsIntoTrack();
    drive.ClearLog();
    music.CdPoll();
    EXPECT_EQ(PlayCommandsSent(), 1);
    EXPECT_TRUE(drive.IsPlaying());
    EXPECT_EQ(drive.CurrentTrack(), 2);
    EXPECT_EQ(drive.MillisecondsIntoTrack(), stoppedAt);

    // At the end of the disc the drive stops; the disc starts over.
    while (drive.IsPlaying()) drive.AdvanceMilliseconds(200);
    music.CdPoll();
    EXPECT_TRUE(music.CdPolling());
    EXPECT_TRUE(drive.IsPlaying());
    EXPECT_EQ(drive.CurrentTrack(), 1);
    EXPECT_EQ(drive.MillisecondsIntoTrack(), 0);
}

TEST_F(CdMusic, RepeatTrackStartsThatTrackAndGoesBackWhenTheNextBegins) {
    settings.BgmRepeat = 3;
    music.CdOpen();
    drive.ClearLog();
    music.CdPoll();
    EXPECT_EQ(drive.Commands(),
              (std::vector<std::string>{"status cdaudio current track", "status cdaudio number of tracks",
                                        "status cdaudio mode", "status cdaudio position track 3",
                                        "play cdaudio from 03:00:00:00"}));
    EXPECT_EQ(drive.CurrentTrack(), 3);

    // While track 3 plays, the polls send nothing but their queries.
    drive.ClearLog();
    PollFor((kTrackSeconds - 1) * 1000);
    EXPECT_EQ(PlayCommandsSent(), 0);
    EXPECT_EQ(drive.CurrentTrack(), 3);

    // Track 4 begins; the next poll goes back to the start of track 3.
    drive.AdvanceMilliseconds(1000);
    ASSERT_EQ(drive.CurrentTrack(), 4);
    drive.ClearLog();
    music.CdPoll();
    EXPECT_EQ(drive.Commands().back(), "play cdaudio from 03:00:00:00");
    EXPECT_EQ(drive.CurrentTrack(), 3);
    EXPECT_EQ(drive.MillisecondsIntoTrack(), 0);
}

TEST_F(CdMusic, RepeatOfTheLastTrackComesBackAfterTheDiscEnds) {
    settings.BgmRepeat = 10;
    music.CdOpen();
    PollFor(3 * kTrackSeconds * 1000);
    EXPECT_TRUE(drive.IsPlaying());
    EXPECT_EQ(drive.CurrentTrack(), 10);
    EXPECT_EQ(PlayCommandsSent(), 3);
}

TEST_F(CdMusic, RepeatOfATrackBeyondTheDiscIsRejectedAtEveryPollAndPollingGoesOn) {
    settings.BgmRepeat = 12;
    music.CdOpen();
    int polls = PollFor(2000);
    EXPECT_EQ(polls, 10);
    EXPECT_TRUE(music.CdPolling());
    EXPECT_FALSE(drive.IsPlaying());
    int rejected = 0;
    for (const auto& sent : drive.Log()) {
        if (sent.command == "status cdaudio position track 12") {
            EXPECT_NE(sent.result, 0);
        }
        if (sent.command.rfind("play cdaudio from Error:", 0) == 0) {
            EXPECT_NE(sent.result, 0);
            ++rejected;
        }
    }
    EXPECT_EQ(rejected, 10);
}

TEST_F(CdMusic, NegativeRepeatIsRejectedLikeAMissingTrack) {
    settings.BgmRepeat = -1;
    music.CdOpen();
    PollFor(1000);
    EXPECT_TRUE(music.CdPolling());
    EXPECT_FALSE(drive.IsPlaying());
}

TEST(CdMusicKeys, MoveOneTrackAndStopAtTheEndsOfTheDisc) {
    struct Case {
        int startTrack;
        bool next;
        int expectedTrack;
        bool restarted;  // play began at the start of the expected track
    } cases[] = {
        {5, false, 4, true}, {5, true, 6, true}, {1, false, 1, false}, {10, true, 10, false}, {9, true, 10, true},
    };
    for (const Case& c : cases) {
        CdAudioSimulation drive(std::vector<int>(10, kTrackSeconds));
        test::RecordingSoundDevice sound;
        SettingsValues settings;
        MusicModule music(drive, sound, settings);
        music.CdOpen();
        drive.SendString("play cdaudio from " + std::to_string(c.startTrack) + ":00:10:00", nullptr, 0);
        drive.AdvanceMilliseconds(5000);
        c.next ? music.CdNextTrack() : music.CdPreviousTrack();
        EXPECT_TRUE(drive.IsPlaying()) << c.startTrack;
        EXPECT_EQ(drive.CurrentTrack(), c.expectedTrack) << c.startTrack;
        EXPECT_EQ(drive.MillisecondsIntoTrack(), c.restarted ? 0 : 15'000) << c.startTrack;
    }
}

TEST_F(CdMusic, TrackKeysOnTheFirstTrackSendTheRefusedMarker) {
    music.CdOpen();
    music.CdPoll();
    drive.ClearLog();
    music.CdPreviousTrack();
    ASSERT_EQ(drive.Commands().size(), 3u);
    EXPECT_EQ(drive.Commands()[0], "status cdaudio current track");
    EXPECT_EQ(drive.Commands()[1], "status cdaudio position track 0");
    EXPECT_EQ(drive.Commands()[2].rfind("play cdaudio from Error:", 0), 0u);
    EXPECT_NE(drive.Log()[2].result, 0);
}

TEST_F(CdMusic, TrackKeysInRepeatModeAreUndoneByTheNextPoll) {
    settings.BgmRepeat = 3;
    music.CdOpen();
    music.CdPoll();
    music.CdNextTrack();
    EXPECT_EQ(drive.CurrentTrack(), 4);
    PollFor(200);
    EXPECT_EQ(drive.CurrentTrack(), 3);
}

TEST_F(CdMusic, TrackKeysWithoutDiscDoNothing) {
    drive.RemoveDisc();
    music.CdOpen();
    music.CdNextTrack();
    music.CdPreviousTrack();
    EXPECT_FALSE(drive.IsPlaying());
}

TEST_F(CdMusic, CloseStopsAndClosesTheDrive) {
    music.CdOpen();
    PollFor(1000);
    drive.ClearLog();
    music.CdClose();
    EXPECT_EQ(drive.Commands(), (std::vector<std::string>{"stop cdaudio", "close cdaudio"}));
    EXPECT_FALSE(drive.IsOpen());
    EXPECT_FALSE(drive.IsPlaying());
}

// What the saver does with CdPolling: the timer stops after a failed poll, and shut-down closes
// the drive only while the timer still runs.
TEST_F(CdMusic, FailedPollLeavesTheDriveOpenAtShutDown) {
    drive.RemoveDisc();
    music.CdOpen();
    bool timerEnabled = true;
    for (int tick = 0; tick < 5 && timerEnabled; ++tick) {
        music.CdPoll();
        timerEnabled = music.CdPolling();
    }
    if (timerEnabled) music.CdClose();
    auto commands = drive.Commands();
    EXPECT_EQ(std::count(commands.begin(), commands.end(), "status cdaudio current track"), 1);
    EXPECT_EQ(std::count(commands.begin(), commands.end(), "close cdaudio"), 0);
    EXPECT_TRUE(drive.IsOpen());
}

// Replies the drive should never give still end in a defined state.
TEST(CdMusicOddReplies, CurrentTrackThatIsNoNumberStopsPollingInRepeatMode) {
    test::ScriptedMciSender sender;
    sender.Reply("status cdaudio current track", {0, "three"});
    sender.Reply("status cdaudio number of tracks", {0, "10"});
    sender.Reply("status cdaudio mode", {0, "playing"});
    test::RecordingSoundDevice sound;
    SettingsValues settings;
    settings.BgmRepeat = 3;
    MusicModule music(sender, sound, settings);
    music.CdPoll();
    EXPECT_FALSE(music.CdPolling());
    settings.BgmRepeat = 0;
    music.CdPoll();
    EXPECT_TRUE(music.CdPolling());
}

TEST(CdMusicOddReplies, ModeQueryThatWritesNothingKeepsTheLastMode) {
    test::ScriptedMciSender sender;
    sender.Reply("status cdaudio current track", {0, "1"});
    sender.Reply("status cdaudio number of tracks", {0, "10"});
    sender.Reply("status cdaudio mode", {0, "stopped"});
    test::RecordingSoundDevice sound;
    SettingsValues settings;
    MusicModule music(sender, sound, settings);
    music.CdPoll();
    sender.Reply("status cdaudio mode", {276, "", false});
    sender.Clear();
    music.CdPoll();
    EXPECT_EQ(sender.Commands().back(), "play cdaudio");
}

TEST(CdMusicOddReplies, ASenderThatFailsHardNeverEscapesTheRoutines) {
    test::ScriptedMciSender sender;
    sender.ThrowOnEverySend();
    test::RecordingSoundDevice sound;
    SettingsValues settings;
    settings.BgmRepeat = 2;
    MusicModule music(sender, sound, settings);
    EXPECT_NO_THROW({
        music.CdOpen();
        music.CdPoll();
        music.CdPreviousTrack();
        music.CdNextTrack();
        music.CdClose();
        music.Mp3Open();
        music.Mp3Rewind();
        music.Mp3Close();
    });
    EXPECT_FALSE(music.CdPolling());
}

}  // namespace
}  // namespace spindle
