// The paint plan: frame pieces, gradient vertices, the caption's place, rounding and bad sizes.
#include "controls/command/command_paint_plan.h"

#include <gtest/gtest.h>

#include <set>

namespace spindle {
namespace {

PaintPlan Plan(float widthTwips, float heightTwips) {
    bool reversed = false;
    return PlanPaintLook(SkinPicture::Normal, 1, reversed,
                         FaceSize{widthTwips, heightTwips, widthTwips / 15, heightTwips / 15}, 195);
}

TEST(PaintPlan, A1215By375Face) {
    PaintPlan plan = Plan(1215, 375);
    // Corners and side edges unscaled, top and bottom edges 56 -> 73: a 73 x 17 interior is left.
    const PixelRect expected[8][2] = {
        {{0, 0, 4, 4}, {0, 0, 4, 4}},     {{4, 0, 56, 4}, {4, 0, 73, 4}},   {{60, 0, 4, 4}, {77, 0, 4, 4}},
        {{60, 4, 4, 17}, {77, 4, 4, 17}}, {{60, 21, 4, 4}, {77, 21, 4, 4}}, {{4, 21, 56, 4}, {4, 21, 73, 4}},
        {{0, 21, 4, 4}, {0, 21, 4, 4}},   {{0, 4, 4, 17}, {0, 4, 4, 17}},
    };
    ASSERT_EQ(plan.pieces.size(), 8u);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(plan.pieces[i].number, i + 1);
        EXPECT_EQ(ToPixels(plan.pieces[i].source), expected[i][0]) << i;
        EXPECT_EQ(ToPixels(plan.pieces[i].destination), expected[i][1]) << i;
    }
    ASSERT_TRUE(plan.gradient);
    EXPECT_EQ(plan.gradient->vertices, (std::array<TriVertex, 2>{TriVertex{0, 0, 0xFF00, 0xFF00, 0xFF00, 0},
                                                                  {80, 24, 0xC600, 0xC500, 0xD700, 0}}));
    EXPECT_FLOAT_EQ(plan.labelTop, 80.0f);
    EXPECT_FLOAT_EQ(Plan(1215, 376).labelTop, 80.5f);  // single precision, not rounded
}

TEST(PaintPlan, EdgesRoundHalfToEvenAndBadSizesLoseOnlyTheirOwnSteps) {
    EXPECT_EQ(Plan(1240.5f, 374.5f).pieces[1].destination.width, 1120);  // 1120.5
    EXPECT_EQ(Plan(1241.5f, 375.5f).pieces[3].destination.height, 256);  // 255.5
    // W - 120 overflows 16 bits: the four pieces using it are skipped, the rest is drawn.
    std::set<int> numbers;
    for (const auto& piece : Plan(40000, 375).pieces) numbers.insert(piece.number);
    EXPECT_EQ(numbers, (std::set<int>{1, 3, 4, 5, 7, 8}));
    // A pixel size beyond 32 bits loses the gradient but keeps the frame.
    bool reversed = false;
    PaintPlan huge = PlanPaintLook(SkinPicture::Normal, 1, reversed, FaceSize{1215, 375, 1e10f, 25}, 195);
    EXPECT_FALSE(huge.gradient);
    EXPECT_EQ(huge.pieces.size(), 8u);
}

}  // namespace
}  // namespace spindle
