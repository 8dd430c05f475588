// A simulated MCI "cdaudio" drive behind the MCI sender port: a disc (or none) of whole-second
// tracks, positions in tmsf, and a clock that only the test moves. Opening and the time format are
// not modelled: the tests check the module's commands for those themselves.
#pragma once

#include <cstdint>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "music/mci_sender_port.h"

namespace spindle::test {

class CdAudioSimulation : public MciSenderPort {
public:
    // MCI's numbers for: unknown command, device not open, bad integer, not ready, out of range.
    static constexpr std::int32_t kUnknown = 261, kNotOpen = 263, kBadInteger = 270, kNotReady = 276, kOutOfRange = 282;

    explicit CdAudioSimulation(const std::vector<int>& trackSeconds = {}) {
        for (int seconds : trackSeconds) starts_.push_back(length_), length_ += seconds * 1000;
    }
    // Play runs to the end of the disc, which then stops and rests at its start.
    void AdvanceMilliseconds(std::int64_t milliseconds) {
        if (playing_ && (position_ += milliseconds) >= length_) playing_ = false, position_ = 0;
    }
    bool IsPlaying() const { return playing_; }
    int CurrentTrack() const {
        int track = 0;
        while (track < static_cast<int>(starts_.size()) && starts_[track] <= position_) ++track;
        return track;
    }
    std::int64_t MillisecondsIntoTrack() const { return CurrentTrack() ? position_ - starts_[CurrentTrack() - 1] : 0; }
    // How many of the commands sent began with the prefix.
    int Count(const std::string& prefix) const {
        int count = 0;
        for (const std::string& command : log) count += command.rfind(prefix, 0) == 0;
        return count;
    }
    std::vector<std::string> log;

    std::int32_t SendString(std::string_view command, std::string* buffer, std::size_t capacity) override {
        log.emplace_back(command);
        std::string reply;
        const std::int32_t result = Execute(std::string(command), reply);
        if (result == 0 && buffer != nullptr && capacity > 0) *buffer = reply;
        return result;
    }
    bool GetErrorString(std::int32_t, std::string&, std::size_t) override { return false; }

private:
    std::int32_t Execute(const std::string& command, std::string& reply) {
        std::istringstream words(command);
        std::string verb, device, rest, word;
        words >> verb >> device;
        while (words >> word) rest += (rest.empty() ? "" : " ") + word;
        if (device != "cdaudio") return kNotOpen;
        if (verb == "open" || verb == "set") return 0;
        if (verb == "close") {
            playing_ = false;
        } else if (verb == "status" && rest == "mode") {
            reply = starts_.empty() ? "not ready" : playing_ ? "playing" : "stopped";
        } else if (starts_.empty()) {
            return kNotReady;
        } else if ((verb == "stop" || verb == "play") && rest.empty()) {
            playing_ = verb == "play";  // plain play goes on from where the head stands
        } else if (verb == "status" && rest == "current track") {
            reply = std::to_string(CurrentTrack());
        } else if (verb == "status" && rest == "number of tracks") {
            reply = std::to_string(starts_.size());
        } else {
            return Position(verb == "status" && rest.rfind("position track ", 0) == 0, verb == "play", rest, reply);
        }
        return 0;
    }

    // "status cdaudio position track N" or "play cdaudio from T:M:S:F", to the end of the disc.
    std::int32_t Position(bool status, bool play, const std::string& rest, std::string& reply) {
        int track = 0, minutes = 0, seconds = 0, frames = 0;
        if (!status && !(play && rest.rfind("from ", 0) == 0)) return kUnknown;
        if (std::sscanf(rest.c_str() + (status ? 15 : 5), "%d:%d:%d:%d", &track, &minutes, &seconds, &frames) < 1)
            return kBadInteger;
        const bool onDisc = track >= 1 && track <= static_cast<int>(starts_.size());
        const std::int64_t start = onDisc ? starts_[track - 1] + (minutes * 60 + seconds) * 1000 + frames * 1000 / 75 : length_;
        if (start >= length_) return kOutOfRange;
        char tmsf[48];
        std::snprintf(tmsf, sizeof tmsf, "%02d:%02d:%02d:%02d", track, minutes, seconds, frames);
        if (status) reply = tmsf;
        if (play) position_ = start, playing_ = true;
        return 0;
    }

    bool playing_ = false;
    std::vector<std::int64_t> starts_;  // milliseconds from the start of the disc
    std::int64_t length_ = 0, position_ = 0;
};

}  // namespace spindle::test
