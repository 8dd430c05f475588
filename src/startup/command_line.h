// What start-up reads from the command line: the argument text, the mode letter, the preview handle.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace spindle {

// The command line after the program's own path (quoted or not), leading blanks removed.
std::string ArgumentText(std::string_view commandLine);

// The second character of the upper-cased argument text; empty when the text is shorter.
std::string ModeLetter(std::string_view argumentText);

// The number in the argument text from its fourth character on, read as a leading number
// ("/p 1234" gives 1234; no number gives 0).
double PreviewHandleNumber(std::string_view argumentText);

// The 32-bit window handle a preview number names, rounded half to even. A handle may be
// written signed or unsigned, so 2^31 to 2^32 - 1 stand for the same handles as -2^31 to -1.
// Throws RuntimeError (Overflow) for a number no 32-bit handle can be.
std::int32_t PreviewHostHandle(double number);

}  // namespace spindle
