// UTF-8 helpers: character counting and slicing by code point, ASCII upper case.
#include "runtime/text_utf8.h"

namespace spindle {
namespace {

bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// Byte offset of the character with the given index, or text.size() when it lies beyond the end.
std::size_t ByteOffset(std::string_view text, std::size_t index) {
    std::size_t pos = 0;
    for (std::size_t n = 0; n < index && pos < text.size(); ++n) {
        ++pos;
        while (pos < text.size() && IsContinuation(static_cast<unsigned char>(text[pos]))) ++pos;
    }
    return pos;
}

}  // namespace

std::size_t CharacterCount(std::string_view text) {
    std::size_t count = 0;
    for (char c : text) {
        if (!IsContinuation(static_cast<unsigned char>(c))) ++count;
    }
    return count;
}

std::string CharacterSlice(std::string_view text, std::size_t start, std::size_t count) {
    std::size_t begin = ByteOffset(text, start);
    std::string_view rest = text.substr(begin);
    std::size_t end = count == std::string_view::npos ? rest.size() : ByteOffset(rest, count);
    return std::string(rest.substr(0, end));
}

std::string UpperAscii(std::string_view text) {
    std::string result(text);
    for (char& c : result) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return result;
}

}  // namespace spindle
