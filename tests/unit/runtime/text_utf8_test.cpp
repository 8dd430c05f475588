// UTF-8 helpers: characters are counted and cut by code point, never inside one.
#include "runtime/text_utf8.h"

#include <gtest/gtest.h>

namespace spindle {
namespace {

TEST(TextUtf8, CountsAndSlicesByCharacter) {
    const std::string text = "/ｓ回転";  // 1 + 3 + 3 + 3 bytes
    EXPECT_EQ(CharacterCount(text), 4u);
    EXPECT_EQ(CharacterSlice(text, 1, 1), "ｓ");
    EXPECT_EQ(CharacterSlice(text, 2), "回転");
    EXPECT_EQ(CharacterSlice(text, 9), "");
    EXPECT_EQ(CharacterSlice("", 0, 1), "");
}

TEST(TextUtf8, UpperCasesOnlyAsciiLetters) {
    EXPECT_EQ(UpperAscii("/s -p ｓ"), "/S -P ｓ");
    EXPECT_EQ(UpperAscii("mp3"), "MP3");
}

}  // namespace
}  // namespace spindle
