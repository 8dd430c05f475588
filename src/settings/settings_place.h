// Where the settings are kept: in the file beside the program, or, where nothing beside the
// program can be written (the program in a protected folder), in the user's own copy.
#pragma once

#include <string>
#include <string_view>

#include "settings/private_profile.h"

namespace spindle {

struct SettingsPlaces {
    std::string beside;  // Spindlewave.ini beside the program
    std::string own;     // the user's own copy in the application-data folder; empty when none
};

// The file start-up reads: the user's own copy when the file beside the program cannot be
// written and the copy exists; the file beside the program otherwise.
std::string SettingsFileToRead(ProfileFileStore& store, const SettingsPlaces& places);

// Writes one value beside the program; when that place refuses writes, into the user's own
// copy instead (its folder made first).
WriteOutcome WriteSettingsValue(ProfileFileStore& store, const SettingsPlaces& places, std::string_view section,
                                std::string_view key, std::string_view value, LeadBytePredicate isLeadByte);

}  // namespace spindle
