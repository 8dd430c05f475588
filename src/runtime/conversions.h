// Number conversions of the form runtime: banker's rounding to 16/32 bits, integer part,
// the leading-number read, number-to-text with its leading blank, and the "##" format.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace spindle {

// Rounds to the nearest whole number, ties to even. Throws RuntimeError (Overflow) when the
// result does not fit, or for NaN.
std::int16_t RoundToInt16(double value);
std::int32_t RoundToInt32(double value);

// The integer part, rounding toward minus infinity (so -2.5 gives -3).
double IntegerPart(double value);

// Reads the decimal number at the start of the text. Blanks (space, tab, CR, LF) are ignored
// wherever they stand; reading stops at the first character that cannot continue the number;
// a text without a number gives 0. Sign, fraction and an exponent (E or D) are understood.
double LeadingNumber(std::string_view text);

// The whole text as a number: blanks around it allowed, an optional sign and fraction and
// exponent, decimalSeparator as the fraction mark. Empty when the text is not a number.
std::optional<double> TextToNumber(std::string_view text, char decimalSeparator = '.');

// Number to text with a leading blank for zero and positive numbers ("12" -> " 12", -3 -> "-3").
std::string NumberToText(std::int64_t value);
// The same for a fractional number: up to 15 significant digits, no exponent for ordinary sizes.
std::string NumberToText(double value);

// The format "##": the digits of the number, with a minus sign when negative; empty for 0.
std::string FormatHashHash(std::int64_t value);

}  // namespace spindle
