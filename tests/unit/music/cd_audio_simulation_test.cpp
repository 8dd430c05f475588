// The simulated CD drive answers as the music routines expect a cdaudio device to.
#include "support/cd_audio_simulation.h"

#include <gtest/gtest.h>

namespace spindle::test {
namespace {

std::pair<std::int32_t, std::string> Ask(CdAudioSimulation& drive, const std::string& command) {
    std::string reply = "untouched";
    std::int32_t result = drive.SendString(command, &reply, 512);
    return {result, reply};
}

TEST(CdAudioSimulation, EverythingButOpenFailsWhileClosed) {
    CdAudioSimulation drive({60, 60});
    for (const char* command : {"status cdaudio mode", "play cdaudio", "stop cdaudio", "close cdaudio",
                                "set cdaudio time format tmsf"}) {
        auto [result, reply] = Ask(drive, command);
        EXPECT_EQ(result, kMciErrInvalidDeviceName) << command;
        EXPECT_EQ(reply, "untouched") << command;
    }
    EXPECT_EQ(Ask(drive, "open cdaudio").first, 0);
    EXPECT_EQ(Ask(drive, "open cdaudio").first, kMciErrDeviceOpen);
    EXPECT_EQ(Ask(drive, "status MP3Play mode").first, kMciErrInvalidDeviceName);
    EXPECT_EQ(Ask(drive, "close cdaudio").first, 0);
    EXPECT_EQ(Ask(drive, "status cdaudio mode").first, kMciErrInvalidDeviceName);
}

TEST(CdAudioSimulation, StatusRepliesInTmsf) {
    CdAudioSimulation drive({60, 90, 30});
    Ask(drive, "open cdaudio");
    Ask(drive, "set cdaudio time format tmsf");
    struct Case {
        const char* command;
        std::int32_t result;
        const char* reply;
    } cases[] = {
        {"status cdaudio number of tracks", 0, "3"},
        {"status cdaudio current track", 0, "1"},
        {"status cdaudio mode", 0, "stopped"},
        {"status cdaudio position track 2", 0, "02:00:00:00"},
        {"STATUS CDAUDIO POSITION TRACK 3", 0, "03:00:00:00"},
        {"status cdaudio position track 0", kMciErrOutOfRange, "untouched"},
        {"status cdaudio position track 4", kMciErrOutOfRange, "untouched"},
        {"status cdaudio position track -1", kMciErrOutOfRange, "untouched"},
        {"status cdaudio position track x", kMciErrBadInteger, "untouched"},
        {"status cdaudio loudness", kMciErrUnrecognizedKeyword, "untouched"},
        {"eject cdaudio", kMciErrUnrecognizedCommand, "untouched"},
    };
    for (const Case& c : cases) {
        auto [result, reply] = Ask(drive, c.command);
        EXPECT_EQ(result, c.result) << c.command;
        EXPECT_EQ(reply, c.reply) << c.command;
    }
}

TEST(CdAudioSimulation, PlayFromATrackRunsToTheEndOfTheDiscThenRestsAtTheStart) {
    CdAudioSimulation drive({60, 90, 30});
    Ask(drive, "open cdaudio");
    Ask(drive, "set cdaudio time format tmsf");
    EXPECT_EQ(Ask(drive, "play cdaudio from 02:00:20:00").first, 0);
    EXPECT_EQ(Ask(drive, "status cdaudio mode").second, "playing");
    drive.AdvanceMilliseconds(60'000);
    EXPECT_EQ(Ask(drive, "status cdaudio current track").second, "2");
    EXPECT_EQ(Ask(drive, "status cdaudio position").second, "02:01:20:00");
    drive.AdvanceMilliseconds(10'000);
    EXPECT_EQ(Ask(drive, "status cdaudio current track").second, "3");
    drive.AdvanceMilliseconds(30'000);
    EXPECT_EQ(Ask(drive, "status cdaudio mode").second, "stopped");
    EXPECT_EQ(Ask(drive, "status cdaudio current track").second, "1");
}

TEST(CdAudioSimulation, PlayToStopsThere) {
    CdAudioSimulation drive({60, 90, 30});
    Ask(drive, "open cdaudio");
    Ask(drive, "set cdaudio time format tmsf");
    EXPECT_EQ(Ask(drive, "play cdaudio from 1 to 2").first, 0);
    drive.AdvanceMilliseconds(60'000);
    EXPECT_EQ(Ask(drive, "status cdaudio mode").second, "stopped");
    EXPECT_EQ(Ask(drive, "status cdaudio position").second, "02:00:00:00");
}

TEST(CdAudioSimulation, RejectsPositionsOffTheDisc) {
    CdAudioSimulation drive({60, 90});
    Ask(drive, "open cdaudio");
    Ask(drive, "set cdaudio time format tmsf");
    for (const char* command : {"play cdaudio from Error:282", "play cdaudio from 3", "play cdaudio from 0",
                                "play cdaudio from", "play cdaudio sideways", "play cdaudio from 02:05:00:00"}) {
        EXPECT_NE(Ask(drive, command).first, 0) << command;
        EXPECT_FALSE(drive.IsPlaying()) << command;
    }
}

TEST(CdAudioSimulation, NoDiscAnswersNotReady) {
    CdAudioSimulation drive;
    Ask(drive, "open cdaudio");
    EXPECT_EQ(Ask(drive, "status cdaudio current track").first, kMciErrDeviceNotReady);
    EXPECT_EQ(Ask(drive, "status cdaudio number of tracks").first, kMciErrDeviceNotReady);
    EXPECT_EQ(Ask(drive, "play cdaudio").first, kMciErrDeviceNotReady);
    EXPECT_EQ(Ask(drive, "status cdaudio mode").second, "not ready");
}

TEST(CdAudioSimulation, ReplyLongerThanTheBufferIsAnError) {
    CdAudioSimulation drive({60});
    Ask(drive, "open cdaudio");
    Ask(drive, "set cdaudio time format tmsf");
    std::string reply = "kept";
    EXPECT_EQ(drive.SendString("status cdaudio position track 1", &reply, 5), kMciErrParamOverflow);
    EXPECT_EQ(reply, "kept");
}

}  // namespace
}  // namespace spindle::test
