// The paint plan of the gradient button: what `PaintLook` draws (clear, gradient, eight frame
// pieces) and where it puts the caption, worked out without touching the platform.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace spindle {

enum class SkinPicture : std::uint8_t { Normal, HighLight, HighLightSelect, Selected, Pressed, Disable };
inline constexpr int kSkinPictureCount = 6;

// The face is laid out in twips and converted at a fixed 15 twips per pixel: the skins are
// 64 x 25 pixels, 960 x 375 twips.
inline constexpr double kTwipsPerPixel = 15.0;

// The layout of the platform's TRIVERTEX and GRADIENT_RECT.
struct TriVertex {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::uint16_t red = 0;
    std::uint16_t green = 0;
    std::uint16_t blue = 0;
    std::uint16_t alpha = 0;
    friend bool operator==(const TriVertex&, const TriVertex&) = default;
};
struct GradientRectMesh {
    std::uint32_t upperLeft = 0;
    std::uint32_t lowerRight = 0;
};
inline constexpr std::uint32_t kGradientFillRectV = 1;

struct GradientPlan {
    std::array<TriVertex, 2> vertices{};
    GradientRectMesh mesh{};
    std::uint32_t mode = kGradientFillRectV;
};

struct TwipsRect {
    double x = 0, y = 0, width = 0, height = 0;
};
struct PixelRect {
    std::int32_t x = 0, y = 0, width = 0, height = 0;
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};
// Each coordinate and size converted on its own, rounding half to even.
PixelRect ToPixels(const TwipsRect& twips);

struct FramePiece {
    int number = 0;  // 1 to 8, in drawing order
    TwipsRect source;
    TwipsRect destination;
};

// The face as the paint sees it: the control's size in twips and in pixels.
struct FaceSize {
    float widthTwips = 0, heightTwips = 0;
    float widthPixels = 0, heightPixels = 0;
};

struct PaintPlan {
    SkinPicture picture = SkinPicture::Normal;
    // The whole face is cleared to the background colour first.
    bool clear = true;
    // Missing when working it out failed; the paint goes on without it.
    std::optional<GradientPlan> gradient;
    // The pieces that could be worked out, in drawing order.
    std::vector<FramePiece> pieces;
    // The caption label's new top, left and width (twips).
    float labelTop = 0;
    float labelLeft = 0;
    float labelWidth = 0;
};

// The two gradient colours as held by the control.
inline constexpr std::string_view kGradientLightText = "&HFFFFFF";
inline constexpr std::string_view kGradientDarkText = "&HC6C5D7";

// Red, green and blue of a colour text as 16-bit channel values (the 8-bit value in the high
// byte). Throws RuntimeError when the text is no number.
std::array<std::uint16_t, 3> ColourTextChannels(std::string_view colourText);

// Step 1 of `PaintLook`: states 1 and 3 put white on top, state 2 lavender; any other state
// keeps the previous paint's direction.
bool NextGradientReversed(std::uint8_t lookState, bool previous);

// `FillGradient`'s vertices and mesh; throws RuntimeError when the face is too large.
GradientPlan PlanFillGradient(const FaceSize& face, bool gradientReversed);

// `PaintLook(picture)`: updates gradientReversed from the look state and returns the plan.
// A piece or gradient that cannot be worked out is left out, as a failing step is skipped.
PaintPlan PlanPaintLook(SkinPicture picture, std::uint8_t lookState, bool& gradientReversed, const FaceSize& face,
                        float labelHeightTwips);

}  // namespace spindle
