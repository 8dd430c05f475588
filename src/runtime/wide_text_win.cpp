// UTF-8 <-> UTF-16 through the platform's converter.
#include "runtime/wide_text_win.h"

#include <windows.h>

namespace spindle {

std::optional<std::string> WideToCodePage(std::wstring_view text, unsigned int codePage) {
    if (text.empty()) return std::string();
    int length = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                     nullptr);
    if (length <= 0) return std::nullopt;
    std::string bytes(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), bytes.data(), length, nullptr,
                        nullptr);
    return bytes;
}

std::wstring CodePageToWide(std::string_view bytes, unsigned int codePage) {
    if (bytes.empty()) return {};
    int length = MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    if (length <= 0) return {};
    std::wstring text(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), length);
    return text;
}

std::wstring Utf8ToWide(std::string_view text) { return CodePageToWide(text, CP_UTF8); }

std::string WideToUtf8(std::wstring_view text) { return WideToCodePage(text, CP_UTF8).value_or(std::string()); }

}  // namespace spindle
