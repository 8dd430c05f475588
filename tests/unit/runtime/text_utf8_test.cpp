// UTF-8 helpers and the error model.
#include "runtime/text_utf8.h"

#include <gtest/gtest.h>

#include <vector>

#include "runtime/conversions.h"
#include "runtime/runtime_error.h"

namespace spindle {
namespace {

TEST(TextUtf8, SlicesByCharacterAndUpperCasesOnlyAscii) {
    const std::string text = "/ｓ回転";
    EXPECT_EQ(CharacterCount(text), 4u);
    EXPECT_EQ(CharacterSlice(text, 1, 1), "ｓ");
    EXPECT_EQ(CharacterSlice(text, 2), "回転");
    EXPECT_EQ(CharacterSlice(text, 9), "");
    EXPECT_EQ(UpperAscii("/s mp3 ｓ"), "/S MP3 ｓ");
}

TEST(RunStep, FailingStepIsSkippedAndTheRestRuns) {
    std::vector<int> done;
    std::int16_t value = 5;
    EXPECT_TRUE(RunStep([&] { done.push_back(1); }));
    EXPECT_FALSE(RunStep([&] {
        value = RoundToInt16(40000);
        done.push_back(2);
    }));
    EXPECT_TRUE(RunStep([&] { done.push_back(3); }));
    EXPECT_EQ(value, 5);
    EXPECT_EQ(done, (std::vector<int>{1, 3}));
}

}  // namespace
}  // namespace spindle
