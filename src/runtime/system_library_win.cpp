// System DLLs from System32 alone, and what a missing one means.
#include "runtime/system_library_win.h"

#include <string>

namespace spindle {
namespace {

// What dwmapi itself answers while composition is off (winerror.h of the Windows SDK).
constexpr HRESULT kCompositionDisabled = static_cast<HRESULT>(0x80263001);

HMODULE LoadFromSystem32(const wchar_t* library) {
    if (HMODULE module = LoadLibraryExW(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) return module;
    // Systems without the search flags refuse it as an invalid parameter: the full path then, with the
    // DLL's own dependencies looked for in System32 as well.
    if (GetLastError() != ERROR_INVALID_PARAMETER) return nullptr;
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    const std::wstring path = std::wstring(folder, length) + L'\\' + library;
    return LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

// Stand-ins, each of the system's own type (the tables below would not compile otherwise).
MCIERROR WINAPI NoMciSendString(LPCWSTR, LPWSTR reply, UINT capacity, HWND) {
    if (reply && capacity > 0) reply[0] = L'\0';
    return MCIERR_DEVICE_NOT_INSTALLED;
}
BOOL WINAPI NoMciErrorString(MCIERROR, LPWSTR, UINT) { return FALSE; }
UINT WINAPI NoWaveOutDevices() { return 0; }
BOOL WINAPI NoPlaySound(LPCWSTR, HMODULE, DWORD) { return FALSE; }
MMRESULT WINAPI NoTimerPeriod(UINT) { return TIMERR_NOCANDO; }

HRESULT WINAPI CompositionOff(BOOL* enabled) {
    if (enabled) *enabled = FALSE;
    return S_OK;
}
HRESULT WINAPI NoFlush() { return kCompositionDisabled; }
HRESULT WINAPI NoTimingInfo(HWND, DWM_TIMING_INFO*) { return kCompositionDisabled; }

constexpr Winmm kNoWinmm{&NoMciSendString, &NoMciErrorString, &NoWaveOutDevices, &NoPlaySound,
                         &NoTimerPeriod,   &NoTimerPeriod,    false};
constexpr Dwmapi kNoDwmapi{&CompositionOff, &NoFlush, &NoTimingInfo, false};

// Takes `name` from `library` into `slot`; false when it is not there.
template <typename Function>
bool Take(Function& slot, const wchar_t* library, const char* name) {
    slot = SystemFunction<Function>(library, name);
    return slot != nullptr;
}

}  // namespace

DllSearch NarrowDllSearchToSystem32() {
    // Both looked up: the first is missing on Windows 7 without KB2533623, where importing it would
    // keep the program from starting at all.
    HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    if (!kernel) return DllSearch::Unchanged;
    auto setDefault =
        AsDeclared<decltype(&::SetDefaultDllDirectories)>(GetProcAddress(kernel, "SetDefaultDllDirectories"));
    if (setDefault && setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32)) return DllSearch::System32Only;
    auto setDirectory = AsDeclared<decltype(&::SetDllDirectoryW)>(GetProcAddress(kernel, "SetDllDirectoryW"));
    if (setDirectory && setDirectory(L"")) return DllSearch::NoCurrentFolder;
    return DllSearch::Unchanged;
}

FARPROC SystemProcedure(const wchar_t* library, const char* name) {
    HMODULE module = LoadFromSystem32(library);
    return module ? GetProcAddress(module, name) : nullptr;
}

// A library counts only with all its calls: half of winmm could claim a device and then not play.
Winmm LoadWinmm(const wchar_t* library) {
    Winmm calls{};
    const bool all = Take(calls.mciSendStringW, library, "mciSendStringW") &&
                     Take(calls.mciGetErrorStringW, library, "mciGetErrorStringW") &&
                     Take(calls.waveOutGetNumDevs, library, "waveOutGetNumDevs") &&
                     Take(calls.PlaySoundW, library, "PlaySoundW") &&
                     Take(calls.timeBeginPeriod, library, "timeBeginPeriod") &&
                     Take(calls.timeEndPeriod, library, "timeEndPeriod");
    if (!all) return kNoWinmm;
    calls.loaded = true;
    return calls;
}

Dwmapi LoadDwmapi(const wchar_t* library) {
    Dwmapi calls{};
    const bool all = Take(calls.DwmIsCompositionEnabled, library, "DwmIsCompositionEnabled") &&
                     Take(calls.DwmFlush, library, "DwmFlush") &&
                     Take(calls.DwmGetCompositionTimingInfo, library, "DwmGetCompositionTimingInfo");
    if (!all) return kNoDwmapi;
    calls.loaded = true;
    return calls;
}

const Winmm& WinmmCalls() {
    static const Winmm calls = LoadWinmm();
    return calls;
}

const Dwmapi& DwmapiCalls() {
    static const Dwmapi calls = LoadDwmapi();
    return calls;
}

}  // namespace spindle
