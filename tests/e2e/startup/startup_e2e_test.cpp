// Start-up as the system does it: switches that end at once, and the refusal beside a first copy.
#include <windows.h>

#include <gtest/gtest.h>

#include "support/launched_process_win.h"

namespace spindle {
namespace {

using test::LaunchedProcess;
using test::SaverPath;

// A window with the caption of a first copy's form, owned by this test.
class FirstCopyWindow {
public:
    explicit FirstCopyWindow(const wchar_t* caption) {
        window_ = CreateWindowExW(0, L"STATIC", caption, WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    }
    ~FirstCopyWindow() { DestroyWindow(window_); }
    HWND get() const { return window_; }

private:
    HWND window_;
};

TEST(Startup, OtherSwitchesEndAtOnce) {
    for (const wchar_t* arguments : {L"/a", L"/x", L"s", L"-"}) {
        LaunchedProcess saver(SaverPath(), arguments);
        ASSERT_TRUE(saver.Started());
        EXPECT_TRUE(saver.WaitForExit(10000)) << arguments;
        EXPECT_EQ(saver.ExitCode(), 0u);
    }
}

TEST(Startup, FirstCopyRefusesEveryStart) {
    for (const wchar_t* caption : {L"Spindlewave_Main", L"Spindlewave_Setting"}) {
        FirstCopyWindow first(caption);
        ASSERT_NE(first.get(), nullptr);
        for (const wchar_t* arguments : {L"/s", L"", L"/c", L"/p 1234"}) {
            LaunchedProcess saver(SaverPath(), arguments);
            ASSERT_TRUE(saver.Started());
            EXPECT_TRUE(saver.WaitForExit(10000)) << caption << L" " << arguments;
            EXPECT_EQ(saver.WaitForWindow(L"Spindlewave_Main", 0), nullptr);
            EXPECT_EQ(saver.WaitForWindow(L"Spindlewave_Setting", 0), nullptr);
        }
    }
}

}  // namespace
}  // namespace spindle
