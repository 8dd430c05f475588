// The MCI command channel: replies, error texts, error markers and the play commands it builds.
#include "music/mci_channel.h"

#include <gtest/gtest.h>

#include "unit/music/scripted_mci_sender.h"

namespace spindle {
namespace {

using test::ScriptedMciSender;

TEST(MciChannel, EmptyCommandIsNeverSent) {
    ScriptedMciSender sender;
    MciChannel channel(sender);
    std::string reply = "old";
    EXPECT_EQ(channel.MciSend("", reply), -1);
    EXPECT_EQ(reply, "コマンド文字列が指定されていません");
    EXPECT_EQ(channel.MciQuery(""), "Error:-1");
    EXPECT_TRUE(sender.Sends().empty());
    EXPECT_TRUE(sender.ErrorLookups().empty());
}

TEST(MciChannel, SuccessGivesTheReplyUpToItsFirstNul) {
    ScriptedMciSender sender;
    sender.Reply("status cdaudio mode", {0, std::string("stopped\0garbage", 15)});
    MciChannel channel(sender);
    std::string reply = "old";
    EXPECT_EQ(channel.MciSend("status cdaudio mode", reply), 0);
    EXPECT_EQ(reply, "stopped");
    ASSERT_EQ(sender.Sends().size(), 1u);
    EXPECT_EQ(sender.Sends()[0].capacity, 512u);
}

TEST(MciChannel, SuccessWithoutReplyGivesEmptyText) {
    ScriptedMciSender sender;
    sender.Reply("status cdaudio mode", {0, "playing"});
    MciChannel channel(sender);
    EXPECT_EQ(channel.MciQuery("status cdaudio mode"), "playing");
    std::string reply = "old";
    EXPECT_EQ(channel.MciSend("play cdaudio", reply), 0);
    EXPECT_EQ(reply, "");
}

TEST(MciChannel, FailureGivesTheErrorTextAndCode) {
    ScriptedMciSender sender;
    sender.Reply("status nothing mode", {263, "", false});
    sender.ErrorText(263, std::string("The device is not open.\0tail", 28));
    MciChannel channel(sender);
    std::string reply;
    EXPECT_EQ(channel.MciSend("status nothing mode", reply), 263);
    EXPECT_EQ(reply, "The device is not open.");
    ASSERT_EQ(sender.ErrorLookups().size(), 1u);
    EXPECT_EQ(sender.ErrorLookups()[0], std::make_pair(263, std::size_t{256}));
}

TEST(MciChannel, FailureWithoutErrorTextGivesTheFixedText) {
    ScriptedMciSender sender;
    sender.Reply("status cdaudio mode", {99999, ""});
    MciChannel channel(sender);
    std::string reply;
    EXPECT_EQ(channel.MciSend("status cdaudio mode", reply), 99999);
    EXPECT_EQ(reply, "Error (文字列が取れません)");
}

TEST(MciChannel, FailedQueryGivesTheMarkerWithoutBlank) {
    ScriptedMciSender sender;
    sender.Reply("status cdaudio current track", {263, ""});
    sender.ErrorText(263, "The device is not open.");
    MciChannel channel(sender);
    std::string result = channel.MciQuery("status cdaudio current track");
    EXPECT_EQ(result, "Error:263");
    EXPECT_TRUE(IsMciErrorReply(result));
    // The readable text is not what the query returns, but it is what the last reply holds.
    EXPECT_EQ(channel.LastReplyText(), "The device is not open.");
}

TEST(MciChannel, ErrorMarkerIsRecognisedInAnyCase) {
    struct Case {
        const char* reply;
        bool error;
    } cases[] = {{"Error:263", true}, {"error:1", true}, {"xERRx", true}, {"3", false}, {"", false},
                 {"playing", false}, {"Er r", false}};
    for (const Case& c : cases) EXPECT_EQ(IsMciErrorReply(c.reply), c.error) << c.reply;
}

TEST(MciChannel, PlayRangeBuildsFourForms) {
    struct Case {
        const char* from;
        const char* to;
        const char* command;
    } cases[] = {
        {"03:00:00:00", "05:00:00:00", "play cdaudio from 03:00:00:00 to 05:00:00:00"},
        {"03:00:00:00", "", "play cdaudio from 03:00:00:00"},
        {"", "05:00:00:00", "play cdaudio to 05:00:00:00"},
        {"", "", "play cdaudio"},
        // Positions pass unchanged, an error marker included.
        {"Error:282", "", "play cdaudio from Error:282"},
    };
    for (const Case& c : cases) {
        ScriptedMciSender sender;
        MciChannel channel(sender);
        EXPECT_EQ(channel.CdPlayRange("cdaudio", c.from, c.to), 0);
        ASSERT_EQ(sender.Commands(), std::vector<std::string>{c.command});
    }
}

TEST(MciChannel, PlayRangeReturnsTheCodeAndLeavesTheTextInTheLastReply) {
    ScriptedMciSender sender;
    sender.Reply("play cdaudio from Error:282", {270, ""});
    sender.ErrorText(270, "bad integer");
    MciChannel channel(sender);
    EXPECT_EQ(channel.CdPlayRange("cdaudio", "Error:282", ""), 270);
    EXPECT_EQ(channel.LastReplyText(), "bad integer");
}

}  // namespace
}  // namespace spindle
