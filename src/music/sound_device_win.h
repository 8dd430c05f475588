// The sound device over winmm's waveOutGetNumDevs and PlaySoundW.
#pragma once

#include "music/sound_device_port.h"

namespace spindle {

class WinSoundDevice : public SoundDevicePort {
public:
    std::int64_t WaveOutDeviceCount() override;
    void Play(const std::optional<std::string>& name, std::uint32_t flags) override;
};

}  // namespace spindle
