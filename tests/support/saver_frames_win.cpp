#include "support/saver_frames_win.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstddef>

#include "resource_ids.h"
#include "runtime/conversions.h"
#include "runtime/picture_win.h"
#include "runtime/screen_win.h"
#include "saver/line_animation.h"
#include "saver/saver_display_win.h"

namespace spindle::test {
namespace {

// Compares each frame, at its event pass, with the next picture still to be found.
struct FrameMatcher : EventYield {
    FrameMatcher(const SaverDisplay& shown, const std::vector<ScreenPixels>& wanted, AnimationState& state, int limit)
        : display(shown), pictures(wanted), animation(state), frameLimit(limit) {}
    void YieldToEvents() override {
        const PersistentImage& image = display.At(0).Image();
        const auto same = [](std::uint32_t shown, std::uint32_t drawn) { return shown == (drawn & 0xFFFFFF); };
        while (found.size() < pictures.size() &&
               pictures[found.size()].pixels.size() == std::size_t(image.WidthPixels()) * image.HeightPixels() &&
               std::equal(pictures[found.size()].pixels.begin(), pictures[found.size()].pixels.end(), image.Pixels(), same))
            found.push_back(frame);
        if (found.size() == pictures.size() || ++frame >= frameLimit) animation.Running = false;
    }
    const SaverDisplay& display;
    const std::vector<ScreenPixels>& pictures;
    AnimationState& animation;
    int frameLimit, frame = 0;
    std::vector<int> found;
};

}  // namespace

std::vector<int> SaverFramesShown(const std::vector<ScreenPixels>& pictures, float rotationSpeed, int frameLimit) {
    if (pictures.empty()) return {};
    const int width = pictures[0].width, height = pictures[0].height;
    SaverDisplay display;
    display.Cover({{width, height, ScreenDpiY()}});
    const std::int32_t left = RoundToInt32((width - display.PictureWidth()) / 2);
    const std::int32_t top = RoundToInt32((height - display.PictureHeight()) / 2);
    display.CopyPicture(0, left, top, RoundToInt32(display.PictureWidth()), RoundToInt32(display.PictureHeight()));
    display.KeepAsBackground();
    AnimationState animation;
    FrameMatcher matcher(display, pictures, animation, frameLimit);
    NoFrameWait unpaced;
    UniformRandom random;
    RunAnimation(animation, display, matcher, unpaced, random, rotationSpeed);
    matcher.found.resize(pictures.size(), -1);
    return matcher.found;
}

void ExpectTheSaversLook(int left, int top, int width, int height, int linePixels) {
    const ScreenPixels earth = PixelsOfBitmap(LoadPictureResource(IDR_EARTH_PICTURE).bitmap.get());
    ASSERT_EQ(earth.width, 320);
    const ScreenPixels first = CaptureDc(nullptr, left, top, width, height);
    Sleep(300);
    ASSERT_EQ(first.width, width);
    EXPECT_NE(first.pixels, CaptureDc(nullptr, left, top, width, height).pixels) << left << ": the lines do not move";
    // The Earth's square shown unchanged and not black; beyond it, pixels of only one of red, green and blue.
    int earthShown = 0, stray = 0;
    std::array<int, 3> channels{};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t c = first.At(x, y), px = x - (width - 320) / 2, py = y - (height - 320) / 2;
            if (px < 320u && py < 320u) {  // left of or above it: huge
                earthShown += c == earth.At(px, py) && c != 0;
            } else if (c) {
                stray += (c > 0xFFFF) + ((c & 0xFF00) != 0) + ((c & 0xFF) != 0) > 1;
                ++channels[c > 0xFFFF ? 0 : c > 0xFF ? 1 : 2];
            }
        }
    }
    EXPECT_GT(earthShown, 320 * 320 / 4) << left;  // the lines cover part of it
    EXPECT_EQ(stray, 0) << left;
    EXPECT_GT(std::min({channels[0], channels[1], channels[2]}), linePixels) << left;
}

}  // namespace spindle::test
