// The seam to the platform's wave output: how many devices exist, and the PlaySound call.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace spindle {

inline constexpr std::uint32_t kSoundAsync = 0x0001;  // SND_ASYNC
inline constexpr std::uint32_t kSoundLoop = 0x0008;   // SND_LOOP
inline constexpr std::uint32_t kSoundNoDefault = 0x0002;  // SND_NODEFAULT

class SoundDevicePort {
public:
    virtual ~SoundDevicePort() = default;
    // waveOutGetNumDevs.
    virtual std::int64_t WaveOutDeviceCount() = 0;
    // PlaySound(name, no module, flags); no name stops what the call is playing.
    virtual void Play(const std::optional<std::string>& name, std::uint32_t flags) = 0;
};

}  // namespace spindle
