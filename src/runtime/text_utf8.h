// Small helpers for the UTF-8 text that the portable core holds.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace spindle {

// The code points of a UTF-8 text, counted as the runtime counts characters.
std::size_t CharacterCount(std::string_view text);

// Characters [start, start + count) of the text, counted in code points (count npos: to the end).
std::string CharacterSlice(std::string_view text, std::size_t start, std::size_t count = std::string_view::npos);

// Upper-cases the ASCII letters; every other character is kept as it is.
std::string UpperAscii(std::string_view text);

}  // namespace spindle
