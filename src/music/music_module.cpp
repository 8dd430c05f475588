// The music module: the CD is polled and re-aimed, the MP3 restarted when it ends, the WAV looped
// by the platform.
#include "music/music_module.h"

#include <exception>

#include "runtime/conversions.h"
#include "runtime/runtime_error.h"
#include "runtime/text_utf8.h"

namespace spindle {
namespace {

constexpr std::string_view kCdDevice = "cdaudio";

// The mode word at the start of a mode buffer.
std::string ModeWord(const std::string& buffer) { return CharacterSlice(buffer.substr(0, buffer.find('\0')), 0, 7); }

// A reply compared with a number must be one, as the runtime's comparison demands.
double ReplyAsNumber(const std::string& reply) {
    std::optional<double> number = TextToNumber(reply);
    if (!number) throw RuntimeError(RuntimeError::Kind::TypeMismatch, "type mismatch");
    return *number;
}

}  // namespace

MusicModule::MusicModule(MciSenderPort& sender, SoundDevicePort& sound, const SettingsValues& settings)
    : sender_(sender), sound_(sound), settings_(settings), channel_(sender) {}

void MusicModule::SendDirect(const std::string& command) {
    RunStep([&] { sender_.SendString(command, nullptr, 0); });
}

void MusicModule::CdOpen() {
    SendDirect("open cdaudio");
    SendDirect("set cdaudio time format tmsf");
}

void MusicModule::CdPoll() {
    cdPolling_ = true;
    try {
        CdPollSteps();
    } catch (const std::exception&) {
        cdPolling_ = false;
    }
}

void MusicModule::CdPollSteps() {
    std::string current = channel_.MciQuery("status cdaudio current track");
    if (IsMciErrorReply(current)) {
        cdPolling_ = false;
        return;
    }
    std::string count = channel_.MciQuery("status cdaudio number of tracks");
    if (IsMciErrorReply(count)) {
        cdPolling_ = false;
        return;
    }
    sender_.SendString("status cdaudio mode", &cdModeBuffer_, kCdModeCapacity);
    bool stopped = ModeWord(cdModeBuffer_) == "stopped";

    std::int16_t repeat = settings_.BgmRepeat;
    if (repeat == 0) {
        if (stopped) channel_.CdPlayRange(kCdDevice, "", "");
        return;
    }
    // Both conditions are evaluated: a current track that is no number ends the polling.
    bool elsewhere = ReplyAsNumber(current) != repeat;
    if (stopped || elsewhere) {
        std::string position = channel_.MciQuery("status cdaudio position track " + std::to_string(repeat));
        channel_.CdPlayRange(kCdDevice, position, "");
    }
}

void MusicModule::CdSkipTrack(std::int32_t step) {
    std::int16_t track = 0;
    std::string position;
    RunStep([&] { track = RoundToInt16(LeadingNumber(channel_.MciQuery("status cdaudio current track"))); });
    RunStep([&] { position = channel_.MciQuery("status cdaudio position track " + std::to_string(track + step)); });
    // On the first or last track the position is an error marker, and the device refuses to play.
    RunStep([&] { channel_.CdPlayRange(kCdDevice, position, ""); });
}

void MusicModule::CdPreviousTrack() { CdSkipTrack(-1); }

void MusicModule::CdNextTrack() { CdSkipTrack(+1); }

void MusicModule::CdClose() {
    SendDirect("stop cdaudio");
    SendDirect("close cdaudio");
}

// "play" without a range carries on from the current position.
void MusicModule::CdPause() { SendDirect("pause cdaudio"); }

void MusicModule::CdResume() { SendDirect("play cdaudio"); }

void MusicModule::Mp3Pause() { SendDirect("pause MP3Play"); }

void MusicModule::Mp3Resume() { SendDirect("resume MP3Play"); }

void MusicModule::Mp3Open() {
    // The quotes let the path contain blanks.
    std::string command = "open \"" + settings_.BgmFile + "\" type MPEGVideo Alias MP3Play";
    std::int32_t result = -1;
    RunStep([&] { result = sender_.SendString(command, nullptr, 0); });
    if (result == 0) SendDirect("play MP3Play");
}

std::int16_t MusicModule::Mp3IsPlaying() {
    RunStep([&] { sender_.SendString("status MP3Play mode", &mp3ModeBuffer_, kMp3ModeCapacity); });
    return ModeWord(mp3ModeBuffer_) == "playing" ? -1 : 0;
}

void MusicModule::Mp3Rewind() {
    if (Mp3IsPlaying()) return;
    // Paused, seeking, stopped at the end: every other mode starts the file again.
    SendDirect("stop MP3Play");
    SendDirect("play MP3Play from 0");
}

void MusicModule::Mp3Close() {
    SendDirect("stop MP3Play");
    SendDirect("close MP3Play");
}

void MusicModule::WavPlay() {
    RunStep([&] {
        if (sound_.WaveOutDeviceCount() <= 0) return;
        // Without SND_NODEFAULT a WAV that cannot be played would loop the system's default
        // sound for the rest of the saver's life.
        sound_.Play(settings_.BgmFile, kSoundAsync | kSoundLoop | kSoundNoDefault);
    });
}

void MusicModule::WavStop() {
    RunStep([&] { sound_.Play(std::nullopt, 0); });
}

}  // namespace spindle
