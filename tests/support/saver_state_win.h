// The system's screen-saver-running flag as the end-to-end tests read it.
#pragma once

#include <gtest/gtest.h>

#include "support/launched_process_win.h"

namespace spindle::test {

// Read by a fresh process (Wine caches the flag per process): saver_state_probe.exe, built beside
// the test program.
inline bool SaverRunningFlag() {
    LaunchedProcess reader(BesideThisProgram(L"saver_state_probe.exe"), L"");
    EXPECT_TRUE(reader.WaitForExit(10000));
    EXPECT_NE(reader.ExitCode(), 2u);
    return reader.ExitCode() == 1;
}

}  // namespace spindle::test
