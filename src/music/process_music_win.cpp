// The process's music module. Until the music sources exist, every routine does nothing.
#include "music/process_music_win.h"

namespace spindle {
namespace {

class SilentMusic : public MusicRoutines {
public:
    void CdOpen() override {}
    void CdPoll() override {}
    void CdPreviousTrack() override {}
    void CdNextTrack() override {}
    void CdClose() override {}
    void Mp3Open() override {}
    void Mp3Rewind() override {}
    void Mp3Close() override {}
    void WavPlay() override {}
    void WavStop() override {}
    bool CdPolling() const override { return false; }
};

}  // namespace

MusicRoutines& ProcessMusic() {
    static SilentMusic music;
    return music;
}

}  // namespace spindle
