// Where the settings go and where start-up reads them: beside the program while that place takes
// writes, in the user's own copy where it does not.
#include "settings/settings_place.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "support/memory_profile_store.h"

namespace spindle {
namespace {

using S = test::MemoryProfileStore;
const std::string kProgramFolder = "C:\\Windows\\System32", kBeside = kProgramFolder + "\\Spindlewave.ini";
const std::string kAppData = "C:\\Users\\u\\AppData\\Roaming", kOwnFolder = kAppData + "\\Spindlewave";
const std::string kOwn = kOwnFolder + "\\Spindlewave.ini";
const std::string kOld = "[Section]\r\nk= 1\r\n", kNew = "[Section]\r\nk= 2\r\n";

S Store(S::Fault place, bool besideThere, bool ownThere) {
    S store;
    store.folders = {kProgramFolder, kAppData};
    if (besideThere) store.files[kBeside] = kOld;
    if (ownThere) store.folders.insert(kOwnFolder), store.files[kOwn] = kOld;
    store.Set(place, kBeside);
    return store;
}

TEST(SettingsPlace, TheUsersOwnCopyServesOnlyWhereNothingBesideTheProgramCanBeWritten) {
    // beside the program, an own copy there?; both files after a write ("" for none); the file read then
    const std::tuple<S::Fault, bool, bool, std::string, std::string, std::string> cases[] = {
        {S::kNone, true, true, kNew, kOld, kBeside},  // as ever: an old own copy is not looked at
        {S::kReadOnlyFolder, true, true, kOld, kNew, kOwn},  // a machine copy beside: the user's own wins
        {S::kNoNewFiles, true, false, kNew, "", kBeside},  // written in place
        {S::kNoNewFiles, false, false, "", kNew, kOwn},
        {S::kReadOnlyFolder, true, false, kOld, kNew, kOwn},
        {S::kReadOnlyFile, true, false, kOld, kNew, kOwn},
        {S::kReadFails, true, false, kOld, "", kBeside},  // nothing goes elsewhere
        {S::kHeld, true, false, kOld, "", kBeside},
        {S::kDiskFull, true, false, kOld, "", kBeside},
    };
    for (const auto& [place, besideThere, ownThere, besideAfter, ownAfter, readFrom] : cases) {
        S store = Store(place, besideThere, ownThere);
        WriteSettingsValue(store, {kBeside, kOwn}, "Section", "k", " 2", IsShiftJisLeadByte);
        store.readFails = false, store.held.clear();
        std::map<std::string, std::string> after;
        if (!besideAfter.empty()) after[kBeside] = besideAfter;
        if (!ownAfter.empty()) after[kOwn] = ownAfter;
        // The own folder is made only for a copy there: a file held by another program is no refusal.
        const bool ownFolder = ownThere || !ownAfter.empty();
        EXPECT_EQ(std::tuple(store.files, store.folders.count(kOwnFolder) == 1), std::tuple(after, ownFolder)) << place;
        EXPECT_EQ(SettingsFileToRead(store, {kBeside, kOwn}), readFrom) << place;
    }
    // Without an application-data folder everything stays beside the program.
    S store = Store(S::kReadOnlyFolder, false, false);
    EXPECT_EQ(WriteSettingsValue(store, {kBeside, ""}, "Section", "k", " 2", IsShiftJisLeadByte), WriteOutcome::Refused);
    EXPECT_TRUE(store.files.empty());
    EXPECT_EQ(SettingsFileToRead(store, {kBeside, ""}), kBeside);
}

}  // namespace
}  // namespace spindle
