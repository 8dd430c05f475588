// Start-up as the system does it: switches that end at once, and the refusal beside a first copy.
#include <windows.h>

#include <gtest/gtest.h>

#include "support/launched_process_win.h"

namespace spindle {
namespace {

bool EndsAtOnceWithoutAWindow(const wchar_t* arguments) {
    test::LaunchedProcess saver(test::SaverPath(), arguments);
    return saver.WaitForExit(10000) && saver.ExitCode() == 0 && !saver.WaitForWindow(L"Spindlewave_Main", 0) &&
           !saver.WaitForWindow(L"Spindlewave_Setting", 0);
}

TEST(Startup, OtherSwitchesAndEveryStartBesideAFirstCopyEndAtOnce) {
    for (const wchar_t* arguments : {L"/a", L"/x", L"s", L"-"}) EXPECT_TRUE(EndsAtOnceWithoutAWindow(arguments));
    for (const wchar_t* caption : {L"Spindlewave_Main", L"Spindlewave_Setting"}) {
        HWND first = CreateWindowExW(0, L"STATIC", caption, WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(first, nullptr);
        for (const wchar_t* arguments : {L"/s", L"", L"/c", L"/p 1234"}) {
            EXPECT_TRUE(EndsAtOnceWithoutAWindow(arguments)) << caption << L" " << arguments;
        }
        DestroyWindow(first);
    }
}

}  // namespace
}  // namespace spindle
