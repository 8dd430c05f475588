// The sound device over waveOutGetNumDevs and PlaySoundW (winmm from System32).
#include "music/sound_device_win.h"

#include "runtime/system_library_win.h"
#include "runtime/wide_text_win.h"

namespace spindle {

std::int64_t WinSoundDevice::WaveOutDeviceCount() {
    return static_cast<std::int64_t>(WinmmCalls().waveOutGetNumDevs());
}

void WinSoundDevice::Play(const std::optional<std::string>& name, std::uint32_t flags) {
    if (!name) {
        WinmmCalls().PlaySoundW(nullptr, nullptr, flags);
        return;
    }
    std::wstring wideName = Utf8ToWide(*name);
    WinmmCalls().PlaySoundW(wideName.c_str(), nullptr, flags);
}

}  // namespace spindle
