// Where winmm or dwmapi is missing, or lacks a call (an older or stripped-down Windows), the seam's
// stand-ins answer as a system without sound or composition: music stays silent, the timer paces.
#include "runtime/system_library_win.h"

#include <gtest/gtest.h>

#include <string>

namespace spindle {
namespace {

TEST(SystemLibrary, AMissingLibraryOrCallGivesTheStandIns) {
    for (const wchar_t* library : {L"spindle-no-such-library.dll", L"kernel32.dll"}) {
        const Winmm winmm = LoadWinmm(library);
        EXPECT_FALSE(winmm.loaded) << library;
        wchar_t reply[16] = L"old reply";
        EXPECT_NE(winmm.mciSendStringW(L"open cdaudio", reply, 16, nullptr), 0u);
        EXPECT_EQ(std::wstring(reply), L"");
        EXPECT_EQ(winmm.waveOutGetNumDevs(), 0u);
        EXPECT_FALSE(winmm.PlaySoundW(L"C:\\tune.wav", nullptr, SND_ASYNC | SND_LOOP | SND_NODEFAULT));
        EXPECT_NE(winmm.timeBeginPeriod(1), static_cast<MMRESULT>(TIMERR_NOERROR));

        const Dwmapi dwmapi = LoadDwmapi(library);
        EXPECT_FALSE(dwmapi.loaded) << library;
        BOOL enabled = TRUE;
        EXPECT_TRUE(SUCCEEDED(dwmapi.DwmIsCompositionEnabled(&enabled)) && enabled == FALSE);
        EXPECT_TRUE(FAILED(dwmapi.DwmFlush()));
    }
    // The real ones, called through their typed pointers (a wrong calling convention breaks i686).
    wchar_t reply[64] = L"unchanged";
    EXPECT_EQ(WinmmCalls().mciSendStringW(L"sysinfo all quantity", reply, 64, nullptr), 0u);
    EXPECT_NE(std::wstring(reply), L"unchanged");
}

}  // namespace
}  // namespace spindle
