// The paint plan: frame pieces, gradient vertices, gradient direction and the caption's place.
#include "controls/command/command_paint_plan.h"

#include <gtest/gtest.h>

#include <set>

#include "runtime/runtime_error.h"

namespace spindle {
namespace {

FaceSize Face(float widthTwips, float heightTwips) {
    return FaceSize{widthTwips, heightTwips, widthTwips / 15.0f, heightTwips / 15.0f};
}

TEST(PaintPlan, FramePiecesOfA1215By375Face) {
    bool reversed = false;
    PaintPlan plan = PlanPaintLook(SkinPicture::Normal, 1, reversed, Face(1215, 375), 195);
    struct Expected {
        PixelRect source, destination;
    };
    // Corners and side edges copied unscaled; the top and bottom edges stretched from 56 to 73 pixels.
    const Expected expected[8] = {
        {{0, 0, 4, 4}, {0, 0, 4, 4}},     {{4, 0, 56, 4}, {4, 0, 73, 4}},   {{60, 0, 4, 4}, {77, 0, 4, 4}},
        {{60, 4, 4, 17}, {77, 4, 4, 17}}, {{60, 21, 4, 4}, {77, 21, 4, 4}}, {{4, 21, 56, 4}, {4, 21, 73, 4}},
        {{0, 21, 4, 4}, {0, 21, 4, 4}},   {{0, 4, 4, 17}, {0, 4, 4, 17}},
    };
    ASSERT_EQ(plan.pieces.size(), 8u);
    for (int index = 0; index < 8; ++index) {
        SCOPED_TRACE(index + 1);
        EXPECT_EQ(plan.pieces[index].number, index + 1);
        EXPECT_EQ(ToPixels(plan.pieces[index].source), expected[index].source);
        EXPECT_EQ(ToPixels(plan.pieces[index].destination), expected[index].destination);
    }
    // H - 120 is the source height of the side edges: no stretching down the sides.
    EXPECT_EQ(plan.pieces[3].destination.height, 255);
    EXPECT_EQ(plan.pieces[7].destination.height, plan.pieces[7].source.height);

    // What the pieces leave uncovered is the 73 x 17 interior, which keeps the gradient.
    std::set<std::pair<int, int>> covered;
    for (const FramePiece& piece : plan.pieces) {
        PixelRect to = ToPixels(piece.destination);
        for (int y = to.y; y < to.y + to.height; ++y) {
            for (int x = to.x; x < to.x + to.width; ++x) covered.insert({x, y});
        }
    }
    int interior = 0;
    for (int y = 0; y < 25; ++y) {
        for (int x = 0; x < 81; ++x) {
            if (covered.count({x, y})) continue;
            ++interior;
            EXPECT_TRUE(x >= 4 && x <= 76 && y >= 4 && y <= 20) << x << "," << y;
        }
    }
    EXPECT_EQ(interior, 73 * 17);
}

TEST(PaintPlan, GradientVerticesStopOnePixelShort) {
    bool reversed = false;
    PaintPlan plan = PlanPaintLook(SkinPicture::Normal, 1, reversed, Face(1215, 375), 195);
    ASSERT_TRUE(plan.gradient);
    const auto& v = plan.gradient->vertices;
    EXPECT_EQ(v[0], (TriVertex{0, 0, 0xFF00, 0xFF00, 0xFF00, 0}));
    EXPECT_EQ(v[1], (TriVertex{80, 24, 0xC600, 0xC500, 0xD700, 0}));
    EXPECT_EQ(plan.gradient->mesh.upperLeft, 1u);
    EXPECT_EQ(plan.gradient->mesh.lowerRight, 0u);
    EXPECT_EQ(plan.gradient->mode, 1u);
}

TEST(PaintPlan, LabelIsCentredVerticallyAcrossTheFullWidth) {
    bool reversed = false;
    PaintPlan plan = PlanPaintLook(SkinPicture::Normal, 1, reversed, Face(1215, 375), 195);
    EXPECT_FLOAT_EQ(plan.labelTop, 80.0f);
    EXPECT_FLOAT_EQ(plan.labelLeft, 0.0f);
    EXPECT_FLOAT_EQ(plan.labelWidth, 1215.0f);
    // Single precision, not rounded.
    plan = PlanPaintLook(SkinPicture::Normal, 1, reversed, Face(1215, 376), 195);
    EXPECT_FLOAT_EQ(plan.labelTop, 80.5f);
}

TEST(PaintPlan, GradientDirectionFollowsTheLookState) {
    struct Step {
        std::uint8_t state;
        bool lavenderOnTop;
    };
    // 4 (and 0) keep the direction of the paint before.
    const Step steps[] = {{0, false}, {1, false}, {2, true}, {4, true}, {1, false},
                          {4, false}, {3, false}, {2, true}, {0, true}, {3, false}};
    bool reversed = false;
    for (const Step& step : steps) {
        PaintPlan plan = PlanPaintLook(SkinPicture::Normal, step.state, reversed, Face(1215, 375), 195);
        SCOPED_TRACE(static_cast<int>(step.state));
        EXPECT_EQ(reversed, step.lavenderOnTop);
        ASSERT_TRUE(plan.gradient);
        EXPECT_EQ(plan.gradient->vertices[0].red, step.lavenderOnTop ? 0xC600 : 0xFF00);
        EXPECT_EQ(plan.gradient->vertices[1].blue, step.lavenderOnTop ? 0xFF00 : 0xD700);
    }
}

TEST(PaintPlan, ColourTextsGiveHighByteChannels) {
    using Channels = std::array<std::uint16_t, 3>;
    EXPECT_EQ(ColourTextChannels("&HFFFFFF"), (Channels{0xFF00, 0xFF00, 0xFF00}));
    EXPECT_EQ(ColourTextChannels("&HC6C5D7"), (Channels{0xC600, 0xC500, 0xD700}));
    EXPECT_EQ(ColourTextChannels("&hc6c5d7"), (Channels{0xC600, 0xC500, 0xD700}));
    // Pairs are taken from the digits as written out, so short numbers fill from red.
    EXPECT_EQ(ColourTextChannels("&HFF"), (Channels{0xFF00, 0, 0}));
    EXPECT_THROW(ColourTextChannels("lavender"), RuntimeError);
    EXPECT_THROW(ColourTextChannels("&HXYZ"), RuntimeError);
}

TEST(PaintPlan, EdgeLengthsRoundHalfToEven) {
    bool reversed = false;
    PaintPlan plan = PlanPaintLook(SkinPicture::Normal, 1, reversed, Face(1240.5f, 374.5f), 195);
    EXPECT_EQ(plan.pieces[1].destination.width, 1120);  // 1120.5
    EXPECT_EQ(plan.pieces[3].destination.height, 254);  // 254.5
    plan = PlanPaintLook(SkinPicture::Normal, 1, reversed, Face(1241.5f, 375.5f), 195);
    EXPECT_EQ(plan.pieces[1].destination.width, 1122);  // 1121.5
    EXPECT_EQ(plan.pieces[3].destination.height, 256);  // 255.5
}

TEST(PaintPlan, AFaceTooLargeForTheEdgesStillGetsItsCorners) {
    bool reversed = false;
    // W - 120 overflows 16 bits: the four pieces using it are skipped, the rest is drawn.
    PaintPlan plan = PlanPaintLook(SkinPicture::Normal, 1, reversed, Face(40000, 375), 195);
    std::set<int> numbers;
    for (const auto& piece : plan.pieces) numbers.insert(piece.number);
    EXPECT_EQ(numbers, (std::set<int>{1, 3, 4, 5, 7, 8}));
    EXPECT_TRUE(plan.gradient);

    // A face whose pixel size does not fit 32 bits loses its gradient but keeps the frame.
    FaceSize huge = Face(1215, 375);
    huge.widthPixels = 1e10f;
    plan = PlanPaintLook(SkinPicture::Normal, 1, reversed, huge, 195);
    EXPECT_FALSE(plan.gradient);
    EXPECT_EQ(plan.pieces.size(), 8u);
}

}  // namespace
}  // namespace spindle
