// The settings dialog's rules: repeat texts, save texts, placement and shading colours.
#include "settings_dialog/dialog_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/runtime_error.h"

namespace spindle {
namespace {

TEST(RepeatTexts, HashHashFormatLeavesZeroEmpty) {
    struct Case {
        std::int64_t value;
        const char* text;
    };
    for (const Case& c : std::vector<Case>{{0, ""}, {1, "1"}, {12, "12"}, {30, "30"}, {-5, "-5"}, {32767, "32767"}}) {
        EXPECT_EQ(RepeatText(c.value), c.text) << c.value;
    }
}

TEST(RepeatTexts, ListHoldsAnEmptyEntryThenOneToThirty) {
    const std::vector<std::string> entries = RepeatListEntries();
    ASSERT_EQ(entries.size(), 31u);
    EXPECT_EQ(entries[0], "");
    for (int i = 1; i <= 30; ++i) EXPECT_EQ(entries[i], std::to_string(i));
}

TEST(SpeedCaption, WholeNumbersWithoutBlank) {
    EXPECT_EQ(SpeedCaption(10.0f), "10");
    EXPECT_EQ(SpeedCaption(1.0f), "1");
    EXPECT_EQ(SpeedCaption(75.0f), "75");
    EXPECT_EQ(SpeedCaption(0.0f), "0");
    EXPECT_EQ(SpeedCaption(-3.0f), "-3");
    EXPECT_EQ(SpeedCaption(1e10f), "1E+10");
}

TEST(SaveTexts, NumbersCarryABlankOrTheirMinusSign) {
    EXPECT_EQ(SaveText(25), " 25");
    EXPECT_EQ(SaveText(0), " 0");
    EXPECT_EQ(SaveText(12), " 12");
    EXPECT_EQ(SaveText(-3), "-3");
}

TEST(SaveTexts, RepeatBoxTextBecomesATrackNumber) {
    struct Case {
        const char* typed;
        const char* saved;
    };
    for (const Case& c : std::vector<Case>{{"12", " 12"},
                                           {"", " 0"},
                                           {"2.5", " 2"},
                                           {"3.5", " 4"},
                                           {"-2.5", "-2"},
                                           {"word", " 0"},
                                           {"12abc", " 0"},
                                           {"-3", "-3"},
                                           {" 7 ", " 7"},
                                           {"1e2", " 100"},
                                           {"32767", " 32767"},
                                           {"-32768", "-32768"}}) {
        EXPECT_EQ(SaveText(RepeatFromText(c.typed)), c.saved) << c.typed;
    }
}

TEST(SaveTexts, RepeatBoxNumberBeyondSixteenBitsFails) {
    for (const char* typed : {"40000", "32768", "-32769", "1e30"}) {
        EXPECT_THROW(RepeatFromText(typed), RuntimeError) << typed;
    }
}

TEST(SaveTexts, RepeatBoxFollowsTheUsersFractionMark) {
    EXPECT_EQ(RepeatFromText("3,5", ','), 4);
    EXPECT_EQ(RepeatFromText("3.5", ','), 0);
}

TEST(Placement, CentredAcrossAndAtAThirdOfTheFreeHeight) {
    struct Case {
        double screenWidth, screenHeight, dialogWidth, dialogHeight;
        DialogPosition expected;
    };
    for (const Case& c : std::vector<Case>{
             {28800, 16200, 7065, 3375, {10867, 4275}},  // 1920 x 1080 at 15 twips per pixel
             {12000, 9000, 7065, 3375, {2467, 1875}},
             {7065, 3375, 7065, 3375, {0, 0}},
             {7000, 3000, 7065, 3375, {-32, -125}},     // larger than the screen: truncated toward zero
             {1000, 1002.5, 1000, 1000, {0, 0}},  // 2.5 rounds to the even 2 before the division
             {1000, 1005.5, 1000, 1000, {0, 2}},  // 5.5 rounds to the even 6
             {1000, 998.5, 1000, 1000, {0, 0}},   // -1.5 rounds to -2, then truncates toward zero
         }) {
        EXPECT_EQ(DialogPlacement(c.screenWidth, c.screenHeight, c.dialogWidth, c.dialogHeight), c.expected)
            << c.screenWidth << " x " << c.screenHeight;
    }
}

TEST(Shading, TopMiddleAndLastRowOfBothSurfaces) {
    // The dialog's client area is 193 pixels high, the picture box's interior 113.
    struct Case {
        ShadedSurface surface;
        int height;
        std::size_t row;
        ShadeColour colour;
    };
    for (const Case& c : std::vector<Case>{
             {ShadedSurface::Form, 193, 0, {0, 0, 30}},
             {ShadedSurface::Form, 193, 96, {220, 220, 250}},
             {ShadedSurface::Form, 193, 193, {0, 0, 30}},
             {ShadedSurface::PictureBox, 113, 0, {30, 30, 30}},
             {ShadedSurface::PictureBox, 113, 56, {250, 250, 250}},
             {ShadedSurface::PictureBox, 113, 113, {30, 30, 30}},
         }) {
        const std::vector<ShadeColour> lines = ShadingLines(c.surface, c.height);
        ASSERT_EQ(lines.size(), static_cast<std::size_t>(c.height) + 1);
        EXPECT_EQ(lines[c.row], c.colour) << c.height << " row " << c.row;
    }
}

TEST(Shading, LevelsFollowTheSineAndStayNonNegative) {
    EXPECT_EQ(ShadeLevel(10, 193), 36);   // 220 sin(10 / 61.43)
    EXPECT_EQ(ShadeLevel(48, 193), 155);  // 220 sin(48 / 61.43)
    for (int height : {1, 2, 3, 113, 193, 1000}) {
        for (int y = 0; y <= height; ++y) {
            const int level = ShadeLevel(y, height);
            EXPECT_GE(level, 0);
            EXPECT_LE(level, 220);
        }
    }
}

TEST(Shading, InteriorWithoutHeightDrawsNothing) {
    EXPECT_TRUE(ShadingLines(ShadedSurface::Form, 0).empty());
    EXPECT_TRUE(ShadingLines(ShadedSurface::PictureBox, -4).empty());
}

}  // namespace
}  // namespace spindle
