// The system DLLs behind the seam: winmm and dwmapi come from the system's own folder, and a library
// that is missing, or lacks a call, gives stand-ins that answer as a system without sound or
// composition would.
#include "runtime/system_library_win.h"

#include <gtest/gtest.h>

#include <string>

namespace spindle {
namespace {

std::wstring Lower(std::wstring text) {
    for (wchar_t& c : text) c = static_cast<wchar_t>(towlower(c));
    return text;
}

// The folder of the module that holds `procedure`, lower-cased.
std::wstring FolderOf(FARPROC procedure) {
    HMODULE module = nullptr;
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            reinterpret_cast<LPCWSTR>(procedure), &module)) {
        return L"";
    }
    wchar_t path[MAX_PATH] = {};
    const std::wstring file(path, GetModuleFileNameW(module, path, MAX_PATH));
    return Lower(file.substr(0, file.find_last_of(L'\\')));
}

bool InSystemFolder(FARPROC procedure) {
    wchar_t system[MAX_PATH] = {}, wow64[MAX_PATH] = {};
    const std::wstring folder = FolderOf(procedure);
    // A 32-bit process on 64-bit Windows finds the system's 32-bit DLLs in SysWOW64.
    return !folder.empty() && (folder == Lower(std::wstring(system, GetSystemDirectoryW(system, MAX_PATH))) ||
                               folder == Lower(std::wstring(wow64, GetSystemWow64DirectoryW(wow64, MAX_PATH))));
}

TEST(SystemLibrary, WinmmAndDwmapiComeFromTheSystemFolder) {
    const Winmm& winmm = WinmmCalls();
    const Dwmapi& dwmapi = DwmapiCalls();
    ASSERT_TRUE(winmm.loaded);
    ASSERT_TRUE(dwmapi.loaded);
    EXPECT_TRUE(InSystemFolder(SystemProcedure(L"winmm.dll", "mciSendStringW")));
    EXPECT_TRUE(InSystemFolder(SystemProcedure(L"dwmapi.dll", "DwmFlush")));
    EXPECT_EQ(winmm.mciSendStringW, SystemFunction<decltype(&::mciSendStringW)>(L"winmm.dll", "mciSendStringW"));
    EXPECT_EQ(dwmapi.DwmFlush, SystemFunction<decltype(&::DwmFlush)>(L"dwmapi.dll", "DwmFlush"));
    // Real calls through the typed pointers (a wrong calling convention would corrupt the stack on i686).
    wchar_t reply[64] = L"unchanged";
    EXPECT_EQ(winmm.mciSendStringW(L"sysinfo all quantity", reply, 64, nullptr), 0u);
    EXPECT_NE(std::wstring(reply), L"unchanged");
    BOOL enabled = 2;
    EXPECT_TRUE(SUCCEEDED(dwmapi.DwmIsCompositionEnabled(&enabled)));
    EXPECT_TRUE(enabled == TRUE || enabled == FALSE);
}

// No such DLL, and a DLL that lacks the calls: the same stand-ins.
TEST(SystemLibrary, AMissingLibraryOrCallGivesTheStandIns) {
    for (const wchar_t* library : {L"spindle-no-such-library.dll", L"kernel32.dll"}) {
        const Winmm winmm = LoadWinmm(library);
        EXPECT_FALSE(winmm.loaded) << library;
        wchar_t reply[16] = L"old reply";
        EXPECT_NE(winmm.mciSendStringW(L"open cdaudio", reply, 16, nullptr), 0u);
        EXPECT_EQ(std::wstring(reply), L"");
        EXPECT_NE(winmm.mciSendStringW(L"close cdaudio", nullptr, 0, nullptr), 0u);
        wchar_t text[16] = L"kept";
        EXPECT_FALSE(winmm.mciGetErrorStringW(263, text, 16));
        EXPECT_EQ(std::wstring(text), L"kept");
        EXPECT_EQ(winmm.waveOutGetNumDevs(), 0u);
        EXPECT_FALSE(winmm.PlaySoundW(L"C:\\tune.wav", nullptr, SND_ASYNC | SND_LOOP | SND_NODEFAULT));
        EXPECT_NE(winmm.timeBeginPeriod(1), static_cast<MMRESULT>(TIMERR_NOERROR));

        const Dwmapi dwmapi = LoadDwmapi(library);
        EXPECT_FALSE(dwmapi.loaded) << library;
        BOOL enabled = TRUE;
        EXPECT_TRUE(SUCCEEDED(dwmapi.DwmIsCompositionEnabled(&enabled)));
        EXPECT_EQ(enabled, FALSE);
        EXPECT_TRUE(FAILED(dwmapi.DwmFlush()));
        DWM_TIMING_INFO timing{};
        timing.cbSize = sizeof timing;
        EXPECT_TRUE(FAILED(dwmapi.DwmGetCompositionTimingInfo(nullptr, &timing)));
    }
    EXPECT_EQ(SystemProcedure(L"spindle-no-such-library.dll", "mciSendStringW"), nullptr);
    EXPECT_EQ(SystemProcedure(L"winmm.dll", "SpindleNoSuchCall"), nullptr);
}

}  // namespace
}  // namespace spindle
