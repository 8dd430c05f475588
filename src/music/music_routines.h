// The music module's routines as the saver window calls them (all on the UI thread).
#pragma once

namespace spindle {

class MusicRoutines {
public:
    virtual ~MusicRoutines() = default;
    virtual void CdOpen() = 0;
    virtual void CdPoll() = 0;
    virtual void CdPreviousTrack() = 0;
    virtual void CdNextTrack() = 0;
    virtual void CdClose() = 0;
    virtual void Mp3Open() = 0;
    virtual void Mp3Rewind() = 0;
    virtual void Mp3Close() = 0;
    virtual void WavPlay() = 0;
    virtual void WavStop() = 0;
    // While the display is off: the CD and the MP3 held where they are, and carried on from there.
    virtual void CdPause() = 0;
    virtual void CdResume() = 0;
    virtual void Mp3Pause() = 0;
    virtual void Mp3Resume() = 0;
    // True while the audio CD answers; left by every CdPoll.
    virtual bool CdPolling() const = 0;
};

}  // namespace spindle
