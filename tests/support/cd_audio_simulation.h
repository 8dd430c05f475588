// A simulated MCI "cdaudio" drive behind the MCI sender port: a disc (or none) of one-minute tracks,
// positions in tmsf, and a clock that only the test moves. A script may answer any command in the
// drive's place (other devices, odd replies); opening and the time format are the tests' to check.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "music/mci_sender_port.h"

namespace spindle::test {

class CdAudioSimulation : public MciSenderPort {
public:
    // MCI's numbers for: unknown command, bad integer, not ready, out of range.
    static constexpr std::int32_t kUnknown = 261, kBadInteger = 270, kNotReady = 276, kOutOfRange = 282;
    struct Answer {
        std::int32_t result = 0;
        std::string reply;
        bool writesBuffer = true;  // false: the buffer keeps what it held
    };
    std::map<std::string, Answer> script;
    std::map<std::int32_t, std::string> errorTexts;  // what the platform's error lookup knows
    bool throwing = false;
    std::vector<std::string> log;
    std::vector<std::size_t> capacities;  // of each send with a buffer and each error lookup

    explicit CdAudioSimulation(int tracks = 0) : tracks_(tracks) {}

    // Play runs to the end of the disc, which then stops and rests at its start.
    void AdvanceMilliseconds(std::int64_t milliseconds) {
        if (playing_ && (position_ += milliseconds) >= tracks_ * kTrack) playing_ = false, position_ = 0;
    }
    bool IsPlaying() const { return playing_; }
    int CurrentTrack() const { return tracks_ ? static_cast<int>(position_ / kTrack) + 1 : 0; }
    std::int64_t MillisecondsIntoTrack() const { return position_ % kTrack; }
    // How many of the commands sent began with the prefix.
    int Count(const std::string& prefix) const {
        const auto begins = [&](const std::string& command) { return command.rfind(prefix, 0) == 0; };
        return static_cast<int>(std::count_if(log.begin(), log.end(), begins));
    }

    std::int32_t SendString(std::string_view command, std::string* buffer, std::size_t capacity) override {
        if (throwing) throw std::runtime_error("send failed");
        log.emplace_back(command);
        if (buffer != nullptr) capacities.push_back(capacity);
        Answer answer;
        if (script.count(log.back())) {
            answer = script[log.back()];
        } else {
            answer.result = Execute(log.back(), answer.reply);
            answer.writesBuffer = answer.result == 0;
        }
        if (buffer != nullptr && answer.writesBuffer) *buffer = answer.reply;
        return answer.result;
    }
    bool GetErrorString(std::int32_t code, std::string& text, std::size_t capacity) override {
        capacities.push_back(capacity);
        if (errorTexts.count(code)) text = errorTexts[code];
        return errorTexts.count(code) != 0;
    }

private:
    static constexpr std::int64_t kTrack = 60'000;

    std::int32_t Execute(const std::string& command, std::string& reply) {
        const bool play = command.rfind("play cdaudio from ", 0) == 0;
        if (command == "open cdaudio" || command == "set cdaudio time format tmsf") return 0;
        if (command == "close cdaudio") {
            playing_ = false;
        } else if (command == "status cdaudio mode") {
            reply = tracks_ == 0 ? "not ready" : playing_ ? "playing" : "stopped";
        } else if (tracks_ == 0) {
            return kNotReady;
        } else if (command == "stop cdaudio" || command == "play cdaudio") {
            playing_ = command[1] == 'l';  // plain play goes on from where the head stands
        } else if (command == "status cdaudio current track") {
            reply = std::to_string(CurrentTrack());
        } else if (command == "status cdaudio number of tracks") {
            reply = std::to_string(tracks_);
        } else if (play || command.rfind("status cdaudio position track ", 0) == 0) {
            int track = 0, minutes = 0, seconds = 0, frames = 0;
            if (std::sscanf(command.c_str() + (play ? 18 : 30), "%d:%d:%d:%d", &track, &minutes, &seconds, &frames) < 1)
                return kBadInteger;
            if (track < 1 || track > tracks_ || minutes > 0) return kOutOfRange;
            char tmsf[48];
            std::snprintf(tmsf, sizeof tmsf, "%02d:%02d:%02d:%02d", track, minutes, seconds, frames);
            if (!play) reply = tmsf;
            if (play) position_ = (track - 1) * kTrack + seconds * 1000 + frames * 1000 / 75, playing_ = true;
        } else {
            return kUnknown;
        }
        return 0;
    }

    int tracks_;
    bool playing_ = false;
    std::int64_t position_ = 0;  // milliseconds from the start of the disc
};

}  // namespace spindle::test
