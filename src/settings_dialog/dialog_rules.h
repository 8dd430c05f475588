// The settings dialog's rules: the texts it shows and saves, where it stands, and its shading.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/private_profile.h"

namespace spindle {

// The speed bar's range; a stored speed outside it is refused by the bar.
inline constexpr int kSpeedMin = 1;
inline constexpr int kSpeedMax = 50;

// The music kinds, which are also the indexes of the three selection rows.
inline constexpr int kMusicChoiceCount = 3;

// The repeat box's text for a track number: the "##" format (empty for 0).
std::string RepeatText(std::int64_t bgmRepeat);

// The repeat box's list: an empty entry, then "1" to "30".
std::vector<std::string> RepeatListEntries();

// The speed as the label under the bar shows it: plain decimal text, no blank in front.
std::string SpeedCaption(float speed);

// A number as the settings file stores it: a leading blank, or the minus sign (" 25", "-3").
std::string SaveText(std::int64_t value);

// The repeat box's text as a track number: a numeric text is rounded half to even to 16 bits,
// any other text (an empty one included) is 0. A number outside the 16-bit range throws
// RuntimeError, so the caller keeps the value it had.
std::int16_t RepeatFromText(std::string_view text, char decimalSeparator = '.');

// What the dialog tells of a save that wrote nothing: that the settings could not be saved and
// why, in the dialog's own style of text. Nothing for a save that was written.
std::optional<std::string> SaveFailureMessage(WriteOutcome outcome);

// Where the dialog stands, in twips: centred across, at a third of the free height from the
// top. Each difference is rounded half to even, then divided with truncation toward zero.
struct DialogPosition {
    std::int32_t left = 0;
    std::int32_t top = 0;
    friend bool operator==(const DialogPosition&, const DialogPosition&) = default;
};
DialogPosition DialogPlacement(double screenWidth, double screenHeight, double dialogWidth, double dialogHeight);

// The background shading: one horizontal line per pixel row, from row 0 to the interior height
// (that row included), bright across the middle and dark at both edges.
enum class ShadedSurface { Form, PictureBox };

struct ShadeColour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const ShadeColour&, const ShadeColour&) = default;
};

// The level v of row y for an interior height h: |220 sin(y / (h / 3.142))|, rounded half to even.
int ShadeLevel(int y, int interiorHeight);
ShadeColour ShadeColourFor(ShadedSurface surface, int level);
// The colours of rows 0 to n; nothing for an interior without height.
std::vector<ShadeColour> ShadingLines(ShadedSurface surface, int interiorHeight);

}  // namespace spindle
