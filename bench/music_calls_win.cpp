// The longest single music call the saver's timers make, over the real winmm under Wine: the CD
// poll with no drive, the MP3 check while a file plays and after a failed open. Run with the
// Windows path of a short MP3 as the argument (Wine's Z: drive is the root folder):
//   SPINDLE_VIRTUAL_DISPLAY=1 scripts/wine-session.sh build/win64/wine /usr/lib/wine/wine64
//     build/win64/bench/music_calls.exe "Z:$(realpath build/win64/tests/e2e/music/tone.mp3 | tr / \\\\)"
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "bench_clock_win.h"
#include "music/mci_sender_win.h"
#include "music/music_module.h"
#include "music/sound_device_win.h"
#include "runtime/wide_text_win.h"

namespace {

// Calls `call` every `intervalMs` for `count` times; prints the longest and the mean call.
void Measure(const char* what, int count, DWORD intervalMs, const std::function<void()>& call) {
    std::vector<double> times;
    for (int i = 0; i < count; ++i) {
        const double start = Now();
        call();
        times.push_back(Now() - start);
        Sleep(intervalMs);
    }
    double total = 0;
    for (double t : times) total += t;
    std::printf("%-40s calls %4d  longest %8.3f ms  mean %8.3f ms\n", what, count,
                *std::max_element(times.begin(), times.end()), total / count);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    spindle::WinMciSender sender;
    spindle::WinSoundDevice sound;
    spindle::SettingsValues settings;
    settings.BgmKind = 1;
    spindle::MusicModule music(sender, sound, settings);

    music.CdOpen();
    Measure("CdPoll (no drive)", 50, 20, [&] { music.CdPoll(); });
    Measure("CdNextTrack (no drive)", 20, 20, [&] { music.CdNextTrack(); });
    music.CdClose();

    settings.BgmFile = "C:\\no such folder\\missing.mp3";
    music.Mp3Open();
    Measure("Mp3Rewind (open failed)", 50, 20, [&] { music.Mp3Rewind(); });
    music.Mp3Close();

    if (argc > 1) {
        settings.BgmFile = spindle::WideToUtf8(argv[1]);
        const double start = Now();
        music.Mp3Open();
        std::printf("%-40s longest %8.3f ms\n", "Mp3Open (load handler, once)", Now() - start);
        // Once a second for several plays of a short file: includes the restarts.
        Measure("Mp3Rewind (playing and restarting)", 8, 1000, [&] { music.Mp3Rewind(); });
        music.Mp3Close();
    }
    return 0;
}
