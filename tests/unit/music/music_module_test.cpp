// The music module: the MCI command channel, the audio CD on a simulated drive, the MP3 and WAV
// commands, and replies or senders that misbehave.
#include <gtest/gtest.h>

#include <map>
#include <stdexcept>
#include <tuple>

#include "music/music_module.h"
#include "support/cd_audio_simulation.h"

namespace spindle {
namespace {

// An MCI sender that answers from a script and records what was sent.
struct ScriptedMciSender : MciSenderPort {
    struct Answer {
        std::int32_t result = 0;
        std::string reply;
        bool writesBuffer = true;  // false: the buffer keeps what it held
    };
    std::map<std::string, Answer> answers;  // other commands succeed with an empty reply
    std::map<std::int32_t, std::string> errorTexts;
    bool throwing = false;
    std::vector<std::string> sent;
    std::vector<std::size_t> capacities;  // of each send and each error lookup

    std::int32_t SendString(std::string_view command, std::string* buffer, std::size_t capacity) override {
        sent.emplace_back(command);
        capacities.push_back(buffer == nullptr ? 0 : capacity);
        if (throwing) throw std::runtime_error("send failed");
        Answer answer = answers[sent.back()];
        if (buffer != nullptr && answer.writesBuffer) *buffer = answer.reply;
        return answer.result;
    }
    bool GetErrorString(std::int32_t code, std::string& text, std::size_t capacity) override {
        capacities.push_back(capacity);
        if (errorTexts.count(code)) text = errorTexts[code];
        return errorTexts.count(code) != 0;
    }
};

// A sound device with a chosen number of wave outputs that records each call.
struct RecordingSoundDevice : SoundDevicePort {
    std::int64_t devices = 1;
    std::vector<std::pair<std::optional<std::string>, std::uint32_t>> calls;
    std::int64_t WaveOutDeviceCount() override { return devices; }
    void Play(const std::optional<std::string>& name, std::uint32_t flags) override { calls.emplace_back(name, flags); }
};

using Commands = std::vector<std::string>;
const Commands kPoll = {"status cdaudio current track", "status cdaudio number of tracks", "status cdaudio mode"};

TEST(MciChannel, SendAndQueryGiveTheReplyOrTheErrorText) {
    using namespace std::string_literals;
    struct Case {
        std::string command, reply;  // the reply the device writes into the buffer
        std::string errorText;       // what the platform's lookup knows; empty: nothing
        std::int32_t code;
        std::string text, query;
        std::vector<std::size_t> capacities;  // of the send, then of the error lookup
    } cases[] = {
        {"", "", "", -1, "コマンド文字列が指定されていません", "Error:-1", {}},
        {"status cdaudio mode", "stopped\0garbage"s, "", 0, "stopped", "stopped", {512}},
        {"play cdaudio", "", "", 0, "", "", {512}},
        {"status x mode", "stale", "Not open.\0tail"s, 263, "Not open.", "Error:263", {512, 256}},
        {"status x mode", "stale", "", 99999, "Error (文字列が取れません)", "Error:99999", {512, 256}},
    };
    for (const Case& c : cases) {
        ScriptedMciSender sender;
        sender.answers[c.command] = {c.code, c.reply};
        if (!c.errorText.empty()) sender.errorTexts[c.code] = c.errorText;
        MciChannel channel(sender);
        std::string text = "old";
        EXPECT_EQ(channel.MciSend(c.command, text), c.code) << c.command;
        EXPECT_EQ(text, c.text) << c.command;
        EXPECT_EQ(sender.capacities, c.capacities) << c.command;
        EXPECT_EQ(channel.MciQuery(c.command), c.query) << c.command;
        EXPECT_EQ(channel.LastReplyText(), c.text) << c.command;
    }
    for (const char* reply : {"Error:263", "error:1", "xERRx"}) EXPECT_TRUE(IsMciErrorReply(reply)) << reply;
    for (const char* reply : {"3", "", "playing", "Er r"}) EXPECT_FALSE(IsMciErrorReply(reply)) << reply;
}

// The module on a sender, with a recording sound device.
template <typename Sender>
struct Rig {
    Sender sender;
    RecordingSoundDevice sound;
    SettingsValues settings;
    MusicModule music{sender, sound, settings};

    // Polls every 200 ms, as the saver's timer does while the last poll left polling on.
    int PollFor(int milliseconds) {
        int polls = 0;
        for (; polls * 200 < milliseconds && (polls == 0 || music.CdPolling()); ++polls) {
            sender.AdvanceMilliseconds(200);
            music.CdPoll();
        }
        return polls;
    }
};
// A disc of ten one-minute tracks.
struct Cd : Rig<test::CdAudioSimulation> {
    Cd() { sender = test::CdAudioSimulation(std::vector<int>(10, 60)); }
    test::CdAudioSimulation& drive = sender;
};
using Scripted = Rig<ScriptedMciSender>;

TEST(CdMusic, WholeDiscStartsWithPlainPlayResumesWheneverStoppedAndCloses) {
    Cd cd;
    cd.music.CdOpen();
    cd.music.CdPoll();
    EXPECT_EQ(cd.drive.log, (Commands{"open cdaudio", "set cdaudio time format tmsf", kPoll[0], kPoll[1], kPoll[2],
                                      "play cdaudio"}));
    cd.PollFor(95'000);
    EXPECT_EQ(cd.drive.Count("play"), 1);
    // Stopped by someone else: the next poll goes on from where the drive stood.
    cd.drive.SendString("stop cdaudio", nullptr, 0);
    std::int64_t stoppedAt = cd.drive.MillisecondsIntoTrack();
    cd.music.CdPoll();
    EXPECT_TRUE(cd.drive.IsPlaying() && cd.drive.CurrentTrack() == 2);
    EXPECT_EQ(cd.drive.MillisecondsIntoTrack(), stoppedAt);
    // Stopped at the end of the disc: it starts over.
    while (cd.drive.IsPlaying()) cd.drive.AdvanceMilliseconds(1000);
    cd.music.CdPoll();
    EXPECT_TRUE(cd.drive.IsPlaying() && cd.drive.CurrentTrack() == 1);
    cd.drive.log.clear();
    cd.music.CdClose();
    EXPECT_EQ(cd.drive.log, (Commands{"stop cdaudio", "close cdaudio"}));
    EXPECT_FALSE(cd.drive.IsOpen() || cd.drive.IsPlaying());
}

// A repeated track plays from its start and is gone back to when the next begins or the disc
// ends; a track the disc lacks is rejected at every poll while polling goes on.
TEST(CdMusic, RepeatTrackComesBackAndAMissingOneIsRejectedWhilePollingGoesOn) {
    for (auto [repeat, first, track, plays] :  // first: what the first poll plays from; track 0: nothing plays
         {std::tuple{3, "03:00:00:00", 3, 3}, {10, "10:00:00:00", 10, 3}, {12, "Error:282", 0, 900},
          {-1, "Error:282", 0, 900}}) {
        Cd cd;
        cd.settings.BgmRepeat = static_cast<std::int16_t>(repeat);
        cd.music.CdOpen();
        EXPECT_EQ(cd.PollFor(180'000), 900) << repeat;
        EXPECT_EQ(Commands(cd.drive.log.begin() + 5, cd.drive.log.begin() + 7),
                  (Commands{"status cdaudio position track " + std::to_string(repeat),
                            std::string("play cdaudio from ") + first}));
        EXPECT_EQ(cd.drive.IsPlaying() ? cd.drive.CurrentTrack() : 0, track) << repeat;
        EXPECT_EQ(cd.drive.Count("play"), plays) << repeat;
        cd.drive.SendString("stop cdaudio", nullptr, 0);  // stopped on the repeated track itself
        cd.music.CdPoll();
        EXPECT_EQ(cd.drive.IsPlaying() ? cd.drive.CurrentTrack() : 0, track) << repeat;
    }
}

TEST(CdMusic, ArrowsMoveOneTrackButNotPastTheEndsOfTheDisc) {
    for (auto [from, next, query, to] :
         {std::tuple{5, false, 4, 4}, {9, true, 10, 10}, {1, false, 0, 1}, {10, true, 11, 10}}) {
        Cd cd;
        cd.music.CdOpen();
        cd.drive.SendString("play cdaudio from " + std::to_string(from) + ":00:10:00", nullptr, 0);
        next ? cd.music.CdNextTrack() : cd.music.CdPreviousTrack();
        EXPECT_EQ(cd.drive.log.at(4), "status cdaudio position track " + std::to_string(query));
        EXPECT_TRUE(cd.drive.IsPlaying()) << from;
        EXPECT_EQ(cd.drive.CurrentTrack(), to) << from;
        EXPECT_EQ(cd.drive.MillisecondsIntoTrack(), from == to ? 10'000 : 0) << from;
    }
}

// Without a disc the first poll leaves polling off: the saver then stops its CD timer.
TEST(CdMusic, NoDiscStopsPollingAtTheFirstPoll) {
    Cd cd;
    cd.drive = test::CdAudioSimulation();
    cd.music.CdOpen();
    EXPECT_EQ(cd.PollFor(5000), 1);
    EXPECT_EQ(cd.drive.log.back(), kPoll[0]);
    cd.music.CdNextTrack();
    EXPECT_FALSE(cd.drive.IsPlaying());
}

// A failed second mode query writes nothing and keeps the last mode.
TEST(CdMusic, OddRepliesEndInADefinedState) {
    for (auto [current, repeat, secondModeResult, polling, last] :
         {std::tuple{"three", 3, 0, false, "status cdaudio mode"}, {"three", 0, 0, true, "play cdaudio"},
          {"1", 0, 276, true, "play cdaudio"}}) {
        Scripted rig;
        auto& [sender, sound, settings, music] = rig;
        sender.answers = {{kPoll[0], {0, current}}, {kPoll[1], {0, "10"}}, {kPoll[2], {0, "stopped"}}};
        settings.BgmRepeat = static_cast<std::int16_t>(repeat);
        music.CdPoll();
        if (secondModeResult) sender.answers[kPoll[2]] = {secondModeResult, "", false};
        music.CdPoll();
        EXPECT_EQ(music.CdPolling(), polling) << current << repeat;
        EXPECT_EQ(sender.sent.back(), last) << current << repeat;
    }
}

TEST(Mp3Music, OpenQuotesThePathPlaysOnlyWhenOpenedAndCloseStopsAndCloses) {
    for (auto [path, openResult] : {std::pair{R"(C:\My Music\a song.Mp3)", 0}, {"", 0}, {R"(C:\gone.mp3)", 275}}) {
        Scripted rig;
        auto& [sender, sound, settings, music] = rig;
        std::string open = "open \"" + std::string(path) + "\" type MPEGVideo Alias MP3Play";
        sender.answers[open] = {openResult, ""};
        settings.BgmFile = path;
        music.Mp3Open();
        music.Mp3Close();
        Commands expected{open, "play MP3Play", "stop MP3Play", "close MP3Play"};
        if (openResult != 0) expected.erase(expected.begin() + 1);
        EXPECT_EQ(sender.sent, expected);
    }
}

// A failed query writes nothing and keeps the last mode.
TEST(Mp3Music, RewindRestartsFromTheStartUnlessPlaying) {
    for (auto [mode, result, restarts] : {std::tuple{"stopped", 0, true}, {"", 0, true}, {"play", 0, true},
                                          {"playing", 0, false}, {"playing back", 0, false}, {"", 263, false}}) {
        Scripted rig;
        auto& [sender, sound, settings, music] = rig;
        sender.answers["status MP3Play mode"] = {0, "playing"};
        EXPECT_EQ(music.Mp3IsPlaying(), -1);
        sender.answers["status MP3Play mode"] = {result, mode, result == 0};
        sender.sent.clear();
        music.Mp3Rewind();
        Commands expected{"status MP3Play mode"};
        if (restarts) expected.insert(expected.end(), {"stop MP3Play", "play MP3Play from 0"});
        EXPECT_EQ(sender.sent, expected) << mode;
    }
}

TEST(WavMusic, LoopsWithoutDefaultSoundOnlyWithAWaveDeviceAndStopsWithNoName) {
    for (std::int64_t devices : {0, -1, 1, 3}) {
        Scripted rig;
        auto& [sender, sound, settings, music] = rig;
        sound.devices = devices;
        settings.BgmFile = R"(C:\My Music\loop.wav)";
        music.WavPlay();
        music.WavStop();
        decltype(sound.calls) expected = {{std::nullopt, 0}};
        // SND_ASYNC | SND_LOOP | SND_NODEFAULT: a WAV that cannot play must not loop the default sound.
        if (devices > 0) expected.emplace(expected.begin(), settings.BgmFile, 0x0001 | 0x0008 | 0x0002);
        EXPECT_EQ(sound.calls, expected) << devices;
        EXPECT_TRUE(sender.sent.empty());
    }
}

TEST(MusicModule, ASenderThatThrowsNeverEscapesTheRoutines) {
    Scripted rig;
    auto& [sender, sound, settings, music] = rig;
    sender.throwing = true;
    settings = {0, 1, 2, "x.mp3"};
    for (auto routine : {&MusicModule::CdOpen, &MusicModule::CdPoll, &MusicModule::CdPreviousTrack,
                         &MusicModule::CdNextTrack, &MusicModule::CdClose, &MusicModule::Mp3Open,
                         &MusicModule::Mp3Rewind, &MusicModule::Mp3Close}) {
        EXPECT_NO_THROW((music.*routine)());
    }
    EXPECT_FALSE(music.CdPolling());
}

}  // namespace
}  // namespace spindle
