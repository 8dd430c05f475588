// The music module: audio CD, MP3 and WAV background music and their looping.
#pragma once

#include <cstdint>
#include <string>

#include "music/mci_channel.h"
#include "music/mci_sender_port.h"
#include "music/music_routines.h"
#include "music/sound_device_port.h"
#include "settings/settings_values.h"

namespace spindle {

inline constexpr std::size_t kCdModeCapacity = 255;
inline constexpr std::size_t kMp3ModeCapacity = 30;

class MusicModule : public MusicRoutines {
public:
    // The settings are read at every call, so later changes to BgmRepeat or BgmFile take effect.
    MusicModule(MciSenderPort& sender, SoundDevicePort& sound, const SettingsValues& settings);

    void CdOpen() override;
    void CdPoll() override;
    void CdPreviousTrack() override;
    void CdNextTrack() override;
    void CdClose() override;
    void Mp3Open() override;
    void Mp3Rewind() override;
    void Mp3Close() override;
    void WavPlay() override;
    void WavStop() override;
    void CdPause() override;
    void CdResume() override;
    void Mp3Pause() override;
    void Mp3Resume() override;
    bool CdPolling() const override { return cdPolling_; }

    // -1 when the MP3 alias reports "playing", 0 otherwise.
    std::int16_t Mp3IsPlaying();

private:
    void SendDirect(const std::string& command);
    void CdPollSteps();
    void CdSkipTrack(std::int32_t step);

    MciSenderPort& sender_;
    SoundDevicePort& sound_;
    const SettingsValues& settings_;
    MciChannel channel_;
    bool cdPolling_ = false;
    // Kept between calls: a query that writes nothing leaves the previous reply.
    std::string cdModeBuffer_;
    std::string mp3ModeBuffer_;
};

}  // namespace spindle
