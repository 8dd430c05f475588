// The settings file beside the program (or the user's own copy): paths, the profile wrappers
// and the file test.
// All texts are UTF-8; values pass through the system's ANSI code page on disk, while the
// section and key names are always stored as Shift-JIS.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "settings/private_profile.h"
#include "settings/settings_values.h"

namespace spindle {

// The program's folder followed by "\Spindlewave.ini".
std::string SettingsFilePath();

// The user's own copy, kept where nothing beside the program can be written:
// %APPDATA%\Spindlewave\Spindlewave.ini; empty when the folder is unknown.
std::string UserSettingsFilePath();

// The file start-up reads: the user's own copy when the file beside the program cannot be
// written and the copy exists, the file beside the program otherwise.
std::string SettingsFileToLoad();

// One value of the file; a missing file, section or key, or an unreadable file, gives "".
// At most 255 bytes of the stored value come back.
std::string ReadIniString(std::string_view section, std::string_view key, std::string_view file);

// Creates the file and section when missing, replaces the key's value in place or adds the key
// at the end of its section; the file is replaced in one step, or written over in place where
// its folder takes no new file. A value the ANSI code page cannot hold is written as its short
// (8.3) path when that one fits, and as an empty value otherwise. Failures are silent.
void WriteIniString(std::string_view section, std::string_view key, std::string_view value, std::string_view file);

// Writes the values (UTF-8 keys and text) into the settings file beside the program in one
// write, as WriteIniString stores them; where that place refuses writes, into the user's own copy
// instead. How it ended: Written, or why nothing was.
WriteOutcome WriteSettings(std::string_view section, const std::vector<ProfileEntry>& entries);

// Whether the file can be opened for reading (a trailing backslash is dropped first).
// A directory, a missing file, a device and a file locked against reading give false.
// Nothing stays open.
bool FileExists(std::string_view path);

// LoadSettings on the given file, with the user's decimal separator and the real file test.
void LoadSettingsFromFile(SettingsValues& values, std::string_view file);

}  // namespace spindle
