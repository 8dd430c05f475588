// The system DLLs that are not KnownDLLs (winmm, dwmapi), loaded at run time from System32 alone,
// and the process's narrowing of every later DLL load to System32. Windows looks for any other DLL
// beside the program first, and a screen saver is often run from a Downloads folder.
#pragma once

#include <windows.h>
#include <dwmapi.h>
#include <mmsystem.h>

#include <type_traits>

namespace spindle {

// Every DLL loaded from here on, by this program or by system code for it, comes from System32
// (SetDefaultDllDirectories); where that function is missing (Windows 7 without KB2533623), at
// least the current folder is taken out of the search (SetDllDirectoryW(L"")). Returns which held.
enum class DllSearch { System32Only, NoCurrentFolder, Unchanged };
DllSearch NarrowDllSearchToSystem32();

// `name` from the DLL `library` in System32 (loaded on first use and kept), or null.
FARPROC SystemProcedure(const wchar_t* library, const char* name);

// A procedure typed as the system declares it (Function: decltype(&::Name)); null stays null. Through
// void (*)(), the one type that converts to and from every function pointer without a warning.
template <typename Function>
Function AsDeclared(FARPROC procedure) {
    static_assert(std::is_function_v<std::remove_pointer_t<Function>>, "a pointer to a declared function");
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(procedure));
}

// SystemProcedure typed: SystemFunction<decltype(&::DwmFlush)>(L"dwmapi.dll", "DwmFlush").
template <typename Function>
Function SystemFunction(const wchar_t* library, const char* name) {
    return AsDeclared<Function>(SystemProcedure(library, name));
}

// winmm's calls used here. Never null: where winmm or any of them is missing, each stands in for a
// system without sound (no device, every MCI command fails, no finer timer), so music stays silent.
struct Winmm {
    decltype(&::mciSendStringW) mciSendStringW;
    decltype(&::mciGetErrorStringW) mciGetErrorStringW;
    decltype(&::waveOutGetNumDevs) waveOutGetNumDevs;
    decltype(&::PlaySoundW) PlaySoundW;
    decltype(&::timeBeginPeriod) timeBeginPeriod;
    decltype(&::timeEndPeriod) timeEndPeriod;
    bool loaded;  // false: the stand-ins
};

// dwmapi's calls used here. Never null: where dwmapi or any of them is missing, composition reads
// as off and the others fail, so the frame wait takes its timer.
struct Dwmapi {
    decltype(&::DwmIsCompositionEnabled) DwmIsCompositionEnabled;
    decltype(&::DwmFlush) DwmFlush;
    decltype(&::DwmGetCompositionTimingInfo) DwmGetCompositionTimingInfo;
    bool loaded;  // false: the stand-ins
};

// The process's tables, made on first use. The named library is for tests (a missing or wrong DLL).
const Winmm& WinmmCalls();
const Dwmapi& DwmapiCalls();
Winmm LoadWinmm(const wchar_t* library = L"winmm.dll");
Dwmapi LoadDwmapi(const wchar_t* library = L"dwmapi.dll");

}  // namespace spindle
