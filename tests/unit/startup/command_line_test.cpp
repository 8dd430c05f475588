// The argument text after the program path, the mode letter and the preview handle number.
#include "startup/command_line.h"

#include <gtest/gtest.h>

namespace spindle {
namespace {

TEST(ArgumentText, FollowsTheProgramPathQuotedOrNot) {
    EXPECT_EQ(ArgumentText(R"("C:\Program Files\Spindlewave.scr" /s)"), "/s");
    EXPECT_EQ(ArgumentText(R"("C:\Program Files\Spindlewave.scr"   /p 1234)"), "/p 1234");
    EXPECT_EQ(ArgumentText(R"("C:\x y\Spindlewave.scr"/c:55)"), "/c:55");
    EXPECT_EQ(ArgumentText(R"(C:\WINDOWS\Spindlewave.scr /S)"), "/S");
    EXPECT_EQ(ArgumentText("Spindlewave.scr\t \t-s  "), "-s  ");
    EXPECT_EQ(ArgumentText(R"("C:\Spindlewave.scr")"), "");
    EXPECT_EQ(ArgumentText("Spindlewave.scr"), "");
    EXPECT_EQ(ArgumentText("Spindlewave.scr    "), "");
    EXPECT_EQ(ArgumentText(R"("unterminated /s)"), "");
    EXPECT_EQ(ArgumentText(""), "");
}

TEST(ModeLetter, IsTheSecondCharacterUpperCased) {
    EXPECT_EQ(ModeLetter("/s"), "S");
    EXPECT_EQ(ModeLetter("/S"), "S");
    EXPECT_EQ(ModeLetter("-s"), "S");
    EXPECT_EQ(ModeLetter("xs whatever"), "S");
    EXPECT_EQ(ModeLetter("/p 1234"), "P");
    EXPECT_EQ(ModeLetter("/c:1234"), "C");
    EXPECT_EQ(ModeLetter("/a"), "A");
    EXPECT_EQ(ModeLetter("s"), "");
    EXPECT_EQ(ModeLetter(""), "");
    EXPECT_EQ(ModeLetter("/ｓ"), "ｓ");  // a wide letter is not the switch
}

TEST(PreviewHandleNumber, ReadsFromTheFourthCharacter) {
    EXPECT_EQ(PreviewHandleNumber("/p 1234"), 1234);
    EXPECT_EQ(PreviewHandleNumber("/p:1234"), 1234);
    EXPECT_EQ(PreviewHandleNumber("/p  12 34"), 1234);
    EXPECT_EQ(PreviewHandleNumber("/p"), 0);
    EXPECT_EQ(PreviewHandleNumber("/p abc"), 0);
    EXPECT_EQ(PreviewHandleNumber("/p 66052x"), 66052);
    EXPECT_EQ(PreviewHandleNumber("/p 99999999999"), 99999999999.0);
}

}  // namespace
}  // namespace spindle
