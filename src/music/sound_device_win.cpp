// The sound device over waveOutGetNumDevs and PlaySoundW.
#include "music/sound_device_win.h"

#include <windows.h>
#include <mmsystem.h>

#include "runtime/wide_text_win.h"

namespace spindle {

std::int64_t WinSoundDevice::WaveOutDeviceCount() { return static_cast<std::int64_t>(waveOutGetNumDevs()); }

void WinSoundDevice::Play(const std::optional<std::string>& name, std::uint32_t flags) {
    if (!name) {
        ::PlaySoundW(nullptr, nullptr, flags);
        return;
    }
    std::wstring wideName = Utf8ToWide(*name);
    ::PlaySoundW(wideName.c_str(), nullptr, flags);
}

}  // namespace spindle
