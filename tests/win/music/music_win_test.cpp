// The MCI channel over the real winmm under Wine: a reply, the system's error text and marker,
// and no text for a code the system does not know (the channel then gives its fixed text).
#include <gtest/gtest.h>

#include "music/mci_channel.h"
#include "music/mci_sender_win.h"
#include "runtime/conversions.h"

namespace spindle {
namespace {

TEST(MciChannelOnWinmm, RepliesErrorTextsAndMarkers) {
    WinMciSender sender;
    MciChannel channel(sender);
    std::string text;
    EXPECT_EQ(channel.MciSend("sysinfo all quantity", text), 0);
    EXPECT_GE(LeadingNumber(text), 1.0) << text;
    std::int32_t code = channel.MciSend("status SpindleNoSuchAlias mode", text);
    EXPECT_GT(code, 256);
    EXPECT_FALSE(text.empty());
    EXPECT_NE(text, kMciNoErrorText);
    EXPECT_EQ(channel.MciQuery("status SpindleNoSuchAlias mode"), "Error:" + std::to_string(code));
    EXPECT_FALSE(sender.GetErrorString(99999, text, kMciErrorTextCapacity));
}

}  // namespace
}  // namespace spindle
