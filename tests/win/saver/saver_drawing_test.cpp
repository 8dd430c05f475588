// The saver's drawing: a frame in the off-screen Display of each monitor (the picture centred or
// cut, black elsewhere, red, green and blue lines over it), lines in twips, and input that cannot
// be drawn.
#include "saver/saver_display_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <limits>
#include <vector>

#include "resource_ids.h"
#include "support/saver_frames_win.h"

namespace spindle {
namespace {

test::ScreenPixels Shown(const PersistentImage& image) {
    return test::CaptureDc(image.Dc(), 0, 0, image.WidthPixels(), image.HeightPixels());
}

struct OneFrame : EventYield {
    explicit OneFrame(AnimationState& state) : animation(state) {}
    void YieldToEvents() override { animation.Running = false; }
    AnimationState& animation;
};

TEST(SaverFrame, OnEachMonitorThePictureCentredOrCutBlackElsewhereAndLinesInAllThreeColours) {
    const test::ScreenPixels earth = test::PixelsOfBitmap(LoadPictureResource(IDR_EARTH_PICTURE).bitmap.get());
    ASSERT_EQ(std::pair(earth.width, earth.height), std::pair(320, 320));
    const std::array<int, 4> monitors[] = {{1920, 1080, 800, 380}, {200, 150, -60, -85}, {1, 1, -160, -160}};
    SaverDisplay display;  // three monitors, laid out as the saver's load does, then one frame
    display.Cover({{1920, 1080}, {200, 150}, {1, 1}});
    for (int m = 0; m < 3; ++m) display.CopyPicture(m, monitors[m][2], monitors[m][3], 320, 320);
    display.KeepAsBackground();
    AnimationState animation;
    OneFrame stop(animation);
    UniformRandom random;
    NoFrameWait unpaced;
    RunAnimation(animation, display, stop, unpaced, random, 1);
    for (int m = 0; m < 3; ++m) {
        const auto [width, height, left, top] = monitors[m];
        const test::SaverLook frame = test::LookOf(Shown(display.At(m).Image()), earth, left, top);
        display.At(m).Cls();  // the picture alone again
        const test::SaverLook picture = test::LookOf(Shown(display.At(m).Image()), earth, left, top);
        EXPECT_EQ(std::tuple(frame.stray, picture.earthChanged, picture.stray, picture.channels),
                  std::tuple(0, 0, 0, std::array<int, 3>{})) << width;
        if (width == 1920) {  // lines of each colour, over the picture too
            EXPECT_GT(std::min({frame.channels[0], frame.channels[1], frame.channels[2]}), 1000);
            EXPECT_GT(frame.earthChanged, 100);
        }
    }
}

// Each monitor's Display is measured in twips at its own DPI, so the figures keep their size on
// a monitor of 150 % or 200 % instead of shrinking there; the picture keeps its own pixels.
TEST(SaverDisplay, EachMonitorMeasuredAtItsOwnDpi) {
    SaverDisplay display;
    display.Cover({{1920, 1080, 96}, {2880, 1620, 144}, {3840, 2160, 192}, {1600, 900, 120}});
    const std::tuple<float, float> twips[] = {{28800, 16200}, {28800, 16200}, {28800, 16200}, {19200, 10800}};
    for (int m = 0; m < 4; ++m) {
        EXPECT_EQ(std::tuple(display.At(m).ScaleWidth(), display.At(m).ScaleHeight()), twips[m]) << m;
    }
    EXPECT_EQ(std::pair(display.PictureWidth(), display.PictureHeight()), std::pair(320.0, 320.0));
}

TEST(PersistentImage, LinesTakeTwipsAndUndrawableInputIsHarmless) {
    // Both draw pixels 10 to 89 of row 20 (the end point, 90, is not drawn).
    for (auto [twipsPerPixel, x1, y, x2] : {std::array{15., 150., 300., 1350.}, std::array{10., 100., 200., 900.}}) {
        PersistentImage image;
        ASSERT_TRUE(image.Resize(100, 50, twipsPerPixel, twipsPerPixel));
        image.Line(x1, y, x2, y, 0x0000FF);  // GDI order: red in the low byte
        const test::ScreenPixels shown = Shown(image);
        for (int x = 0; x < 100; ++x) EXPECT_EQ(shown.At(x, 20), x >= 10 && x <= 89 ? 0xFF0000u : 0u) << x;
        EXPECT_EQ(shown.At(50, 19) | shown.At(50, 21), 0u);
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
    EXPECT_EQ(Shown(image).At(15, 10), 0xFF0000u);
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
