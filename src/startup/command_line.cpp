// Command-line reading for start-up and for the saver's shut-down.
#include "startup/command_line.h"

#include "runtime/conversions.h"
#include "runtime/text_utf8.h"

namespace spindle {
namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
}  // namespace

std::string ArgumentText(std::string_view commandLine) {
    std::size_t pos = 0;
    // The program path ends at the closing quote when it is quoted, otherwise at the first blank.
    if (!commandLine.empty() && commandLine[0] == '"') {
        std::size_t close = commandLine.find('"', 1);
        pos = close == std::string_view::npos ? commandLine.size() : close + 1;
    } else {
        while (pos < commandLine.size() && !IsBlank(commandLine[pos])) ++pos;
    }
    while (pos < commandLine.size() && IsBlank(commandLine[pos])) ++pos;
    return std::string(commandLine.substr(pos));
}

std::string ModeLetter(std::string_view argumentText) {
    return UpperAscii(CharacterSlice(argumentText, 1, 1));
}

double PreviewHandleNumber(std::string_view argumentText) {
    return LeadingNumber(CharacterSlice(argumentText, 3));
}

std::int32_t PreviewHostHandle(double number) {
    // From here on the number rounds past the signed range but not past 32 bits.
    constexpr double kUnsignedFrom = 2147483647.5, kUnsignedTo = 4294967295.5, kTwoTo32 = 4294967296.0;
    if (number >= kUnsignedFrom && number < kUnsignedTo) return RoundToInt32(number - kTwoTo32);
    return RoundToInt32(number);
}

}  // namespace spindle
