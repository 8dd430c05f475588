// Start-up as the system does it: switches that end at once, and a preview planted into another
// process's box that ends when its host goes. (What the box shows: tests/win/preview; the refusal
// beside a first copy: the dialog's end-to-end test, and every caption and switch in Main's table.)
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "support/launched_process_win.h"

namespace spindle::test {
namespace {

// A preview handle that names no window ends it too.
TEST(Startup, OtherSwitchesEndAtOnce) {
    for (const wchar_t* arguments : {L"/a", L"-", L"/p 0"}) {
        LaunchedProcess saver(SaverPath(), arguments);
        EXPECT_TRUE(saver.WaitForExit(10000) && saver.ExitCode() == 0) << arguments;
        EXPECT_FALSE(saver.WaitForWindow(L"Spindlewave_Main", 0) || saver.WaitForWindow(L"Spindlewave_Setting", 0));
    }
}

TEST(Startup, APreviewIsAChildOfTheBoxAndEndsWithinASecondWhenTheHostGoes) {
    LaunchedProcess host(BesideThisProgram(L"preview_host.exe"), L"host 260 170 0 0");
    HWND box = nullptr, form = nullptr;
    WaitUntil([&] { return (box = FindWindowExW(host.WaitForWindow(L"host", 0), nullptr, L"SpindlePreviewBox", nullptr)); },
              kStartTimeout);
    LaunchedProcess preview(SaverPath(), L"/p " + std::to_wstring(reinterpret_cast<LONG_PTR>(box)));
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(form = FindWindowExW(box, nullptr, L"Spindlewave_R", nullptr)); },
                          kStartTimeout));
    EXPECT_EQ(GetWindowLongW(form, GWL_STYLE) & (WS_CHILD | WS_CAPTION | WS_THICKFRAME), WS_CHILD);
    host.Kill();
    EXPECT_TRUE(preview.WaitForExit(2000) && preview.ExitCode() == 0);  // a second, with a margin for Wine
}

}  // namespace
}  // namespace spindle::test
