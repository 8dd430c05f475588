// The caption font of the gradient button, and its text form in the host's property store.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace spindle {

struct CaptionFont {
    std::string face = "\xEF\xBC\xAD\xEF\xBC\xB3 \xEF\xBC\xB0\xE3\x82\xB4\xE3\x82\xB7\xE3\x83\x83\xE3\x82\xAF";  // ＭＳ Ｐゴシック
    double pointSize = 9.75;
    int weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;
    std::uint8_t charset = 128;  // Shift-JIS

    bool Bold() const { return weight >= 700; }
    friend bool operator==(const CaptionFont&, const CaptionFont&) = default;
};

// The font the caption label carries as designed (the default above).
CaptionFont DesignedCaptionFont();

// "9.75;400;0;0;0;128;ＭＳ Ｐゴシック": size, weight, italic, underline, strike-out, character
// set, and the face name last so that it may hold any character.
std::string FontToText(const CaptionFont& font);
// Empty when the text is not a font in that form (wrong field count, a number out of range).
std::optional<CaptionFont> TextToFont(std::string_view text);

}  // namespace spindle
