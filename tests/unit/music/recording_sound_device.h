// A sound device for tests: a chosen number of wave outputs, and a record of every PlaySound call.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "music/sound_device_port.h"

namespace spindle::test {

class RecordingSoundDevice : public SoundDevicePort {
public:
    struct Call {
        std::optional<std::string> name;
        std::uint32_t flags;
        bool operator==(const Call&) const = default;
    };

    explicit RecordingSoundDevice(std::int64_t devices = 1) : devices_(devices) {}

    std::int64_t WaveOutDeviceCount() override { return devices_; }
    void Play(const std::optional<std::string>& name, std::uint32_t flags) override { calls_.push_back({name, flags}); }

    const std::vector<Call>& Calls() const { return calls_; }

private:
    std::int64_t devices_;
    std::vector<Call> calls_;
};

}  // namespace spindle::test
