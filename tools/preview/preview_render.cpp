// Renders the preview's still picture with the saver's own animation model: one frame of the
// three line figures over the centred Earth, drawn as the saver draws it (twips to pixels, one-
// pixel lines without their end point, later lines over earlier ones) on a screen three times
// the preview's size, then reduced to the preview's size by averaging light.
//   preview_render EARTH.ppm OUT.ppm WIDTH HEIGHT SPEED FRAME
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "common/ppm_image.h"
#include "saver/line_animation.h"
#include "saver/uniform_random.h"

namespace {

using spindle::tools::Image;
using spindle::tools::ToCode;
using spindle::tools::ToLinear;

constexpr int kScale = 3;
constexpr double kTwipsPerPixel = 15;

// The saver's Display in software: a background with the Earth centred, Cls, and GDI-like lines.
class SoftwareDisplay : public spindle::DrawingSurface, public spindle::EventYield {
public:
    SoftwareDisplay(const Image& earth, int width, int height, int frameToKeep, spindle::AnchorState& anchors)
        : frameToKeep_(frameToKeep), anchors_(anchors) {
        background_.width = image.width = width;
        background_.height = image.height = height;
        background_.rgb.assign(static_cast<std::size_t>(width) * height * 3, 0);
        // Centred as the saver centres it (the offsets here are whole numbers).
        const int left = (width - earth.width) / 2, top = (height - earth.height) / 2;
        for (int y = 0; y < earth.height; ++y) {
            for (int x = 0; x < earth.width; ++x) {
                const int tx = left + x, ty = top + y;
                if (tx < 0 || ty < 0 || tx >= width || ty >= height) continue;
                const std::uint8_t* p = &earth.rgb[(static_cast<std::size_t>(y) * earth.width + x) * 3];
                std::copy(p, p + 3, background_.At(tx, ty));
            }
        }
        image.rgb = background_.rgb;
    }

    float ScaleWidth() override { return static_cast<float>(image.width * kTwipsPerPixel); }
    float ScaleHeight() override { return static_cast<float>(image.height * kTwipsPerPixel); }
    void Cls() override {
        if (frame_ == frameToKeep_) image.rgb = background_.rgb;
    }
    void Line(float x1, float y1, float x2, float y2, std::uint32_t rgb) override {
        if (frame_ != frameToKeep_) return;  // only the kept frame is drawn
        DrawLine(Pixel(x1), Pixel(y1), Pixel(x2), Pixel(y2), rgb);
    }
    void Refresh() override {}
    void YieldToEvents() override {
        if (frame_++ == frameToKeep_) anchors_.Running = false;
    }

    Image image;

private:
    static long Pixel(double twips) { return std::lround(std::clamp(twips / kTwipsPerPixel, -1e7, 1e7)); }

    // Bresenham from (x1, y1) up to but not including (x2, y2), only where it meets the image.
    void DrawLine(long x1, long y1, long x2, long y2, std::uint32_t rgb) {
        const long dx = std::labs(x2 - x1), dy = -std::labs(y2 - y1);
        const long sx = x1 < x2 ? 1 : -1, sy = y1 < y2 ? 1 : -1;
        const std::uint8_t colour[3] = {static_cast<std::uint8_t>(rgb & 0xFF),
                                        static_cast<std::uint8_t>((rgb >> 8) & 0xFF),
                                        static_cast<std::uint8_t>((rgb >> 16) & 0xFF)};
        long error = dx + dy;
        long x = x1, y = y1;
        const long margin = 4;
        while (x != x2 || y != y2) {
            if (x >= 0 && y >= 0 && x < image.width && y < image.height) {
                std::copy(colour, colour + 3, image.At(static_cast<int>(x), static_cast<int>(y)));
            } else if ((x < -margin && sx < 0) || (y < -margin && sy < 0) ||
                       (x > image.width + margin && sx > 0) || (y > image.height + margin && sy > 0)) {
                return;  // moving away outside the image: nothing more to draw
            }
            const long twice = 2 * error;
            if (twice >= dy) {
                error += dy;
                x += sx;
            }
            if (twice <= dx) {
                error += dx;
                y += sy;
            }
        }
    }

    Image background_;
    int frame_ = 0;
    int frameToKeep_;
    spindle::AnchorState& anchors_;
};

// Box-filters a picture by a whole factor (averaging light, not codes).
Image Reduce(Image& large, int factor) {
    Image small;
    small.width = large.width / factor;
    small.height = large.height / factor;
    small.rgb.resize(static_cast<std::size_t>(small.width) * small.height * 3);
    for (int y = 0; y < small.height; ++y) {
        for (int x = 0; x < small.width; ++x) {
            for (int c = 0; c < 3; ++c) {
                double sum = 0;
                for (int sy = 0; sy < factor; ++sy)
                    for (int sx = 0; sx < factor; ++sx) sum += ToLinear(large.At(x * factor + sx, y * factor + sy)[c]);
                small.At(x, y)[c] = ToCode(sum / (factor * factor));
            }
        }
    }
    return small;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 7) {
        std::cerr << "usage: preview_render EARTH.ppm OUT.ppm WIDTH HEIGHT SPEED FRAME\n";
        return 2;
    }
    Image earth;
    if (!spindle::tools::ReadPpm(argv[1], earth)) return 1;
    const int width = std::atoi(argv[3]), height = std::atoi(argv[4]);
    const float speed = static_cast<float>(std::atof(argv[5]));
    const int frame = std::atoi(argv[6]);
    if (width < 16 || height < 16 || width > 1000 || height > 1000 || frame < 0 || frame > 100000) return 2;

    // The saver's Earth at half size, on a screen three times the preview's size.
    Image shrunkEarth = Reduce(earth, 2);  // the saver's Earth, made to fit the preview
    spindle::AnchorState anchors;
    SoftwareDisplay display(shrunkEarth, width * kScale, height * kScale, frame, anchors);
    spindle::UniformRandom random;
    spindle::NoFrameWait unpaced;
    spindle::RunAnimation(anchors, display, display, unpaced, random, speed);
    Image preview = Reduce(display.image, kScale);
    return spindle::tools::WritePpm(argv[2], preview) ? 0 : 1;
}
