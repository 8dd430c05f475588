// Conversions between the core's UTF-8 text, the wide text of the Win32 calls, and 8-bit code pages.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace spindle {

std::wstring Utf8ToWide(std::string_view text);
std::string WideToUtf8(std::wstring_view text);

// Wide text to the bytes of a code page (empty when the platform refuses the conversion), and back.
std::optional<std::string> WideToCodePage(std::wstring_view text, unsigned int codePage);
std::wstring CodePageToWide(std::string_view bytes, unsigned int codePage);

}  // namespace spindle
