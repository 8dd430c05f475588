// A private-profile (INI) file engine on bytes: one value read, one value written, the file
// replaced in one step through a small file-store port.
#pragma once

#include <string>
#include <string_view>

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

// The content with `key` set to `value` in `section`: an existing key line is replaced in place,
// a new key goes after the last entry of its section, a missing section is added at the end.
// Every other line stays byte for byte; written lines end in CRLF. The value is written as
// given, up to its first NUL, CR or LF (so it cannot start a line of its own).
std::string ProfileSetValue(std::string_view content, std::string_view section, std::string_view key,
                            std::string_view value, LeadBytePredicate isLeadByte);

// What the engine needs of the file system. Paths are passed through unchanged.
class ProfileFileStore {
public:
    enum class ReadStatus { Ok, Missing, Failed };
    struct ReadResult {
        ReadStatus status = ReadStatus::Missing;
        std::string bytes;
    };

    virtual ~ProfileFileStore() = default;
    // The whole file. Missing only when there is no such file; Failed when it is there but
    // cannot be read (locked, a directory, too large).
    virtual ReadResult ReadAll(const std::string& path) = 0;
    // Creates or truncates the file and writes all bytes to disk. False on any failure.
    virtual bool WriteNew(const std::string& path, std::string_view bytes) = 0;
    // Puts `from` in the place of `to` in one step. On failure `to` is as it was.
    virtual bool Replace(const std::string& from, const std::string& to) = 0;
    virtual void Remove(const std::string& path) = 0;
};

// The temporary file a write goes through, in the same folder as the file.
std::string ProfileTempPath(std::string_view path);

// Reads one value of the file; a missing or unreadable file gives "".
std::string ReadProfileValue(ProfileFileStore& store, const std::string& path, std::string_view section,
                             std::string_view key, LeadBytePredicate isLeadByte);

// Sets one value of the file. The new content goes to a temporary file beside it, which then
// replaces the file; on any failure the file stays as it was and the temporary file is gone.
// A file that exists but cannot be read is left alone. Returns whether the file was written.
bool WriteProfileValue(ProfileFileStore& store, const std::string& path, std::string_view section,
                       std::string_view key, std::string_view value, LeadBytePredicate isLeadByte);

}  // namespace spindle
