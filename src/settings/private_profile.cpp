// The private-profile engine: a line scanner shared by reading and writing, and the one-step
// file replacement.
#include "settings/private_profile.h"

#include <cstddef>
#include <optional>

namespace spindle {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool IsBlank(char c) {
    // 0x1A is the old end-of-file mark that editors leave behind.
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r' || c == '\n' || c == '\x1A';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

std::string_view UpToNul(std::string_view text) { return text.substr(0, text.find('\0')); }

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// ASCII case is folded only on single-byte characters: the second byte of a Shift-JIS character
// may be a letter, and folding it would make two different characters equal.
bool SameName(std::string_view a, std::string_view b, LeadBytePredicate isLeadByte) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (isLeadByte(static_cast<unsigned char>(a[i])) && i + 1 < a.size()) {
            if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
            ++i;
        } else if (LowerAscii(a[i]) != LowerAscii(b[i])) {
            return false;
        }
    }
    return true;
}

// The position of the last ']' that is a character of its own, not the second byte of one.
std::optional<std::size_t> LastClosingBracket(std::string_view text, LeadBytePredicate isLeadByte) {
    std::optional<std::size_t> found;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (isLeadByte(static_cast<unsigned char>(text[i]))) {
            ++i;
        } else if (text[i] == ']') {
            found = i;
        }
    }
    return found;
}

struct Line {
    std::size_t begin = 0;      // first byte of the line
    std::size_t textEnd = 0;    // end of the text, before the line break
    std::size_t end = 0;        // after the line break
    enum class Kind { Other, Section, Entry } kind = Kind::Other;
    std::string_view name;      // section or key name, trimmed
    std::string_view value;     // entry value, trimmed
};

// Walks the content line by line; lines end in CRLF, LF or a lone CR.
class LineScanner {
public:
    LineScanner(std::string_view content, LeadBytePredicate isLeadByte) : content_(content), isLeadByte_(isLeadByte) {}

    bool Next(Line& line) {
        if (pos_ >= content_.size()) return false;
        line = Line{};
        line.begin = pos_;
        std::size_t breakAt = content_.find_first_of("\r\n", pos_);
        if (breakAt == std::string_view::npos) {
            line.textEnd = line.end = content_.size();
        } else {
            line.textEnd = breakAt;
            line.end = breakAt + 1;
            if (content_[breakAt] == '\r' && line.end < content_.size() && content_[line.end] == '\n') ++line.end;
        }
        std::string_view text = content_.substr(line.begin, line.textEnd - line.begin);
        if (line.begin == 0 && text.substr(0, kUtf8Bom.size()) == kUtf8Bom) text.remove_prefix(kUtf8Bom.size());
        Classify(Trim(text), line);
        pos_ = line.end;
        return true;
    }

private:
    void Classify(std::string_view text, Line& line) const {
        if (text.empty() || text.front() == ';') return;
        if (text.front() == '[') {
            if (auto close = LastClosingBracket(text, isLeadByte_)) {
                line.kind = Line::Kind::Section;
                line.name = Trim(text.substr(1, *close - 1));
                return;
            }
        }
        // '=' lies below the second-byte range of Shift-JIS, so the first one splits the line.
        line.kind = Line::Kind::Entry;
        std::size_t equals = text.find('=');
        if (equals == std::string_view::npos) {
            line.name = text;  // a key without a value
        } else {
            line.name = Trim(text.substr(0, equals));
            line.value = Trim(text.substr(equals + 1));
        }
    }

    std::string_view content_;
    LeadBytePredicate isLeadByte_;
    std::size_t pos_ = 0;
};

// A name as the caller gives it: up to a NUL, blanks around it trimmed.
std::string_view CleanName(std::string_view name) { return Trim(UpToNul(name)); }

// Names that the file could not hold as one entry are refused rather than written half.
bool UsableSection(std::string_view section, LeadBytePredicate isLeadByte) {
    if (section.empty() || section.find_first_of("\r\n") != std::string_view::npos) return false;
    for (std::size_t i = 0; i < section.size(); ++i) {
        if (isLeadByte(static_cast<unsigned char>(section[i]))) {
            if (++i == section.size()) return false;  // the header's ']' would be read as its partner
        } else if (section[i] == ']') {
            return false;
        }
    }
    return true;
}
bool UsableKey(std::string_view key) {
    return !key.empty() && key.front() != '[' && key.front() != ';' && key.find_first_of("=\r\n") == std::string_view::npos;
}

}  // namespace

bool IsShiftJisLeadByte(unsigned char byte) { return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC); }

bool IsNeverLeadByte(unsigned char) { return false; }

bool ProfileNamesUsable(std::string_view section, std::string_view key, LeadBytePredicate isLeadByte) {
    return UsableSection(CleanName(section), isLeadByte) && UsableKey(CleanName(key));
}

std::string ProfileGetValue(std::string_view content, std::string_view section, std::string_view key,
                            LeadBytePredicate isLeadByte) {
    section = CleanName(section);
    key = CleanName(key);
    if (section.empty() || key.empty()) return {};
    LineScanner scanner(content, isLeadByte);
    Line line;
    bool inSection = false;
    bool sectionSeen = false;
    while (scanner.Next(line)) {
        if (line.kind == Line::Kind::Section) {
            // Only the first section of the name is searched.
            if (sectionSeen) break;
            inSection = SameName(line.name, section, isLeadByte);
            sectionSeen = inSection;
            continue;
        }
        if (!inSection || line.kind != Line::Kind::Entry || !SameName(line.name, key, isLeadByte)) continue;

        std::string_view value = line.value;
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
            value = value.substr(1, value.size() - 2);
        }
        value = UpToNul(value);
        if (value.size() > kProfileValueLimit) {
            std::size_t kept = 0;
            while (kept < kProfileValueLimit) {
                std::size_t width = isLeadByte(static_cast<unsigned char>(value[kept])) ? 2 : 1;
                if (kept + width > kProfileValueLimit) break;  // its second byte lies past the cut
                kept += width;
            }
            value = value.substr(0, kept);
        }
        return std::string(value);
    }
    return {};
}

std::string ProfileSetValue(std::string_view content, std::string_view section, std::string_view key,
                            std::string_view value, LeadBytePredicate isLeadByte) {
    if (!ProfileNamesUsable(section, key, isLeadByte)) return std::string(content);
    section = CleanName(section);
    key = CleanName(key);
    value = value.substr(0, value.find_first_of(std::string_view("\0\r\n", 3)));

    std::string entry;
    entry.reserve(key.size() + value.size() + 3);
    entry.append(key).append("=").append(value).append(kLineEnd);

    LineScanner scanner(content, isLeadByte);
    Line line;
    std::optional<std::size_t> insertAt;  // after the section's header or its last entry
    bool inSection = false;
    while (scanner.Next(line)) {
        if (line.kind == Line::Kind::Section) {
            if (insertAt) break;
            inSection = SameName(line.name, section, isLeadByte);
            if (inSection) insertAt = line.end;
            continue;
        }
        if (!inSection || line.kind != Line::Kind::Entry) continue;
        if (SameName(line.name, key, isLeadByte)) {
            std::string result;
            result.reserve(content.size() + entry.size());
            result.append(content.substr(0, line.begin)).append(entry).append(content.substr(line.end));
            return result;
        }
        insertAt = line.end;
    }

    std::string result;
    result.reserve(content.size() + entry.size() + section.size() + 6);
    std::size_t at = insertAt.value_or(content.size());
    result.append(content.substr(0, at));
    // The line before ours may be the file's last one, without a line break.
    if (at > 0 && content[at - 1] != '\n' && content[at - 1] != '\r') result.append(kLineEnd);
    if (!insertAt) result.append("[").append(section).append("]").append(kLineEnd);
    result.append(entry).append(content.substr(at));
    return result;
}

std::string ProfileTempPath(std::string_view path) { return std::string(path) + ".tmp"; }

std::string ReadProfileValue(ProfileFileStore& store, const std::string& path, std::string_view section,
                             std::string_view key, LeadBytePredicate isLeadByte) {
    ProfileFileStore::ReadResult file = store.ReadAll(path);
    if (file.status != ProfileFileStore::ReadStatus::Ok) return {};
    return ProfileGetValue(file.bytes, section, key, isLeadByte);
}

WriteOutcome WriteProfileValues(ProfileFileStore& store, const std::string& path, std::string_view section,
                                const std::vector<ProfileEntry>& entries, LeadBytePredicate isLeadByte) {
    for (const ProfileEntry& entry : entries) {
        if (!ProfileNamesUsable(section, entry.key, isLeadByte)) return WriteOutcome::Failed;
    }
    ProfileFileStore::ReadResult file = store.ReadAll(path);
    // A file that is there but unreadable must not be replaced by one holding only our keys.
    if (file.status == ProfileFileStore::ReadStatus::InUse) return WriteOutcome::InUse;
    if (file.status == ProfileFileStore::ReadStatus::Failed) return WriteOutcome::Failed;
    std::string updated = std::move(file.bytes);
    for (const ProfileEntry& entry : entries) {
        updated = ProfileSetValue(updated, section, entry.key, entry.value, isLeadByte);
    }

    const std::string temp = ProfileTempPath(path);
    switch (const WriteOutcome outcome = store.WriteNew(temp, updated)) {
        case WriteOutcome::Written:
            if (store.Replace(temp, path)) return WriteOutcome::Written;
            store.Remove(temp);
            break;  // written in place, or told why not
        case WriteOutcome::Refused:
            break;
        default:
            store.Remove(temp);  // a full disk would fail the same way in place
            return outcome;
    }
    if (file.status == ProfileFileStore::ReadStatus::Missing) return WriteOutcome::Refused;
    return store.WriteOver(path, updated);
}

WriteOutcome WriteProfileValue(ProfileFileStore& store, const std::string& path, std::string_view section,
                               std::string_view key, std::string_view value, LeadBytePredicate isLeadByte) {
    return WriteProfileValues(store, path, section, {{std::string(key), std::string(value)}}, isLeadByte);
}

}  // namespace spindle
