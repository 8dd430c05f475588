// The user's decimal mark as number reading understands it.
#pragma once

#include <string_view>

namespace spindle {

// The mark from the locale's text for it: one printable ASCII character that is no digit,
// sign or blank; '.' for anything else (numbers are read a byte at a time).
char DecimalMarkOf(std::wstring_view localeMark);

}  // namespace spindle
