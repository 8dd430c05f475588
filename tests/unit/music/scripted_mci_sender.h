// An MCI sender for tests: records every send and answers from a script of replies and results.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "music/mci_sender_port.h"

namespace spindle::test {

class ScriptedMciSender : public MciSenderPort {
public:
    struct Answer {
        std::int32_t result = 0;
        std::string reply;
        bool writesBuffer = true;  // false: the buffer keeps what it held
    };
    struct Sent {
        std::string command;
        std::size_t capacity;
    };

    // Commands without an answer succeed with an empty reply.
    void Reply(const std::string& command, Answer answer) { answers_[command] = std::move(answer); }
    void ErrorText(std::int32_t code, std::string text) { errorTexts_[code] = std::move(text); }
    void ThrowOnEverySend() { throwing_ = true; }

    std::int32_t SendString(std::string_view command, std::string* buffer, std::size_t capacity) override {
        sent_.push_back({std::string(command), buffer == nullptr ? 0 : capacity});
        if (throwing_) throw std::runtime_error("send failed");
        Answer answer;
        if (auto found = answers_.find(std::string(command)); found != answers_.end()) answer = found->second;
        if (buffer != nullptr && answer.writesBuffer) *buffer = answer.reply;
        return answer.result;
    }

    bool GetErrorString(std::int32_t code, std::string& text, std::size_t capacity) override {
        errorLookups_.push_back({code, capacity});
        auto found = errorTexts_.find(code);
        if (found == errorTexts_.end()) return false;
        text = found->second;
        return true;
    }

    const std::vector<Sent>& Sends() const { return sent_; }
    std::vector<std::string> Commands() const {
        std::vector<std::string> commands;
        for (const Sent& sent : sent_) commands.push_back(sent.command);
        return commands;
    }
    const std::vector<std::pair<std::int32_t, std::size_t>>& ErrorLookups() const { return errorLookups_; }
    void Clear() { sent_.clear(); }

private:
    std::map<std::string, Answer> answers_;
    std::map<std::int32_t, std::string> errorTexts_;
    std::vector<Sent> sent_;
    std::vector<std::pair<std::int32_t, std::size_t>> errorLookups_;
    bool throwing_ = false;
};

}  // namespace spindle::test
