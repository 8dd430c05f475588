// LoadSettings and the settings file's path, on ports so that the rules run anywhere.
#pragma once

#include <string>
#include <string_view>

#include "settings/settings_values.h"

namespace spindle {

// One value of the settings file, as ReadIniString gives it (UTF-8 names and text).
class SettingsReaderPort {
public:
    virtual ~SettingsReaderPort() = default;
    virtual std::string ReadIniString(std::string_view section, std::string_view key, std::string_view file) = 0;
};

// Whether a file can be opened for reading, as FileExists answers it.
class FileProbePort {
public:
    virtual ~FileProbePort() = default;
    virtual bool FileExists(std::string_view path) = 0;
};

// Fills the four values from the file, one isolated step per key: a step that fails (text that
// is no number, a number out of range, a failing read) leaves its value as it was.
// decimalSeparator is the user's fraction mark.
void LoadSettings(SettingsValues& values, SettingsReaderPort& reader, FileProbePort& probe, std::string_view file,
                  char decimalSeparator = '.');

// The settings file for a program at programPath (a Windows path): its folder followed by
// "\Spindlewave.ini". At a drive root the folder's own backslash serves ("C:\Spindlewave.ini").
std::string SettingsPathBeside(std::string_view programPath);

}  // namespace spindle
