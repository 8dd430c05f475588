// Conversions between the core's UTF-8 text and the wide text of the Win32 calls.
#pragma once

#include <string>
#include <string_view>

namespace spindle {

std::wstring Utf8ToWide(std::string_view text);
std::string WideToUtf8(std::wstring_view text);

}  // namespace spindle
