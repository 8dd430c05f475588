// The section and key names of Spindlewave.ini, as UTF-8 names and as the Shift-JIS bytes on disk.
#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace spindle {

// The keys stay Shift-JIS whatever the system's code page: through a Western code page the two
// half-width katakana keys would both come out as "BGM????" and overwrite each other.
struct SettingsKey {
    std::string_view name;       // UTF-8
    std::string_view shiftJis;   // the bytes written to and looked up in the file
};

inline constexpr SettingsKey kSettingsSection{"Section", "Section"};
inline constexpr SettingsKey kSpeedKey{"回転の速さ", "\x89\xF1\x93\x5D\x82\xCC\x91\xAC\x82\xB3"};
inline constexpr SettingsKey kBgmKindKey{"BGM区分", "BGM\x8B\xE6\x95\xAA"};
inline constexpr SettingsKey kBgmRepeatKey{"BGMﾘﾋﾟｰﾄ", "BGM\xD8\xCB\xDF\xB0\xC4"};
inline constexpr SettingsKey kBgmFileKey{"BGMﾌｧｲﾙ", "BGM\xCC\xA7\xB2\xD9"};

// The four keys in the order the settings dialog writes them.
inline constexpr std::array<SettingsKey, 4> kSettingsKeys{kSpeedKey, kBgmKindKey, kBgmRepeatKey, kBgmFileKey};

// The file name beside the program.
inline constexpr std::string_view kSettingsFileName = "Spindlewave.ini";
// The folder of the user's own copy, in the application-data folder.
inline constexpr std::string_view kUserSettingsFolderName = "Spindlewave";

// The Shift-JIS bytes of the section or one of the four keys, given its UTF-8 name; empty for
// any other name.
constexpr std::optional<std::string_view> KnownShiftJisName(std::string_view utf8Name) {
    if (utf8Name == kSettingsSection.name) return kSettingsSection.shiftJis;
    for (const SettingsKey& key : kSettingsKeys) {
        if (utf8Name == key.name) return key.shiftJis;
    }
    return std::nullopt;
}

}  // namespace spindle
