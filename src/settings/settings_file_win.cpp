// The settings file on Windows: the program's folder and the user's own copy, code-page
// conversion of names and values, and the file test.
#include "settings/settings_file_win.h"

#include <windows.h>
#include <shlobj.h>

#include <optional>

#include "runtime/decimal_mark_win.h"
#include "runtime/scoped_file_win.h"
#include "runtime/wide_text_win.h"
#include "settings/private_profile.h"
#include "settings/profile_file_store_win.h"
#include "settings/settings_file.h"
#include "settings/settings_keys.h"
#include "settings/settings_place.h"

namespace spindle {
namespace {

constexpr UINT kShiftJisCodePage = 932;

// The text in the code page only when it comes back unchanged: no best-fit look-alikes, no '?'.
std::optional<std::string> LosslessInCodePage(std::wstring_view text, UINT codePage) {
    std::optional<std::string> bytes = WideToCodePage(text, codePage);
    if (!bytes || CodePageToWide(*bytes, codePage) != text) return std::nullopt;
    return bytes;
}

bool AnsiLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; }

// Section and key names go to disk as Shift-JIS whatever the system's code page.
std::string NameBytes(std::string_view name) {
    if (std::optional<std::string_view> known = KnownShiftJisName(name)) return std::string(*known);
    std::wstring wide = Utf8ToWide(name);
    if (std::optional<std::string> bytes = LosslessInCodePage(wide, kShiftJisCodePage)) return *bytes;
    return WideToCodePage(wide, CP_ACP).value_or(std::string());
}

// A value in the system's code page. A path with characters the code page lacks may still be
// reachable by its short name; failing that it is stored empty, so that no older value stays
// behind under a new choice.
std::string ValueBytes(std::string_view value) {
    const std::wstring wide = Utf8ToWide(value);
    if (std::optional<std::string> bytes = LosslessInCodePage(wide, CP_ACP)) return *bytes;
    std::wstring shortPath(MAX_PATH, L'\0');
    DWORD length = GetShortPathNameW(wide.c_str(), shortPath.data(), static_cast<DWORD>(shortPath.size()));
    if (length > shortPath.size()) {
        shortPath.resize(length);
        length = GetShortPathNameW(wide.c_str(), shortPath.data(), static_cast<DWORD>(shortPath.size()));
    }
    if (length == 0 || length >= shortPath.size()) return {};
    shortPath.resize(length);
    return LosslessInCodePage(shortPath, CP_ACP).value_or(std::string());
}

class IniReader : public SettingsReaderPort {
public:
    std::string ReadIniString(std::string_view section, std::string_view key, std::string_view file) override {
        return spindle::ReadIniString(section, key, file);
    }
};

class FileProbe : public FileProbePort {
public:
    bool FileExists(std::string_view path) override { return spindle::FileExists(path); }
};

}  // namespace

std::string SettingsFilePath() {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return SettingsPathBeside("");
        if (length < buffer.size()) {
            buffer.resize(length);
            break;
        }
        buffer.resize(buffer.size() * 2);  // the path was cut; try a larger buffer
    }
    return SettingsPathBeside(WideToUtf8(buffer));
}

std::string UserSettingsFilePath() {
    wchar_t folder[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder)) || !folder[0]) return {};
    std::string path = WideToUtf8(folder);
    if (path.back() != '\\') path += '\\';
    return path.append(kUserSettingsFolderName).append("\\").append(kSettingsFileName);
}

std::string SettingsFileToLoad() {
    Win32ProfileStore store;
    return SettingsFileToRead(store, {SettingsFilePath(), UserSettingsFilePath()});
}

std::string ReadIniString(std::string_view section, std::string_view key, std::string_view file) {
    if (file.empty()) return {};
    Win32ProfileStore store;
    std::string bytes = ReadProfileValue(store, std::string(file), NameBytes(section), NameBytes(key), AnsiLeadByte);
    return WideToUtf8(CodePageToWide(bytes, CP_ACP));
}

void WriteIniString(std::string_view section, std::string_view key, std::string_view value, std::string_view file) {
    if (file.empty()) return;
    Win32ProfileStore store;
    WriteProfileValue(store, std::string(file), NameBytes(section), NameBytes(key), ValueBytes(value), AnsiLeadByte);
}

WriteOutcome WriteSettings(std::string_view section, const std::vector<ProfileEntry>& entries) {
    std::vector<ProfileEntry> bytes;
    bytes.reserve(entries.size());
    for (const ProfileEntry& entry : entries) bytes.push_back({NameBytes(entry.key), ValueBytes(entry.value)});
    Win32ProfileStore store;
    return WriteSettingsValues(store, {SettingsFilePath(), UserSettingsFilePath()}, NameBytes(section), bytes,
                               AnsiLeadByte);
}

bool FileExists(std::string_view path) {
    if (!path.empty() && path.back() == '\\') path.remove_suffix(1);
    if (path.empty()) return false;
    NoCriticalErrorBoxes quiet;
    ScopedHandle file(CreateFileW(Utf8ToWide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    // Devices (NUL, COM1, pipes) open too, but are no music file.
    return file.Valid() && GetFileType(file.Get()) == FILE_TYPE_DISK;
}

void LoadSettingsFromFile(SettingsValues& values, std::string_view file) {
    IniReader reader;
    FileProbe probe;
    LoadSettings(values, reader, probe, file, UserDecimalMark());
}

}  // namespace spindle
