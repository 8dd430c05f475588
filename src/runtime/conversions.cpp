// Number conversions of the form runtime.
#include "runtime/conversions.h"

#include <cmath>
#include <cstdio>
#include <limits>

#include "runtime/runtime_error.h"

namespace spindle {
namespace {

double RoundHalfToEven(double value) {
    double lower = std::floor(value);
    double fraction = value - lower;
    if (fraction > 0.5) return lower + 1.0;
    if (fraction < 0.5) return lower;
    return std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1.0;
}

template <typename Int>
Int RoundChecked(double value) {
    if (std::isnan(value)) throw RuntimeError(RuntimeError::Kind::Overflow, "overflow");
    double rounded = RoundHalfToEven(value);
    if (rounded < static_cast<double>(std::numeric_limits<Int>::min()) ||
        rounded > static_cast<double>(std::numeric_limits<Int>::max())) {
        throw RuntimeError(RuntimeError::Kind::Overflow, "overflow");
    }
    return static_cast<Int>(rounded);
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Scans a decimal number from text[pos]; blanks are skipped only when skipInnerBlanks is set.
// Returns the parsed value and advances pos past what was consumed; nullopt when no digit came.
std::optional<double> ScanNumber(std::string_view text, std::size_t& pos, bool skipInnerBlanks,
                                 char decimalSeparator) {
    auto skip = [&] {
        while (skipInnerBlanks && pos < text.size() && IsBlank(text[pos])) ++pos;
    };
    std::string digits;  // normalised for strtod: sign, digits, '.', digits, 'e', sign, digits
    skip();
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        digits += text[pos++];
        skip();
    }
    bool anyDigit = false;
    while (pos < text.size() && IsDigit(text[pos])) {
        digits += text[pos++];
        anyDigit = true;
        skip();
    }
    if (pos < text.size() && text[pos] == decimalSeparator) {
        digits += '.';
        ++pos;
        skip();
        while (pos < text.size() && IsDigit(text[pos])) {
            digits += text[pos++];
            anyDigit = true;
            skip();
        }
    }
    if (!anyDigit) return std::nullopt;
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E' || text[pos] == 'd' || text[pos] == 'D')) {
        std::size_t save = pos;
        std::string exponent = "e";
        ++pos;
        skip();
        if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
            exponent += text[pos++];
            skip();
        }
        bool expDigit = false;
        while (pos < text.size() && IsDigit(text[pos])) {
            exponent += text[pos++];
            expDigit = true;
            skip();
        }
        if (expDigit) {
            digits += exponent;
        } else {
            pos = save;
        }
    }
    return std::strtod(digits.c_str(), nullptr);
}

}  // namespace

std::int16_t RoundToInt16(double value) { return RoundChecked<std::int16_t>(value); }
std::int32_t RoundToInt32(double value) { return RoundChecked<std::int32_t>(value); }

double IntegerPart(double value) { return std::floor(value); }

double LeadingNumber(std::string_view text) {
    std::size_t pos = 0;
    return ScanNumber(text, pos, true, '.').value_or(0.0);
}

std::optional<double> TextToNumber(std::string_view text, char decimalSeparator) {
    std::size_t pos = 0;
    while (pos < text.size() && IsBlank(text[pos])) ++pos;
    auto value = ScanNumber(text, pos, false, decimalSeparator);
    if (!value) return std::nullopt;
    while (pos < text.size() && IsBlank(text[pos])) ++pos;
    if (pos != text.size() || !std::isfinite(*value)) return std::nullopt;
    return value;
}

std::string NumberToText(std::int64_t value) {
    std::string digits = std::to_string(value);
    return value >= 0 ? " " + digits : digits;
}

std::string NumberToText(double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15g", value);
    std::string text = buffer;
    if (text == "-0") text = "0";
    // A fraction below one shows no leading zero: " .5", "-.25".
    if (text.rfind("0.", 0) == 0) text.erase(0, 1);
    if (text.rfind("-0.", 0) == 0) text.erase(1, 1);
    return text[0] == '-' ? text : " " + text;
}

std::string FormatHashHash(std::int64_t value) {
    return value == 0 ? std::string() : std::to_string(value);
}

}  // namespace spindle
