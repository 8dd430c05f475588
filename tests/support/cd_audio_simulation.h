// A simulated MCI "cdaudio" device behind the MCI sender port, for tests: a drive with or without a
// disc, tracks of given lengths, play/stop/status in tmsf, msf or milliseconds, and a clock that
// only the test moves. Commands for any other device fail as for a device that was never opened.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "music/mci_sender_port.h"

namespace spindle::test {

// The platform's MCI error numbers this device gives.
inline constexpr std::int32_t kMciErrUnrecognizedKeyword = 259;
inline constexpr std::int32_t kMciErrUnrecognizedCommand = 261;
inline constexpr std::int32_t kMciErrInvalidDeviceName = 263;
inline constexpr std::int32_t kMciErrDeviceOpen = 265;
inline constexpr std::int32_t kMciErrParamOverflow = 268;
inline constexpr std::int32_t kMciErrBadInteger = 270;
inline constexpr std::int32_t kMciErrMissingParameter = 273;
inline constexpr std::int32_t kMciErrDeviceNotReady = 276;
inline constexpr std::int32_t kMciErrOutOfRange = 282;
inline constexpr std::int32_t kMciErrBadTimeFormat = 293;

class CdAudioSimulation : public MciSenderPort {
public:
    struct Sent {
        std::string command;
        std::size_t capacity;
        std::int32_t result;
    };

    CdAudioSimulation() = default;
    // A drive holding a disc whose tracks last the given numbers of seconds.
    explicit CdAudioSimulation(const std::vector<int>& trackSeconds) { InsertDisc(trackSeconds); }

    void InsertDisc(const std::vector<int>& trackSeconds);
    // Takes the disc out; a playing disc stops.
    void RemoveDisc();
    // Moves the device's clock on. Play runs to its end point; at the end of the disc the drive
    // stops and rests at the start of the disc, as a player does.
    void AdvanceMilliseconds(std::int64_t milliseconds);
    // When set, the error-text lookup finds no text for any code.
    void SetErrorTextsMissing(bool missing) { errorTextsMissing_ = missing; }

    bool IsOpen() const { return open_; }
    bool IsPlaying() const { return playing_; }
    // The track under the read head (0 without a disc), and the time into it.
    int CurrentTrack() const;
    std::int64_t MillisecondsIntoTrack() const;
    int TrackCount() const { return static_cast<int>(trackStarts_.size()); }

    const std::vector<Sent>& Log() const { return log_; }
    std::vector<std::string> Commands() const;
    void ClearLog() { log_.clear(); }

    std::int32_t SendString(std::string_view command, std::string* buffer, std::size_t capacity) override;
    bool GetErrorString(std::int32_t code, std::string& text, std::size_t capacity) override;

private:
    enum class TimeFormat { Tmsf, Msf, Milliseconds };

    std::int32_t Execute(const std::vector<std::string>& words, std::string& reply);
    std::int32_t Status(const std::vector<std::string>& words, std::string& reply);
    std::int32_t Play(const std::vector<std::string>& words);
    // A position text in the current time format, as milliseconds from the start of the disc.
    std::int32_t ParsePosition(const std::string& text, std::int64_t& milliseconds) const;
    std::string FormatPosition(std::int64_t milliseconds) const;
    std::int32_t ParseTrackNumber(const std::string& text, int& track) const;
    std::int64_t DiscLength() const { return discLength_; }

    bool open_ = false;
    bool discPresent_ = false;
    bool playing_ = false;
    bool errorTextsMissing_ = false;
    TimeFormat timeFormat_ = TimeFormat::Msf;
    std::vector<std::int64_t> trackStarts_;  // milliseconds from the start of the disc
    std::int64_t discLength_ = 0;
    std::int64_t position_ = 0;
    std::int64_t playEnd_ = 0;
    std::vector<Sent> log_;
};

}  // namespace spindle::test
