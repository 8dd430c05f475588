// The program's entry: reads the argument text, runs Main with the real platform, then keeps
// the process alive while one of its forms is loaded.
#include <windows.h>

#include "runtime/event_loop_win.h"
#include "runtime/wide_text_win.h"
#include "startup/command_line.h"
#include "startup/main_routine.h"
#include "startup/startup_port_win.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const std::string argumentText = spindle::ArgumentText(spindle::WideToUtf8(GetCommandLineW()));
    spindle::Win32StartupPort platform;
    spindle::Main(argumentText, platform);
    spindle::RunMessageLoop();
    return 0;
}
