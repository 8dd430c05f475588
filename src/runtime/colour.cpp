// Plain and system colours.
#include "runtime/colour.h"

namespace spindle {

std::optional<std::uint32_t> ColourFromValue(std::int64_t value) {
    // A stored 32-bit integer is signed: the system colours read as negative numbers.
    if (value < 0 && value >= -0x80000000LL) value += 0x100000000LL;
    if (value >= 0 && value <= 0xFFFFFF) return static_cast<std::uint32_t>(value);
    if (value >= kSystemColourFlag && value <= kSystemColourFlag + kLastSystemColourIndex) {
        return static_cast<std::uint32_t>(value);
    }
    return std::nullopt;
}

std::optional<int> SystemColourIndex(std::uint32_t colour) {
    if (colour < kSystemColourFlag || colour > kSystemColourFlag + kLastSystemColourIndex) return std::nullopt;
    return static_cast<int>(colour - kSystemColourFlag);
}

}  // namespace spindle
