// Where the settings are kept: in the file beside the program, or, where nothing beside the
// program can be written (the program in a protected folder), in the user's own copy.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "settings/private_profile.h"

namespace spindle {

struct SettingsPlaces {
    std::string beside;  // Spindlewave.ini beside the program
    std::string own;     // the user's own copy in the application-data folder; empty when none
};

// The file start-up reads: the user's own copy when the file beside the program cannot be
// written and the copy exists; the file beside the program otherwise.
std::string SettingsFileToRead(ProfileFileStore& store, const SettingsPlaces& places);

// Writes the values beside the program, all in one write; when that place refuses writes, into
// the user's own copy instead (its folder made first). Any other failure goes nowhere else.
WriteOutcome WriteSettingsValues(ProfileFileStore& store, const SettingsPlaces& places, std::string_view section,
                                 const std::vector<ProfileEntry>& entries, LeadBytePredicate isLeadByte);

}  // namespace spindle
