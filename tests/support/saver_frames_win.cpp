// The saver's frames redrawn off screen, laid out as its load lays them out, until each picture
// has been met.
#include "support/saver_frames_win.h"

#include <cstddef>

#include "runtime/conversions.h"
#include "runtime/screen_win.h"
#include "saver/line_animation.h"
#include "saver/saver_display_win.h"

namespace spindle::test {
namespace {

// Compares each frame, at its event pass, with the next picture still to be found.
class FrameMatcher : public EventYield {
public:
    FrameMatcher(const SaverDisplay& display, const std::vector<ScreenPixels>& pictures, AnchorState& anchors,
                 int frameLimit)
        : display_(display), pictures_(pictures), anchors_(anchors), frameLimit_(frameLimit),
          found_(pictures.size(), -1) {}

    void YieldToEvents() override {
        while (next_ < pictures_.size() && Shows(pictures_[next_])) found_[next_++] = frame_;
        if (next_ == pictures_.size() || ++frame_ >= frameLimit_) anchors_.Running = false;
    }
    const std::vector<int>& Found() const { return found_; }

private:
    bool Shows(const ScreenPixels& picture) const {
        const PersistentImage& image = display_.Image();
        if (picture.width != image.WidthPixels() || picture.height != image.HeightPixels()) return false;
        const std::uint32_t* pixels = image.Pixels();
        for (std::size_t i = 0; i < picture.pixels.size(); ++i) {
            if ((pixels[i] & 0xFFFFFF) != picture.pixels[i]) return false;
        }
        return true;
    }

    const SaverDisplay& display_;
    const std::vector<ScreenPixels>& pictures_;
    AnchorState& anchors_;
    int frameLimit_;
    std::vector<int> found_;
    std::size_t next_ = 0;
    int frame_ = 0;
};

}  // namespace

std::vector<int> SaverFramesShown(const std::vector<ScreenPixels>& pictures, float rotationSpeed, int frameLimit) {
    if (pictures.empty()) return {};
    const int width = pictures[0].width, height = pictures[0].height;
    SaverDisplay display;
    display.Cover(width, height, TwipsPerPixelX(), TwipsPerPixelY());
    const std::int32_t left = RoundToInt32((width - display.PictureWidth()) / 2);
    const std::int32_t top = RoundToInt32((height - display.PictureHeight()) / 2);
    display.CopyPicture(left, top, RoundToInt32(display.PictureWidth()), RoundToInt32(display.PictureHeight()));
    display.KeepAsBackground();
    AnchorState anchors;
    FrameMatcher matcher(display, pictures, anchors, frameLimit);
    NoFrameWait unpaced;
    UniformRandom random;
    RunAnimation(anchors, display, matcher, unpaced, random, rotationSpeed);
    return matcher.Found();
}

}  // namespace spindle::test
