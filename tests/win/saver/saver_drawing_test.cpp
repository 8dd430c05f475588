// The saver's drawing: a frame in an off-screen Display (the picture centred or cut, black
// elsewhere, red, green and blue lines over it), lines in twips, and input that cannot be drawn.
#include "saver/saver_display_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <limits>
#include <vector>

#include "resource_ids.h"
#include "support/screen_pixels_win.h"

namespace spindle {
namespace {

std::uint32_t At(const PersistentImage& image, int x, int y) {
    return image.Pixels()[y * image.WidthPixels() + x] & 0xFFFFFF;
}

struct OneFrame : EventYield {
    explicit OneFrame(AnchorState& state) : anchors(state) {}
    void YieldToEvents() override { anchors.Running = false; }
    AnchorState& anchors;
};

TEST(SaverFrame, PictureCentredOrCutBlackElsewhereAndLinesInAllThreeColours) {
    const test::ScreenPixels earth = test::PixelsOfBitmap(LoadPictureResource(IDR_EARTH_PICTURE).bitmap.get());
    ASSERT_EQ(std::pair(earth.width, earth.height), std::pair(320, 320));
    for (auto [width, height, left, top] : {std::array{1920, 1080, 800, 380}, std::array{200, 150, -60, -85},
                                            std::array{1, 1, -160, -160}}) {
        SaverDisplay display;  // laid out as the saver's load does, then one frame
        display.Cover(width, height, 15, 15);
        display.CopyPicture(left, top, 320, 320);
        display.KeepAsBackground();
        AnchorState anchors;
        OneFrame stop(anchors);
        UniformRandom random;
        NoFrameWait unpaced;
        RunAnimation(anchors, display, stop, unpaced, random, 1);
        for (bool cleared : {false, true}) {  // the frame, then the picture alone that Cls restores
            int wrong = 0, stray = 0, covered = 0, channels[3] = {};
            for (int y = 0; y < height; ++y) {
                for (int x = 0; x < width; ++x) {
                    const int px = x - left, py = y - top;
                    const std::uint32_t c = At(display.Image(), x, y);
                    const bool inside = px >= 0 && py >= 0 && px < 320 && py < 320;
                    wrong += cleared && c != (inside ? earth.At(px, py) : 0);
                    covered += inside && c != earth.At(px, py);
                    stray += !inside && !test::SingleChannel(c);
                    if (!inside && c) ++channels[c > 0xFFFF ? 0 : c > 0xFF ? 1 : 2];
                }
            }
            EXPECT_EQ(std::pair(wrong, stray), std::pair(0, 0)) << width << " " << cleared;
            if (!cleared && width == 1920) {
                EXPECT_GT(std::min({channels[0], channels[1], channels[2]}), 1000);
                EXPECT_GT(covered, 100);  // lines lie over the picture too
            }
            display.Cls();
        }
    }
}

TEST(PersistentImage, LinesTakeTwipsAndUndrawableInputIsHarmless) {
    // Both draw pixels 10 to 89 of row 20 (the end point, 90, is not drawn).
    for (auto [twipsPerPixel, x1, y, x2] : {std::array{15., 150., 300., 1350.}, std::array{10., 100., 200., 900.}}) {
        PersistentImage image;
        ASSERT_TRUE(image.Resize(100, 50, twipsPerPixel, twipsPerPixel));
        image.Line(x1, y, x2, y, 0x0000FF);  // GDI order: red in the low byte
        for (int x = 0; x < 100; ++x) EXPECT_EQ(At(image, x, 20), x >= 10 && x <= 89 ? 0xFF0000u : 0u) << x;
        EXPECT_EQ(At(image, 50, 19) | At(image, 50, 21), 0u);
    }
    PersistentImage empty;
    for (auto [width, height] : {std::pair{0, 0}, std::pair{-5, 10}, std::pair{10, 0}})
        EXPECT_FALSE(empty.Resize(width, height, 15, 15));
    empty.Cls();
    empty.Line(0, 0, 100, 100, 0xFFFFFF);
    empty.Refresh(nullptr);
    EXPECT_FALSE(empty.KeepAsBackground());
    EXPECT_EQ(empty.Pixels(), nullptr);
    PersistentImage image;
    ASSERT_TRUE(image.Resize(30, 30, 0, -1));  // bad factors: the usual 15 twips per pixel
    EXPECT_DOUBLE_EQ(image.ScaleWidth(), 450);
    const double nan = std::numeric_limits<double>::quiet_NaN(), huge = 1e300;
    image.Line(-huge, -huge, huge, huge, 0xFFFFFF);  // clipped, not wrapped round
    image.Line(nan, 0, 300, nan, 0xFFFFFF);
    image.Line(-1e9, 150, 1e9, 150, 0x0000FF);
    EXPECT_EQ(At(image, 15, 10), 0xFF0000u);
}

TEST(DecodePicture, MissingOrBrokenPicturesGiveNothing) {
    const std::vector<unsigned char> garbage(500, 0x5A);
    const unsigned char jpegStart[] = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 'J', 'F', 'I', 'F', 0};
    EXPECT_FALSE(LoadPictureResource(9999) || DecodePicture(nullptr, 100) || DecodePicture(garbage.data(), 0));
    EXPECT_FALSE(DecodePicture(garbage.data(), garbage.size()) || DecodePicture(jpegStart, sizeof jpegStart));
    EXPECT_FALSE(PictureImage(DecodedPicture{}).Loaded());
}

}  // namespace
}  // namespace spindle
