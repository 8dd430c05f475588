// libFuzzer target for the profile engine. It checks what the engine promises, not only that it
// survives: a set followed by a get gives the value back; no other key's value changes; every
// other line stays byte for byte; reads give at most 255 bytes and never half a character; the
// same set twice changes nothing; a write through the file store leaves the old file or the new
// one and no temporary file.
//
// Input: one byte of choices (bit 0: Shift-JIS or a single-byte code page; bit 1: whether the
// file is there; the rest: how the file store behaves), then section, key and value separated
// by 0xFF, then the file's content.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "settings/private_profile.h"
#include "support/memory_profile_store.h"

namespace spindle {
namespace {

void Check(bool holds, const char* property) {
    if (holds) return;
    std::fprintf(stderr, "profile engine property broken: %s\n", property);
    std::abort();
}

// The oracle reads lines by its own copy of the file's rules, not through the engine's helpers,
// so that a fault in those helpers cannot hide itself.
bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r' || c == '\n' || c == '\x1A';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

std::string_view Cut(std::string_view text, std::string_view stops) { return text.substr(0, text.find_first_of(stops)); }

constexpr std::string_view kNul("\0", 1), kLineStops("\0\r\n", 3);

// A name as the engine takes it.
std::string_view CleanName(std::string_view name) { return Trim(Cut(name, kNul)); }

// The stored value a get reads back for a value just set, before the 255-byte cut.
std::string_view StoredValue(std::string_view value) {
    value = Trim(Cut(value, kLineStops));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return value;
}

// Whether `read` is `full` up to the last whole character within 255 bytes.
bool CutAtWholeCharacter(std::string_view read, std::string_view full, LeadBytePredicate isLeadByte) {
    if (full.size() <= kProfileValueLimit) return read == full;
    std::size_t whole = 0;
    for (;;) {
        const std::size_t width = isLeadByte(static_cast<unsigned char>(full[whole])) ? 2 : 1;
        if (whole + width > kProfileValueLimit) break;
        whole += width;
    }
    return read == full.substr(0, whole);
}

// Line texts without their breaks (CRLF, LF or a lone CR).
std::vector<std::string_view> Lines(std::string_view content) {
    std::vector<std::string_view> lines;
    std::size_t pos = 0;
    while (pos < content.size()) {
        std::size_t end = content.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) end = content.size();
        lines.push_back(content.substr(pos, end - pos));
        pos = end + (content.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    return lines;
}

// `after` is `before` with one line turned into `entry`, or with `entry` (after `header` when
// one was added) inserted; nothing else differs.
bool OnlyTheEntryChanged(std::string_view before, std::string_view after, std::string_view entry,
                         std::string_view header) {
    const std::vector<std::string_view> b = Lines(before), a = Lines(after);
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] != entry) continue;
        std::vector<std::string_view> rest = a;
        rest.erase(rest.begin() + static_cast<std::ptrdiff_t>(i));
        if (a.size() == b.size()) {  // in place: only the line at i differs
            std::vector<std::string_view> kept = b;
            kept.erase(kept.begin() + static_cast<std::ptrdiff_t>(i));
            if (kept == rest) return true;
            continue;
        }
        if (rest == b) return true;
        if (i > 0 && a[i - 1] == header) {
            rest.erase(rest.begin() + static_cast<std::ptrdiff_t>(i - 1));
            if (rest == b) return true;
        }
    }
    return false;
}

// Section and key names the content mentions, roughly, for probing values that must not change.
void CollectNames(std::string_view content, std::vector<std::string>& sections, std::vector<std::string>& keys) {
    for (std::string_view line : Lines(content)) {
        line = Trim(line);
        const std::size_t close = line.rfind(']');
        if (!line.empty() && line.front() == '[' && close != std::string_view::npos && sections.size() < 6) {
            sections.emplace_back(line.substr(1, close - 1));
        } else if (keys.size() < 10) {
            keys.emplace_back(Trim(Cut(line, "=")));
        }
    }
}

void CheckSetAndGet(std::string_view content, std::string_view section, std::string_view key, std::string_view value,
                    LeadBytePredicate isLeadByte) {
    const std::string after = ProfileSetValue(content, section, key, value, isLeadByte);
    Check(ProfileSetValue(after, section, key, value, isLeadByte) == after, "the same set twice changes nothing");
    if (!ProfileNamesUsable(section, key, isLeadByte)) {
        Check(after == content, "names the file cannot hold change nothing");
        return;
    }
    const std::string got = ProfileGetValue(after, section, key, isLeadByte);
    Check(CutAtWholeCharacter(got, StoredValue(value), isLeadByte), "a get gives back the value set");

    const std::string entry = std::string(CleanName(key)) + "=" + std::string(Cut(value, kLineStops));
    const std::string header = "[" + std::string(CleanName(section)) + "]";
    Check(OnlyTheEntryChanged(content, after, entry, header), "every other line stays byte for byte");

    std::vector<std::string> sections{std::string(section)}, keys{std::string(key)};
    CollectNames(content, sections, keys);
    const std::string marker = "#probe#";
    const std::string marked = ProfileSetValue(content, section, key, marker, isLeadByte);
    for (const std::string& s : sections) {
        for (const std::string& k : keys) {
            const std::string was = ProfileGetValue(content, s, k, isLeadByte);
            const std::string now = ProfileGetValue(after, s, k, isLeadByte);
            Check(was.size() <= kProfileValueLimit && now.size() <= kProfileValueLimit, "reads give at most 255 bytes");
            // A value that changed must be the one that was set: the same probe reaches it.
            if (was != now) Check(ProfileGetValue(marked, s, k, isLeadByte) == marker, "no other key's value changes");
        }
    }
}

void CheckStoreWrite(unsigned choices, const std::string& content, std::string_view section, std::string_view key,
                     std::string_view value, LeadBytePredicate isLeadByte) {
    const std::string folder = "C:\\Saver", path = folder + "\\Spindlewave.ini";
    test::MemoryProfileStore store;
    store.folders = {folder};
    const bool fileThere = (choices & 1) == 0;
    if (fileThere) store.files[path] = content;
    switch ((choices >> 1) % 6) {
        case 1: store.noNewFiles = {folder}; break;
        case 2: store.readOnly = {folder}; break;
        case 3: store.readOnly = {path}; break;
        case 4: store.writeBreaks = true; break;
        case 5: store.replaceFails = true; break;
    }
    const WriteOutcome outcome = WriteProfileValue(store, path, section, key, value, isLeadByte);
    Check(!store.files.count(ProfileTempPath(path)), "no temporary file stays behind");
    if (outcome == WriteOutcome::Written) {
        Check(store.files[path] == ProfileSetValue(fileThere ? content : "", section, key, value, isLeadByte),
              "a written file holds the new content");
    } else {
        Check(fileThere ? store.files[path] == content : !store.files.count(path), "a failed write leaves the file");
    }
}

}  // namespace
}  // namespace spindle

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace spindle;
    if (size == 0) return 0;
    const unsigned choices = data[0];
    std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
    std::string_view fields[3];
    for (std::string_view& field : fields) {
        const std::size_t end = rest.find('\xFF');
        field = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    }
    const LeadBytePredicate isLeadByte = (choices & 1) ? IsShiftJisLeadByte : IsNeverLeadByte;
    const std::string content(rest);
    CheckSetAndGet(content, fields[0], fields[1], fields[2], isLeadByte);
    CheckStoreWrite(choices >> 1, content, fields[0], fields[1], fields[2], isLeadByte);
    return 0;
}
