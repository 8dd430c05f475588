// The error model: a failing step is skipped and the routine goes on with the next.
#include "runtime/runtime_error.h"

#include <gtest/gtest.h>

#include <vector>

#include "runtime/conversions.h"

namespace spindle {
namespace {

TEST(RunStep, FailingStepIsSkippedAndTheRestRuns) {
    std::vector<int> done;
    std::int16_t value = 5;
    RunStep([&] { done.push_back(1); });
    bool second = RunStep([&] {
        value = RoundToInt16(40000);  // overflows: the assignment never happens
        done.push_back(2);
    });
    bool third = RunStep([&] { done.push_back(3); });
    EXPECT_FALSE(second);
    EXPECT_TRUE(third);
    EXPECT_EQ(value, 5);
    EXPECT_EQ(done, (std::vector<int>{1, 3}));
}

}  // namespace
}  // namespace spindle
