// The choice between the file beside the program and the user's own copy.
#include "settings/settings_place.h"

namespace spindle {

std::string SettingsFileToRead(ProfileFileStore& store, const SettingsPlaces& places) {
    // The user's copy is looked for first: where there is none (nearly always), nothing is probed.
    if (places.own.empty() || store.ReadAll(places.own).status == ProfileFileStore::ReadStatus::Missing) {
        return places.beside;
    }
    return store.CanWrite(places.beside) ? places.beside : places.own;
}

WriteOutcome WriteSettingsValues(ProfileFileStore& store, const SettingsPlaces& places, std::string_view section,
                                 const std::vector<ProfileEntry>& entries, LeadBytePredicate isLeadByte) {
    WriteOutcome beside = WriteProfileValues(store, places.beside, section, entries, isLeadByte);
    if (beside != WriteOutcome::Refused || places.own.empty()) return beside;
    const std::size_t slash = places.own.find_last_of('\\');
    if (slash != std::string::npos) store.MakeFolder(places.own.substr(0, slash));
    return WriteProfileValues(store, places.own, section, entries, isLeadByte);
}

}  // namespace spindle
