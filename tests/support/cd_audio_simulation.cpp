// The simulated MCI "cdaudio" device.
#include "support/cd_audio_simulation.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <sstream>

namespace spindle::test {
namespace {

constexpr std::int64_t kFramesPerSecond = 75;

std::vector<std::string> LowerWords(std::string_view command) {
    std::string lower(command);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    std::istringstream in(lower);
    std::vector<std::string> words;
    for (std::string word; in >> word;) words.push_back(word);
    return words;
}

bool AllDigits(const std::string& text) {
    return !text.empty() && text.size() <= 9 && std::all_of(text.begin(), text.end(), [](char c) {
        return c >= '0' && c <= '9';
    });
}

std::vector<std::string> SplitColons(const std::string& text) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
        std::size_t colon = text.find(':', start);
        fields.push_back(text.substr(start, colon - start));
        if (colon == std::string::npos) return fields;
        start = colon + 1;
    }
}

// Minutes, seconds and frames ("MM:SS:FF") of a time.
std::string Msf(std::int64_t milliseconds) {
    std::int64_t frames = milliseconds * kFramesPerSecond / 1000;
    char text[32];
    std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld", static_cast<long long>(frames / (60 * kFramesPerSecond)),
                  static_cast<long long>(frames / kFramesPerSecond % 60), static_cast<long long>(frames % kFramesPerSecond));
    return text;
}

std::int64_t MsfToMilliseconds(std::int64_t minutes, std::int64_t seconds, std::int64_t frames) {
    return (minutes * 60 + seconds) * 1000 + frames * 1000 / kFramesPerSecond;
}

}  // namespace

void CdAudioSimulation::InsertDisc(const std::vector<int>& trackSeconds) {
    trackStarts_.clear();
    std::int64_t start = 0;
    for (int seconds : trackSeconds) {
        trackStarts_.push_back(start);
        start += static_cast<std::int64_t>(seconds) * 1000;
    }
    discLength_ = start;
    discPresent_ = !trackStarts_.empty();
    playing_ = false;
    position_ = 0;
}

void CdAudioSimulation::RemoveDisc() {
    discPresent_ = false;
    playing_ = false;
    trackStarts_.clear();
    discLength_ = 0;
    position_ = 0;
}

void CdAudioSimulation::AdvanceMilliseconds(std::int64_t milliseconds) {
    if (!playing_ || milliseconds <= 0) return;
    position_ += milliseconds;
    if (position_ < playEnd_) return;
    playing_ = false;
    position_ = playEnd_ >= discLength_ ? 0 : playEnd_;
}

int CdAudioSimulation::CurrentTrack() const {
    if (!discPresent_) return 0;
    auto after = std::upper_bound(trackStarts_.begin(), trackStarts_.end(), position_);
    return static_cast<int>(after - trackStarts_.begin());
}

std::int64_t CdAudioSimulation::MillisecondsIntoTrack() const {
    int track = CurrentTrack();
    return track == 0 ? 0 : position_ - trackStarts_[static_cast<std::size_t>(track - 1)];
}

std::vector<std::string> CdAudioSimulation::Commands() const {
    std::vector<std::string> commands;
    for (const Sent& sent : log_) commands.push_back(sent.command);
    return commands;
}

std::int32_t CdAudioSimulation::SendString(std::string_view command, std::string* buffer, std::size_t capacity) {
    std::string reply;
    std::int32_t result = Execute(LowerWords(command), reply);
    if (result == 0 && buffer != nullptr && capacity > 0) {
        if (reply.size() + 1 > capacity) {
            result = kMciErrParamOverflow;
        } else {
            *buffer = reply;
        }
    }
    log_.push_back({std::string(command), buffer == nullptr ? 0 : capacity, result});
    return result;
}

bool CdAudioSimulation::GetErrorString(std::int32_t code, std::string& text, std::size_t capacity) {
    static const std::map<std::int32_t, std::string> texts = {
        {kMciErrUnrecognizedKeyword, "The driver cannot recognize the command parameter."},
        {kMciErrUnrecognizedCommand, "The driver cannot recognize the command."},
        {kMciErrInvalidDeviceName, "The device is not open or is not recognized by MCI."},
        {kMciErrDeviceOpen, "The device name is already being used as an alias by this application."},
        {kMciErrParamOverflow, "The output string was too large to fit in the return buffer."},
        {kMciErrBadInteger, "The integer is invalid for this command."},
        {kMciErrMissingParameter, "The command requires a parameter."},
        {kMciErrDeviceNotReady, "The device is not ready."},
        {kMciErrOutOfRange, "The parameter is out of range for the command."},
        {kMciErrBadTimeFormat, "The value for the time format is invalid."},
    };
    auto found = texts.find(code);
    if (errorTextsMissing_ || found == texts.end() || capacity == 0) return false;
    text = found->second.substr(0, capacity - 1);
    return true;
}

std::int32_t CdAudioSimulation::Execute(const std::vector<std::string>& words, std::string& reply) {
    if (words.empty()) return kMciErrUnrecognizedCommand;
    static const std::vector<std::string> verbs = {"open", "set", "status", "play", "stop", "close"};
    if (std::find(verbs.begin(), verbs.end(), words[0]) == verbs.end()) return kMciErrUnrecognizedCommand;
    // This device is only ever addressed by its own name; an unopened device is an unknown name.
    if (words.size() < 2 || words[1] != "cdaudio") return kMciErrInvalidDeviceName;
    const std::string& verb = words[0];
    if (verb == "open") {
        if (words.size() > 2) return kMciErrUnrecognizedKeyword;
        if (open_) return kMciErrDeviceOpen;
        open_ = true;
        timeFormat_ = TimeFormat::Msf;
        return 0;
    }
    if (!open_) return kMciErrInvalidDeviceName;
    if (verb == "close") {
        if (words.size() > 2) return kMciErrUnrecognizedKeyword;
        open_ = false;
        playing_ = false;
        return 0;
    }
    if (verb == "set") {
        if (words.size() != 5 || words[2] != "time" || words[3] != "format") return kMciErrUnrecognizedKeyword;
        if (words[4] == "tmsf") {
            timeFormat_ = TimeFormat::Tmsf;
        } else if (words[4] == "msf") {
            timeFormat_ = TimeFormat::Msf;
        } else if (words[4] == "milliseconds" || words[4] == "ms") {
            timeFormat_ = TimeFormat::Milliseconds;
        } else {
            return kMciErrBadTimeFormat;
        }
        return 0;
    }
    if (verb == "status") return Status(words, reply);
    if (verb == "stop") {
        if (words.size() > 2) return kMciErrUnrecognizedKeyword;
        if (!discPresent_) return kMciErrDeviceNotReady;
        playing_ = false;
        return 0;
    }
    return Play(words);
}

std::int32_t CdAudioSimulation::Status(const std::vector<std::string>& words, std::string& reply) {
    std::vector<std::string> item(words.begin() + 2, words.end());
    using Words = std::vector<std::string>;
    if (item == Words{"mode"}) {
        reply = !discPresent_ ? "not ready" : playing_ ? "playing" : "stopped";
        return 0;
    }
    if (item == Words{"media", "present"}) {
        reply = discPresent_ ? "true" : "false";
        return 0;
    }
    if (item.empty()) return kMciErrMissingParameter;
    if (!discPresent_) return kMciErrDeviceNotReady;
    if (item == Words{"current", "track"}) {
        reply = std::to_string(CurrentTrack());
        return 0;
    }
    if (item == Words{"number", "of", "tracks"}) {
        reply = std::to_string(TrackCount());
        return 0;
    }
    if (item == Words{"position"}) {
        reply = FormatPosition(position_);
        return 0;
    }
    if (item.size() == 3 && item[0] == "position" && item[1] == "track") {
        int track = 0;
        if (std::int32_t result = ParseTrackNumber(item[2], track); result != 0) return result;
        reply = FormatPosition(trackStarts_[static_cast<std::size_t>(track - 1)]);
        return 0;
    }
    return kMciErrUnrecognizedKeyword;
}

std::int32_t CdAudioSimulation::Play(const std::vector<std::string>& words) {
    std::optional<std::int64_t> from;
    std::optional<std::int64_t> to;
    for (std::size_t i = 2; i < words.size(); i += 2) {
        if (words[i] != "from" && words[i] != "to") return kMciErrUnrecognizedKeyword;
        if (i + 1 >= words.size()) return kMciErrMissingParameter;
        std::int64_t milliseconds = 0;
        if (std::int32_t result = ParsePosition(words[i + 1], milliseconds); result != 0) return result;
        (words[i] == "from" ? from : to) = milliseconds;
    }
    if (!discPresent_) return kMciErrDeviceNotReady;
    std::int64_t start = from.value_or(position_ >= discLength_ ? 0 : position_);
    std::int64_t end = to.value_or(discLength_);
    if (start >= discLength_ || end > discLength_ || end < start) return kMciErrOutOfRange;
    position_ = start;
    playEnd_ = end;
    playing_ = start < end;
    return 0;
}

std::int32_t CdAudioSimulation::ParseTrackNumber(const std::string& text, int& track) const {
    std::string digits = text.size() > 1 && text[0] == '-' ? text.substr(1) : text;
    if (!AllDigits(digits)) return kMciErrBadInteger;
    long number = std::stol(text);
    if (number < 1 || number > TrackCount()) return kMciErrOutOfRange;
    track = static_cast<int>(number);
    return 0;
}

std::int32_t CdAudioSimulation::ParsePosition(const std::string& text, std::int64_t& milliseconds) const {
    std::vector<std::string> fields = SplitColons(text);
    for (const std::string& field : fields) {
        if (!AllDigits(field)) return kMciErrBadInteger;
    }
    std::vector<std::int64_t> n;
    for (const std::string& field : fields) n.push_back(std::stoll(field));
    switch (timeFormat_) {
        case TimeFormat::Milliseconds:
            if (n.size() != 1) return kMciErrBadInteger;
            milliseconds = n[0];
            return 0;
        case TimeFormat::Msf:
            if (n.size() > 3) return kMciErrBadInteger;
            n.resize(3, 0);
            milliseconds = MsfToMilliseconds(n[0], n[1], n[2]);
            return 0;
        case TimeFormat::Tmsf:
            if (n.size() > 4) return kMciErrBadInteger;
            n.resize(4, 0);
            if (n[0] < 1 || n[0] > TrackCount()) return kMciErrOutOfRange;
            milliseconds = trackStarts_[static_cast<std::size_t>(n[0] - 1)] + MsfToMilliseconds(n[1], n[2], n[3]);
            return 0;
    }
    return kMciErrBadTimeFormat;
}

std::string CdAudioSimulation::FormatPosition(std::int64_t milliseconds) const {
    switch (timeFormat_) {
        case TimeFormat::Milliseconds:
            return std::to_string(milliseconds);
        case TimeFormat::Msf:
            return Msf(milliseconds);
        case TimeFormat::Tmsf: {
            auto after = std::upper_bound(trackStarts_.begin(), trackStarts_.end(), milliseconds);
            std::size_t track = static_cast<std::size_t>(after - trackStarts_.begin());
            char prefix[8];
            std::snprintf(prefix, sizeof prefix, "%02zu:", track);
            return prefix + Msf(milliseconds - trackStarts_[track - 1]);
        }
    }
    return {};
}

}  // namespace spindle::test
