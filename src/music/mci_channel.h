// The MCI command channel: sends whose outcome matters, with readable errors and error markers.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "music/mci_sender_port.h"

namespace spindle {

inline constexpr std::size_t kMciReplyCapacity = 512;
inline constexpr std::size_t kMciErrorTextCapacity = 256;

// Result code for a send that had no command: a value the platform never returns.
inline constexpr std::int32_t kMciNoCommand = -1;

inline constexpr std::string_view kMciNoCommandText = "コマンド文字列が指定されていません";
inline constexpr std::string_view kMciNoErrorText = "Error (文字列が取れません)";

class MciChannel {
public:
    explicit MciChannel(MciSenderPort& sender) : sender_(sender) {}
    MciChannel(const MciChannel&) = delete;
    MciChannel& operator=(const MciChannel&) = delete;

    // Sends the command; replyText receives the reply, or the error's readable text on failure.
    std::int32_t MciSend(std::string_view command, std::string& replyText);

    // The reply, or "Error:" and the result code's digits when the send failed.
    std::string MciQuery(std::string_view command);

    // "play <device>[ from <from>][ to <to>]"; the positions are passed on unchanged.
    std::int32_t CdPlayRange(std::string_view device, std::string_view from, std::string_view to);

    const std::string& LastReplyText() const { return lastReplyText_; }

private:
    MciSenderPort& sender_;
    // Shared by every send, as the platform call wants a buffer of fixed capacity.
    std::string replyBuffer_;
    std::string errorTextBuffer_;
    std::string lastReplyText_;
};

// True when a reply is the channel's error marker (or any other text carrying ERR).
bool IsMciErrorReply(std::string_view reply);

}  // namespace spindle
