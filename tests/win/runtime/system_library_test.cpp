// A system DLL that is missing, or lacks a call, gives stand-ins that answer as a system without
// sound or composition would. (Where the real ones come from: the planted-DLL end-to-end test.)
#include "runtime/system_library_win.h"

#include <gtest/gtest.h>

#include <string>

namespace spindle {
namespace {

// No such DLL, and a DLL that lacks the calls: the same stand-ins.
TEST(SystemLibrary, AMissingLibraryOrCallGivesTheStandIns) {
    for (const wchar_t* library : {L"spindle-no-such-library.dll", L"kernel32.dll"}) {
        const Winmm winmm = LoadWinmm(library);
        EXPECT_FALSE(winmm.loaded) << library;
        wchar_t reply[16] = L"old reply", text[16] = L"kept";
        EXPECT_NE(winmm.mciSendStringW(L"open cdaudio", reply, 16, nullptr), 0u);
        EXPECT_NE(winmm.mciSendStringW(L"close cdaudio", nullptr, 0, nullptr), 0u);
        EXPECT_FALSE(winmm.mciGetErrorStringW(263, text, 16));
        EXPECT_EQ(std::pair(std::wstring(reply), std::wstring(text)), std::pair(std::wstring(), std::wstring(L"kept")));
        EXPECT_EQ(winmm.waveOutGetNumDevs(), 0u);
        EXPECT_FALSE(winmm.PlaySoundW(L"C:\\tune.wav", nullptr, SND_ASYNC | SND_LOOP | SND_NODEFAULT));
        EXPECT_NE(winmm.timeBeginPeriod(1), static_cast<MMRESULT>(TIMERR_NOERROR));

        const Dwmapi dwmapi = LoadDwmapi(library);
        EXPECT_FALSE(dwmapi.loaded) << library;
        BOOL enabled = TRUE;
        EXPECT_TRUE(SUCCEEDED(dwmapi.DwmIsCompositionEnabled(&enabled)) && enabled == FALSE);
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
