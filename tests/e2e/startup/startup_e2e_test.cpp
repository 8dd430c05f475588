// Start-up as the system does it: switches that end at once. (The refusal beside a first copy:
// the dialog's end-to-end test, and every caption and switch in Main's table.)
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

// A preview handle that names no window ends it too.
TEST(Startup, OtherSwitchesEndAtOnce) {
    for (const wchar_t* arguments : {L"/a", L"/x", L"s", L"-", L"/p 0", L"/p abc"}) {
        EXPECT_TRUE(EndsAtOnceWithoutAWindow(arguments)) << arguments;
    }
}

}  // namespace
}  // namespace spindle
