// The gradient button painted off-screen from its skins.
#include "controls/command/command_painter_win.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>

#include "runtime/surface_win.h"
#include "support/screen_pixels_win.h"

namespace spindle {
namespace {

using Rgb = std::uint32_t;  // 0xRRGGBB
using P = SkinPicture;
constexpr int kWidth = 81, kHeight = 25;  // 1215 x 375 twips
constexpr Rgb kBackground = 0x123456, kWhite = 0xFFFFFF, kLavender = 0xC6C5D7, kFrame = 0x003C74;

test::ScreenPixels Paint(SkinPicture picture, std::uint8_t state, bool withFrame = true) {
    bool reversed = false;
    PaintPlan plan = PlanPaintLook(picture, state, reversed, FaceSize{1215, 375, kWidth, kHeight}, 195);
    if (!withFrame) plan.pieces.clear();
    PersistentImage image;
    image.Resize(kWidth, kHeight, 15, 15);
    CommandPainterWin().CarryOut(image.Dc(), SIZE{kWidth, kHeight}, RGB(0x12, 0x34, 0x56), plan);
    return test::CaptureDc(image.Dc(), 0, 0, kWidth, kHeight);
}

bool Near(Rgb a, Rgb b, int tolerance) {  // every channel within `tolerance`
    auto off = [&](int shift) { return std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > tolerance; };
    return !off(0) && !off(8) && !off(16);
}

// Every look takes the same path from its skin; which skin a look has is the paint plan's. Two rings
// of different shape: the frame on the second line, and on the third.
TEST(CommandPainter, RingOfALookCarriesItsSkinsColours) {
    ASSERT_TRUE(CommandPainterWin().SkinsLoaded());
    // Outermost line first: top and bottom edges, left side at row 4, right side at row 20.
    const std::pair<SkinPicture, std::array<std::array<Rgb, 4>, 4>> looks[] = {
        {P::HighLight, {{{0xE0DCC9, kFrame, 0xFFF0CF, 0xFDD889}, {0xF7F6EF, kFrame, 0xE59700, 0xF8B330},
                         {0xE2DECB, kFrame, 0xFEDF9A, 0xFEDF9A}, {0xF0EEE0, kFrame, 0xF9B435, 0xF9B435}}}},
        {P::Pressed, {{{0xECE9D8, 0xE0DCC9, kFrame, 0xD1CCC1}, {0xECE9D8, 0xF6F5ED, kFrame, 0xF2F1EE},
                       {0xECE9D8, 0xE2DECB, kFrame, 0xA0ABB1}, {0xECE9D8, 0xEDEADA, kFrame, 0xC4CED2}}}}};
    for (const auto& [picture, ring] : looks) {
        const test::ScreenPixels face = Paint(picture, 1);
        for (int line = 0; line < 4; ++line) {
            for (int x : {4, 40, 76}) {
                EXPECT_EQ(std::pair(face.At(x, line), face.At(x, 24 - line)), std::pair(ring[0][line], ring[1][line]))
                    << std::hex << x << "," << line;
            }
            EXPECT_EQ(std::pair(face.At(line, 4), face.At(80 - line, 20)), std::pair(ring[2][line], ring[3][line]))
                << line;
        }
        const int in = picture == P::Pressed ? 2 : 1;  // rounded: the frame line's corner points are not its colour
        for (auto [x, y] : {std::pair{in, in}, {80 - in, in}, {in, 24 - in}, {80 - in, 24 - in}}) {
            EXPECT_NE(face.At(x, y), ring[0][in]) << x << "," << y;
        }
    }
}

TEST(CommandPainter, GradientRunsAsTheStateSaysAndStopsOnePixelShort) {
    for (auto [state, top, bottom] : {std::tuple{1, kWhite, kLavender}, {2, kLavender, kWhite}}) {
        const test::ScreenPixels bare = Paint(P::Normal, state, false), framed = Paint(P::Normal, state);
        for (int x : {0, 40, 79}) {
            EXPECT_TRUE(Near(bare.At(x, 0), top, 1) && Near(bare.At(x, 23), bottom, 4)) << state << ":" << x;
        }
        EXPECT_TRUE(Near(framed.At(40, 4), top, 12) && Near(framed.At(40, 20), bottom, 12)) << state;
        const auto leftToTheFrame = [&](int x, int y) {
            return bare.At(x, y) == kBackground && framed.At(x, y) != kBackground;
        };
        for (int x = 0; x < kWidth; ++x) EXPECT_TRUE(leftToTheFrame(x, 24)) << state << ":" << x;
        for (int y = 0; y < kHeight; ++y) EXPECT_TRUE(leftToTheFrame(80, y)) << state << ":" << y;
    }
}

}  // namespace
}  // namespace spindle
