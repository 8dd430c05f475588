// The process's music module, wired to winmm and the process-wide settings.
#include "music/process_music_win.h"

#include "music/mci_sender_win.h"
#include "music/music_module.h"
#include "music/sound_device_win.h"
#include "settings/settings_values.h"

namespace spindle {

MusicRoutines& ProcessMusic() {
    static WinMciSender sender;
    static WinSoundDevice sound;
    static MusicModule music(sender, sound, Settings());
    return music;
}

}  // namespace spindle
