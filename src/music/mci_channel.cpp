// The MCI command channel.
#include "music/mci_channel.h"

#include "runtime/text_utf8.h"

namespace spindle {
namespace {

std::string UpToFirstNul(const std::string& buffer) { return buffer.substr(0, buffer.find('\0')); }

}  // namespace

std::int32_t MciChannel::MciSend(std::string_view command, std::string& replyText) {
    if (command.empty()) {
        replyText = kMciNoCommandText;
        return kMciNoCommand;
    }
    std::int32_t result = sender_.SendString(command, &replyBuffer_, kMciReplyCapacity);
    if (result != 0) {
        if (sender_.GetErrorString(result, errorTextBuffer_, kMciErrorTextCapacity)) {
            replyText = UpToFirstNul(errorTextBuffer_);
        } else {
            replyText = kMciNoErrorText;
        }
        return result;
    }
    replyText = UpToFirstNul(replyBuffer_);
    return 0;
}

std::string MciChannel::MciQuery(std::string_view command) {
    std::int32_t result = MciSend(command, lastReplyText_);
    if (result != 0) return "Error:" + std::to_string(result);
    return lastReplyText_;
}

std::int32_t MciChannel::CdPlayRange(std::string_view device, std::string_view from, std::string_view to) {
    std::string command = "play ";
    command += device;
    if (!from.empty()) {
        command += " from ";
        command += from;
    }
    if (!to.empty()) {
        command += " to ";
        command += to;
    }
    return MciSend(command, lastReplyText_);
}

bool IsMciErrorReply(std::string_view reply) { return UpperAscii(reply).find("ERR") != std::string::npos; }

}  // namespace spindle
