// A private-profile (INI) file engine on bytes: one value read, one value written, the file
// replaced in one step through a small file-store port.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace spindle {

// Whether a byte opens a double-byte character in the text's code page.
using LeadBytePredicate = bool (*)(unsigned char byte);

// Code page 932 (Shift-JIS) lead bytes.
bool IsShiftJisLeadByte(unsigned char byte);
// Single-byte code pages have none.
bool IsNeverLeadByte(unsigned char byte);

// The longest value a read gives back, in bytes.
inline constexpr std::size_t kProfileValueLimit = 255;

// The value of `key` in the first `section` of the content: names matched without regard to
// ASCII case, blanks around keys and values trimmed, one pair of matching quotes around the
// value removed, cut at a NUL and at 255 bytes (a lead byte left without its partner by the cut
// is dropped). The first of duplicate keys wins. Empty when section or key is missing.
std::string ProfileGetValue(std::string_view content, std::string_view section, std::string_view key,
                            LeadBytePredicate isLeadByte);

// Whether the file can hold the names: a section name without a ']' of its own, CR or LF, not
// ending in a lead byte (the header's ']' would become its second byte); a key name without
// '=', CR or LF that does not start like a section or a comment. Names are taken as the two
// functions above take them (up to a NUL, blanks around them trimmed).
bool ProfileNamesUsable(std::string_view section, std::string_view key, LeadBytePredicate isLeadByte);

// The content with `key` set to `value` in `section`: an existing key line is replaced in place,
// a new key goes after the last entry of its section, a missing section is added at the end.
// Every other line stays byte for byte; written lines end in CRLF. The value is written as
// given, up to its first NUL, CR or LF (so it cannot start a line of its own). Names the file
// cannot hold leave the content as it was.
std::string ProfileSetValue(std::string_view content, std::string_view section, std::string_view key,
                            std::string_view value, LeadBytePredicate isLeadByte);

// How a write to a file ended. Every outcome but Written leaves the file as it was.
enum class WriteOutcome {
    Written,
    Refused,   // the place takes no writes (read-only folder, file or medium)
    InUse,     // another program holds the file against writing or replacing
    DiskFull,  // the medium has no room for it
    Failed,    // not written for any other reason
};

// One key and its value, as bytes for the engine (or as UTF-8 text above it).
struct ProfileEntry {
    std::string key;
    std::string value;
};

// What the engine needs of the file system. Paths are passed through unchanged.
class ProfileFileStore {
public:
    enum class ReadStatus { Ok, Missing, InUse, Failed };
    struct ReadResult {
        ReadStatus status = ReadStatus::Missing;
        std::string bytes;
    };

    virtual ~ProfileFileStore() = default;
    // The whole file. Missing only when there is no such file; InUse when another program
    // holds it against reading; Failed when it cannot be read otherwise (a directory, too large).
    virtual ReadResult ReadAll(const std::string& path) = 0;
    // Creates or truncates the file and writes all bytes to disk (part may stay behind when
    // it fails).
    virtual WriteOutcome WriteNew(const std::string& path, std::string_view bytes) = 0;
    // Puts `from` in the place of `to` in one step. On failure `to` is as it was.
    virtual bool Replace(const std::string& from, const std::string& to) = 0;
    // Writes all bytes over an existing file, which ends where they end. One that cannot be
    // opened for writing is left as it was.
    virtual WriteOutcome WriteOver(const std::string& path, std::string_view bytes) = 0;
    virtual void Remove(const std::string& path) = 0;
    // Whether the file could be written (an existing one opened for writing, a missing one
    // created in its folder), changing nothing.
    virtual bool CanWrite(const std::string& path) = 0;
    // Creates the folder unless it is there; false when it is not there afterwards.
    virtual bool MakeFolder(const std::string& folder) = 0;
};

// The temporary file a write goes through, in the same folder as the file.
std::string ProfileTempPath(std::string_view path);

// Reads one value of the file; a missing or unreadable file gives "".
std::string ReadProfileValue(ProfileFileStore& store, const std::string& path, std::string_view section,
                             std::string_view key, LeadBytePredicate isLeadByte);

// Sets values of the file, all in one write or none. The new content goes to a temporary file
// beside it, which then replaces the file. Where the folder takes no new file or the file cannot
// be replaced, the file is written over in place, as the platform's own profile functions do. A
// file that exists but cannot be read is left alone (InUse or Failed), and so is one given names
// it cannot hold (Failed). Refused when neither way can write there; no temporary file is left
// behind. A failure says why (InUse, DiskFull, Failed).
WriteOutcome WriteProfileValues(ProfileFileStore& store, const std::string& path, std::string_view section,
                                const std::vector<ProfileEntry>& entries, LeadBytePredicate isLeadByte);

// WriteProfileValues with one value.
WriteOutcome WriteProfileValue(ProfileFileStore& store, const std::string& path, std::string_view section,
                               std::string_view key, std::string_view value, LeadBytePredicate isLeadByte);

}  // namespace spindle
