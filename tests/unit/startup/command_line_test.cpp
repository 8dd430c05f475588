// The argument text after the program path and the mode letter (the preview handle: Main's table).
#include "startup/command_line.h"

#include <gtest/gtest.h>

namespace spindle {
namespace {

TEST(ArgumentText, FollowsTheProgramPathQuotedOrNot) {
    const std::pair<const char*, const char*> cases[] = {
        {R"("C:\Program Files\Spindlewave.scr"   /p 1234)", "/p 1234"}, {R"("C:\x y\Spindlewave.scr"/c:55)", "/c:55"},
        {"Spindlewave.scr\t \t-s  ", "-s  "}, {R"("C:\Spindlewave.scr")", ""}, {"Spindlewave.scr    ", ""},
        {R"("unterminated /s)", ""}, {"", ""},
    };
    for (const auto& [line, text] : cases) EXPECT_EQ(ArgumentText(line), text) << line;
}

TEST(ModeLetter, IsTheSecondCharacterUpperCased) {
    const std::pair<const char*, const char*> cases[] = {
        {"/s", "S"}, {"-s", "S"}, {"xs whatever", "S"}, {"/c:1234", "C"}, {"s", ""}, {"", ""}, {"/ｓ", "ｓ"},
    };
    for (const auto& [text, letter] : cases) EXPECT_EQ(ModeLetter(text), letter) << text;
}

}  // namespace
}  // namespace spindle
