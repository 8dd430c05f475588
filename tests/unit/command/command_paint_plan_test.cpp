// The paint plan: frame pieces, gradient vertices, the caption's place, rounding and bad sizes.
#include "controls/command/command_paint_plan.h"

#include <gtest/gtest.h>

#include <set>
#include <tuple>
#include <vector>

namespace spindle {
namespace {

PaintPlan Plan(float widthTwips, float heightTwips, float widthPixels) {
    bool reversed = false;
    return PlanPaintLook(SkinPicture::Normal, 1, reversed,
                         FaceSize{widthTwips, heightTwips, widthPixels, heightTwips / 15}, 195);
}
PaintPlan Plan(float widthTwips, float heightTwips) { return Plan(widthTwips, heightTwips, widthTwips / 15); }

TEST(PaintPlan, A1215By375Face) {
    // Corners and side edges unscaled, top and bottom edges 56 -> 73: a 73 x 17 interior is left.
    using R = PixelRect;
    const std::vector<std::tuple<int, R, R>> expected = {
        {1, {0, 0, 4, 4}, {0, 0, 4, 4}},      {2, {4, 0, 56, 4}, {4, 0, 73, 4}},   {3, {60, 0, 4, 4}, {77, 0, 4, 4}},
        {4, {60, 4, 4, 17}, {77, 4, 4, 17}},  {5, {60, 21, 4, 4}, {77, 21, 4, 4}}, {6, {4, 21, 56, 4}, {4, 21, 73, 4}},
        {7, {0, 21, 4, 4}, {0, 21, 4, 4}},    {8, {0, 4, 4, 17}, {0, 4, 4, 17}},
    };
    const PaintPlan plan = Plan(1215, 375);
    std::vector<std::tuple<int, R, R>> pieces;
    for (const auto& piece : plan.pieces) pieces.emplace_back(piece.number, ToPixels(piece.source), ToPixels(piece.destination));
    EXPECT_EQ(pieces, expected);
    ASSERT_TRUE(plan.gradient);
    EXPECT_EQ(plan.gradient->vertices, (std::array<TriVertex, 2>{TriVertex{0, 0, 0xFF00, 0xFF00, 0xFF00, 0},
                                                                  {80, 24, 0xC600, 0xC500, 0xD700, 0}}));
    EXPECT_FLOAT_EQ(plan.labelTop, 80.0f);
    EXPECT_FLOAT_EQ(Plan(1215, 376).labelTop, 80.5f);  // single precision, not rounded
}

TEST(PaintPlan, EdgesRoundHalfToEvenAndBadSizesLoseOnlyTheirOwnSteps) {
    EXPECT_EQ(Plan(1240.5f, 374.5f).pieces[1].destination.width, 1120);  // 1120.5
    EXPECT_EQ(Plan(1241.5f, 375.5f).pieces[3].destination.height, 256);  // 255.5
    // W - 120 overflows 16 bits: the pieces using it are skipped, the rest is drawn.
    std::set<int> numbers;
    for (const auto& piece : Plan(40000, 375).pieces) numbers.insert(piece.number);
    EXPECT_EQ(numbers, (std::set<int>{1, 3, 4, 5, 7, 8}));
    // A pixel size beyond 32 bits loses the gradient but keeps the frame.
    const PaintPlan huge = Plan(1215, 375, 1e10f);
    EXPECT_TRUE(!huge.gradient && huge.pieces.size() == 8u);
}

}  // namespace
}  // namespace spindle
