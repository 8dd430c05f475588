// The caption font and its stored text form.
#include "controls/command/command_font.h"

#include <charconv>
#include <cmath>
#include <vector>

namespace spindle {
namespace {

template <typename Number>
bool ParseField(std::string_view field, Number& out) {
    if (field.empty()) return false;
    auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), out);
    return error == std::errc() && end == field.data() + field.size();
}

std::string FormatSize(double size) {
    char buffer[32];
    auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, size);
    return error == std::errc() ? std::string(buffer, end) : std::string("9.75");
}

}  // namespace

CaptionFont DesignedCaptionFont() { return CaptionFont{}; }

std::string FontToText(const CaptionFont& font) {
    return FormatSize(font.pointSize) + ";" + std::to_string(font.weight) + ";" + (font.italic ? "1" : "0") + ";" +
           (font.underline ? "1" : "0") + ";" + (font.strikethrough ? "1" : "0") + ";" +
           std::to_string(static_cast<int>(font.charset)) + ";" + font.face;
}

std::optional<CaptionFont> TextToFont(std::string_view text) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    while (fields.size() < 6) {
        std::size_t semicolon = text.find(';', start);
        if (semicolon == std::string_view::npos) return std::nullopt;
        fields.push_back(text.substr(start, semicolon - start));
        start = semicolon + 1;
    }
    CaptionFont font;
    font.face = std::string(text.substr(start));
    int italic = 0, underline = 0, strike = 0, charset = 0;
    if (!ParseField(fields[0], font.pointSize) || !ParseField(fields[1], font.weight) ||
        !ParseField(fields[2], italic) || !ParseField(fields[3], underline) || !ParseField(fields[4], strike) ||
        !ParseField(fields[5], charset)) {
        return std::nullopt;
    }
    // Sizes a font can have; a face name the platform would refuse (empty, over 31 characters) is
    // left to the platform, which falls back to a default face.
    if (!std::isfinite(font.pointSize) || font.pointSize <= 0 || font.pointSize > 2048) return std::nullopt;
    if (font.weight < 0 || font.weight > 1000) return std::nullopt;
    if (italic < 0 || italic > 1 || underline < 0 || underline > 1 || strike < 0 || strike > 1) return std::nullopt;
    if (charset < 0 || charset > 255) return std::nullopt;
    font.italic = italic == 1;
    font.underline = underline == 1;
    font.strikethrough = strike == 1;
    font.charset = static_cast<std::uint8_t>(charset);
    return font;
}

}  // namespace spindle
