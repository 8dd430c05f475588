// The persistent off-screen image: lines in twips, clearing to the kept background, and
// coordinates or sizes that cannot be drawn.
#include "runtime/surface_win.h"

#include <gtest/gtest.h>

#include <limits>

namespace spindle {
namespace {

std::uint32_t At(const PersistentImage& image, int x, int y) {
    return image.Pixels()[y * image.WidthPixels() + x] & 0xFFFFFF;
}

TEST(PersistentImage, LinesTakeTwipsAndTheScreensFactors) {
    struct Case {
        double twipsPerPixel;
        double x1, y, x2;
    };
    // Both put a line from pixel 10 to pixel 89 (the end point is not drawn) on row 20.
    for (const Case& c : {Case{15, 150, 300, 1350}, Case{10, 100, 200, 900}}) {
        PersistentImage image;
        ASSERT_TRUE(image.Resize(100, 50, c.twipsPerPixel, c.twipsPerPixel));
        EXPECT_DOUBLE_EQ(image.ScaleWidth(), 100 * c.twipsPerPixel);
        EXPECT_DOUBLE_EQ(image.ScaleHeight(), 50 * c.twipsPerPixel);
        image.Line(c.x1, c.y, c.x2, c.y, 0x0000FF);  // GDI order: red in the low byte
        EXPECT_EQ(At(image, 10, 20), 0xFF0000u);
        EXPECT_EQ(At(image, 50, 20), 0xFF0000u);
        EXPECT_EQ(At(image, 88, 20), 0xFF0000u);
        EXPECT_EQ(At(image, 9, 20), 0u);
        EXPECT_EQ(At(image, 50, 19), 0u);
        EXPECT_EQ(At(image, 50, 21), 0u);
    }
}

TEST(PersistentImage, ClsRestoresTheKeptBackgroundOrBlack) {
    PersistentImage image;
    ASSERT_TRUE(image.Resize(40, 30, 15, 15));
    image.Line(0, 150, 600, 150, 0x00FF00);
    image.Cls();
    EXPECT_EQ(At(image, 5, 10), 0u);  // nothing kept yet: black

    image.Line(0, 150, 600, 150, 0x00FF00);
    ASSERT_TRUE(image.KeepAsBackground());
    image.Line(0, 300, 600, 300, 0xFF0000);
    EXPECT_EQ(At(image, 5, 20), 0x0000FFu);
    image.Cls();
    EXPECT_EQ(At(image, 5, 10), 0x00FF00u);
    EXPECT_EQ(At(image, 5, 20), 0u);

    // A new size starts black again and forgets the background.
    ASSERT_TRUE(image.Resize(20, 20, 15, 15));
    image.Cls();
    EXPECT_EQ(At(image, 5, 10), 0u);
}

TEST(PersistentImage, UndrawableInputIsHarmless) {
    PersistentImage empty;
    for (auto size : {std::pair{0, 0}, std::pair{-5, 10}, std::pair{10, 0}}) {
        EXPECT_FALSE(empty.Resize(size.first, size.second, 15, 15));
        EXPECT_EQ(empty.WidthPixels(), 0);
        EXPECT_EQ(empty.ScaleWidth(), 0.0);
    }
    empty.Cls();
    empty.Line(0, 0, 100, 100, 0xFFFFFF);
    empty.Refresh(nullptr);
    EXPECT_FALSE(empty.KeepAsBackground());
    EXPECT_EQ(empty.Pixels(), nullptr);

    PersistentImage image;
    ASSERT_TRUE(image.Resize(30, 30, 15, 15));
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double huge = 1e300;
    image.Line(-huge, -huge, huge, huge, 0xFFFFFF);  // clipped, not wrapped round
    image.Line(nan, 0, 300, nan, 0xFFFFFF);
    image.Line(-1e9, 150, 1e9, 150, 0x0000FF);
    EXPECT_EQ(At(image, 15, 10), 0xFF0000u);
    // Bad factors fall back to the usual 15 twips per pixel.
    ASSERT_TRUE(image.Resize(30, 30, 0, -1));
    EXPECT_DOUBLE_EQ(image.ScaleWidth(), 450);
}

}  // namespace
}  // namespace spindle
