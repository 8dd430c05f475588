// Reports the system's screen-saver-running flag as its exit code (1 on, 0 off, 2 unknown).
// A fresh process reads it afresh: Wine keeps a per-process copy of the value once read.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    BOOL running = FALSE;
    if (!SystemParametersInfoW(SPI_GETSCREENSAVERRUNNING, 0, &running, 0)) return 2;
    return running ? 1 : 0;
}
