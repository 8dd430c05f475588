// libFuzzer target for the profile engine. It checks what the engine promises, not only that it
// survives: a set followed by a get gives the value back, cut to 255 bytes and never half a
// character; every other line stays byte for byte; the same set twice changes nothing.
// Input: one byte of choices (bit 0: Shift-JIS, else a single-byte code page), then section, key
// and value separated by 0xFF, then the file's content.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "settings/private_profile.h"

namespace spindle {
namespace {

void Check(bool holds, const char* property) {
    if (holds) return;
    std::fprintf(stderr, "profile engine property broken: %s\n", property);
    std::abort();
}

// The oracle reads lines by its own copy of the file's rules, not through the engine's helpers,
// so that a fault in those helpers cannot hide itself.
std::string_view Trim(std::string_view text) {
    constexpr std::string_view kBlanks = " \t\v\f\r\n\x1A";
    const std::size_t first = text.find_first_not_of(kBlanks);
    return first == text.npos ? std::string_view() : text.substr(first, text.find_last_not_of(kBlanks) + 1 - first);
}

std::string_view Cut(std::string_view text, std::string_view stops) { return text.substr(0, text.find_first_of(stops)); }

constexpr std::string_view kNul("\0", 1), kLineStops("\0\r\n", 3);

// What a get gives back for a value just set: its first line, trimmed, one pair of quotes off,
// and past 255 bytes cut before the first character that does not fit whole.
std::string_view Stored(std::string_view value, LeadBytePredicate isLeadByte) {
    value = Trim(Cut(value, kLineStops));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    if (value.size() <= kProfileValueLimit) return value;
    std::size_t whole = 0;
    while (whole + (isLeadByte(static_cast<unsigned char>(value[whole])) ? 2 : 1) <= kProfileValueLimit) {
        whole += isLeadByte(static_cast<unsigned char>(value[whole])) ? 2 : 1;
    }
    return value.substr(0, whole);
}

// Line texts without their breaks (CRLF, LF or a lone CR).
std::vector<std::string_view> Lines(std::string_view content) {
    std::vector<std::string_view> lines;
    for (std::size_t pos = 0; pos < content.size();) {
        const std::size_t end = std::min(content.find_first_of("\r\n", pos), content.size());
        lines.push_back(content.substr(pos, end - pos));
        pos = end + (content.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    return lines;
}

// `after` is `before` with one line turned into `entry`, or with `entry` (after `header` when one
// was added) inserted; nothing else differs.
bool OnlyTheEntryChanged(std::string_view before, std::string_view after, std::string_view entry,
                         std::string_view header) {
    const std::vector<std::string_view> b = Lines(before), a = Lines(after);
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] != entry) continue;
        std::vector<std::string_view> rest = a, kept = b;
        rest.erase(rest.begin() + i);
        if (a.size() == b.size()) {  // replaced in place: only line i differs
            kept.erase(kept.begin() + i);
            if (kept == rest) return true;
        } else if (rest == b) {
            return true;
        } else if (i > 0 && a[i - 1] == header) {
            rest.erase(rest.begin() + i - 1);
            if (rest == b) return true;
        }
    }
    return false;
}

void CheckSetAndGet(std::string_view content, std::string_view section, std::string_view key, std::string_view value,
                    LeadBytePredicate isLeadByte) {
    const std::string after = ProfileSetValue(content, section, key, value, isLeadByte);
    Check(ProfileSetValue(after, section, key, value, isLeadByte) == after, "the same set twice changes nothing");
    if (!ProfileNamesUsable(section, key, isLeadByte)) return Check(after == content, "unusable names change nothing");
    Check(ProfileGetValue(after, section, key, isLeadByte) == Stored(value, isLeadByte), "a get gives the value set");
    const std::string entry = std::string(Trim(Cut(key, kNul))) + "=" + std::string(Cut(value, kLineStops));
    const std::string header = "[" + std::string(Trim(Cut(section, kNul))) + "]";
    Check(OnlyTheEntryChanged(content, after, entry, header), "every other line stays byte for byte");
}

}  // namespace
}  // namespace spindle

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1), fields[3];
    for (std::string_view& field : fields) {
        const std::size_t end = rest.find('\xFF');
        field = rest.substr(0, end);
        rest = end == rest.npos ? std::string_view() : rest.substr(end + 1);
    }
    spindle::CheckSetAndGet(rest, fields[0], fields[1], fields[2],
                            (data[0] & 1) ? spindle::IsShiftJisLeadByte : spindle::IsNeverLeadByte);
    return 0;
}
