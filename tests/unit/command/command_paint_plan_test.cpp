// The paint plan: frame pieces, gradient vertices and the caption's place.
#include "controls/command/command_paint_plan.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace spindle {
namespace {

PaintPlan Plan(float widthTwips, float heightTwips) {
    bool reversed = false;
    return PlanPaintLook(SkinPicture::Normal, 1, reversed,
                         FaceSize{widthTwips, heightTwips, widthTwips / 15, heightTwips / 15}, 195);
}

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
    for (const auto& p : plan.pieces) pieces.emplace_back(p.number, ToPixels(p.source), ToPixels(p.destination));
    EXPECT_EQ(pieces, expected);
    ASSERT_TRUE(plan.gradient);
    EXPECT_EQ(plan.gradient->vertices, (std::array<TriVertex, 2>{TriVertex{0, 0, 0xFF00, 0xFF00, 0xFF00, 0},
                                                                  {80, 24, 0xC600, 0xC500, 0xD700, 0}}));
    EXPECT_FLOAT_EQ(plan.labelTop, 80.0f);
    EXPECT_FLOAT_EQ(Plan(1215, 376).labelTop, 80.5f);  // single precision, not rounded
}

}  // namespace
}  // namespace spindle
