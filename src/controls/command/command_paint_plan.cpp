// The paint plan of the gradient button.
#include "controls/command/command_paint_plan.h"

#include <charconv>
#include <string>

#include "runtime/conversions.h"
#include "runtime/runtime_error.h"

namespace spindle {
namespace {

// The colour text read as a number: "&H" hexadecimal digits, or a decimal number.
std::uint32_t ColourTextValue(std::string_view text) {
    if (text.size() > 2 && text[0] == '&' && (text[1] == 'H' || text[1] == 'h')) {
        std::uint32_t value = 0;
        auto digits = text.substr(2);
        auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
        if (error == std::errc() && end == digits.data() + digits.size()) return value;
    } else if (auto number = TextToNumber(text); number && *number >= 0) {
        return static_cast<std::uint32_t>(RoundToInt32(*number));
    }
    throw RuntimeError(RuntimeError::Kind::TypeMismatch, "not a colour");
}

std::string UpperHex(std::uint32_t value) {
    char buffer[16];
    auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, 16);
    (void)error;
    std::string text(buffer, end);
    for (char& c : text) {
        if (c >= 'a' && c <= 'f') c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
}

// A digit pair with "00" appended, read as a 16-bit hexadecimal number; a missing pair reads 0.
std::uint16_t PairChannel(const std::string& hex, std::size_t start) {
    std::string pair = start < hex.size() ? hex.substr(start, 2) : std::string();
    std::uint16_t value = 0;
    std::string text = pair + "00";
    std::from_chars(text.data(), text.data() + text.size(), value, 16);
    return value;
}

TwipsRect Rect(double x, double y, double width, double height) { return TwipsRect{x, y, width, height}; }

}  // namespace

PixelRect ToPixels(const TwipsRect& twips) {
    return PixelRect{RoundToInt32(twips.x / kTwipsPerPixel), RoundToInt32(twips.y / kTwipsPerPixel),
                     RoundToInt32(twips.width / kTwipsPerPixel), RoundToInt32(twips.height / kTwipsPerPixel)};
}

std::array<std::uint16_t, 3> ColourTextChannels(std::string_view colourText) {
    std::string hex = UpperHex(ColourTextValue(colourText));
    return {PairChannel(hex, 0), PairChannel(hex, 2), PairChannel(hex, 4)};
}

bool NextGradientReversed(std::uint8_t lookState, bool previous) {
    switch (lookState) {
        case 1: return false;
        case 2: return true;
        case 3: return false;
        default: return previous;
    }
}

GradientPlan PlanFillGradient(const FaceSize& face, bool gradientReversed) {
    auto light = ColourTextChannels(kGradientLightText);
    auto dark = ColourTextChannels(kGradientDarkText);
    GradientPlan plan;
    TriVertex& top = plan.vertices[0];
    TriVertex& bottom = plan.vertices[1];
    top.x = 0;
    top.y = 0;
    bottom.x = RoundToInt32(face.widthPixels - 1.0f);
    bottom.y = RoundToInt32(face.heightPixels - 1.0f);
    const auto& topColour = gradientReversed ? dark : light;
    const auto& bottomColour = gradientReversed ? light : dark;
    top.red = topColour[0];
    top.green = topColour[1];
    top.blue = topColour[2];
    bottom.red = bottomColour[0];
    bottom.green = bottomColour[1];
    bottom.blue = bottomColour[2];
    plan.mesh.upperLeft = 1;
    plan.mesh.lowerRight = 0;
    plan.mode = kGradientFillRectV;
    return plan;
}

PaintPlan PlanPaintLook(SkinPicture picture, std::uint8_t lookState, bool& gradientReversed, const FaceSize& face,
                        float labelHeightTwips) {
    gradientReversed = NextGradientReversed(lookState, gradientReversed);
    PaintPlan plan;
    plan.picture = picture;
    const float w = face.widthTwips;
    const float h = face.heightTwips;

    RunStep([&] { plan.gradient = PlanFillGradient(face, gradientReversed); });

    // The edge lengths are 16-bit whole numbers; on a face too large for them the edge pieces fail
    // and are skipped while the corners are still drawn.
    auto add = [&](int number, auto&& make) {
        RunStep([&] {
            auto [source, destination] = make();
            plan.pieces.push_back(FramePiece{number, source, destination});
        });
    };
    add(1, [&] { return std::pair{Rect(0, 0, 60, 60), Rect(1, 1, 60, 60)}; });
    add(2, [&] { return std::pair{Rect(60, 1, 840, 60), Rect(60, 1, RoundToInt16(w - 120.0f), 60)}; });
    add(3, [&] { return std::pair{Rect(900, 1, 60, 60), Rect(w - 60.0f, 1, 60, 60)}; });
    add(4, [&] { return std::pair{Rect(900, 60, 60, 255), Rect(w - 60.0f, 60, 60, RoundToInt16(h - 120.0f))}; });
    add(5, [&] { return std::pair{Rect(900, 315, 60, 60), Rect(w - 60.0f, h - 60.0f, 60, 60)}; });
    add(6, [&] { return std::pair{Rect(60, 315, 840, 60), Rect(60, h - 60.0f, RoundToInt16(w - 120.0f), 60)}; });
    add(7, [&] { return std::pair{Rect(0, 315, 60, 60), Rect(1, h - 60.0f, 60, 60)}; });
    add(8, [&] { return std::pair{Rect(1, 60, 60, 255), Rect(1, 60, 60, RoundToInt16(h - 120.0f))}; });

    plan.labelTop = (h - labelHeightTwips - 20.0f) / 2.0f;
    plan.labelLeft = 0;
    plan.labelWidth = w;
    return plan;
}

}  // namespace spindle
