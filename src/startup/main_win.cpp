// The program's entry: reads the argument text, runs Main with the real platform, then keeps
// the process alive while one of its forms is loaded.
#include <windows.h>

#include "runtime/event_loop_win.h"
#include "runtime/system_library_win.h"
#include "runtime/wide_text_win.h"
#include "startup/command_line.h"
#include "startup/main_routine.h"
#include "startup/startup_port_win.h"

namespace {

// Every later DLL load comes from System32. Run as a TLS callback of the program itself: the loader
// calls it once the static imports (KnownDLLs only) are in place, before the runtimes' start-up and
// every static constructor, so no code of ours loads a DLL before it.
void NTAPI NarrowDllSearch(PVOID, DWORD reason, PVOID) {
    if (reason == DLL_PROCESS_ATTACH) spindle::NarrowDllSearchToSystem32();
}

// Between the runtime's start (.CRT$XLA) and end (.CRT$XLZ) of the callback list.
__attribute__((section(".CRT$XLB"), used)) PIMAGE_TLS_CALLBACK narrowDllSearchCallback = &NarrowDllSearch;

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const std::string argumentText = spindle::ArgumentText(spindle::WideToUtf8(GetCommandLineW()));
    spindle::Win32StartupPort platform;
    spindle::Main(argumentText, platform);
    spindle::RunMessageLoop();
    return 0;
}
