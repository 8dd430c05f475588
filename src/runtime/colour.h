// Colours as forms and controls hold them: 0x00BBGGRR, or 0x80000000 plus the index of a
// system colour, which stands for whatever colour the system gives that element when drawing.
#pragma once

#include <cstdint>
#include <optional>

namespace spindle {

inline constexpr std::uint32_t kSystemColourFlag = 0x80000000u;
// The highest index the system knows (the menu bar's colour).
inline constexpr std::uint32_t kLastSystemColourIndex = 30;

// The colour a 32-bit value stands for, read as signed or unsigned; nothing when it is neither
// a plain RGB value nor a known system colour.
std::optional<std::uint32_t> ColourFromValue(std::int64_t value);

// The system colour index of a colour, if it is a system colour.
std::optional<int> SystemColourIndex(std::uint32_t colour);

}  // namespace spindle
