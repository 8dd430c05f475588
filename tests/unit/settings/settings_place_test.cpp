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
    struct Case {
        S::Fault place;
        bool besideThere, ownThere;
        std::string besideAfter, ownAfter;  // "" for no file
        std::string readFrom;               // the file start-up reads afterwards
    } cases[] = {
        {S::kNone, true, true, kNew, kOld, kBeside},  // as ever: an old own copy is not looked at
        {S::kNone, false, false, kNew, "", kBeside},
        {S::kNoNewFiles, true, false, kNew, "", kBeside},  // written in place
        {S::kNoNewFiles, false, false, "", kNew, kOwn},
        {S::kReadOnlyFolder, true, false, kOld, kNew, kOwn},
        {S::kReadOnlyFolder, false, true, "", kNew, kOwn},
        {S::kReadOnlyFile, true, false, kOld, kNew, kOwn},
        {S::kReadFails, true, false, kOld, "", kBeside},  // nothing goes elsewhere
        {S::kHeld, true, false, kOld, "", kBeside},
        {S::kLocked, true, false, kOld, "", kBeside},
        {S::kDiskFull, true, false, kOld, "", kBeside},
    };
    for (const Case& c : cases) {
        S store = Store(c.place, c.besideThere, c.ownThere);
        WriteSettingsValue(store, {kBeside, kOwn}, "Section", "k", " 2", IsShiftJisLeadByte);
        store.readFails = store.locked = false, store.held.clear();
        const std::string context = std::to_string(c.place) + (c.besideThere ? " beside" : "") + (c.ownThere ? " own" : "");
        std::map<std::string, std::string> after;
        if (!c.besideAfter.empty()) after[kBeside] = c.besideAfter;
        if (!c.ownAfter.empty()) after[kOwn] = c.ownAfter;
        // The own folder is made only for a copy there: a file held by another program is no refusal.
        const bool ownFolder = c.ownThere || !c.ownAfter.empty();
        EXPECT_EQ(std::tuple(store.files, store.folders.count(kOwnFolder) == 1), std::tuple(after, ownFolder)) << context;
        EXPECT_EQ(SettingsFileToRead(store, {kBeside, kOwn}), c.readFrom) << context;
    }
    // Without an application-data folder everything stays beside the program.
    S store = Store(S::kReadOnlyFolder, false, false);
    EXPECT_EQ(WriteSettingsValue(store, {kBeside, ""}, "Section", "k", " 2", IsShiftJisLeadByte), WriteOutcome::Refused);
    EXPECT_TRUE(store.files.empty());
    EXPECT_EQ(SettingsFileToRead(store, {kBeside, ""}), kBeside);
}

// An administrator's file beside a program that users may not write is the defaults of every user
// without a copy of their own; a user's own copy wins over it. Where the file beside the program
// may be written, it is the one file for everybody.
TEST(SettingsPlace, AMachineCopyServesUsersWithoutTheirOwnAndTheirOwnWins) {
    for (auto [place, ownThere, readFrom] :
         {std::tuple{S::kReadOnlyFolder, false, kBeside}, {S::kReadOnlyFolder, true, kOwn},
          {S::kReadOnlyFile, false, kBeside}, {S::kReadOnlyFile, true, kOwn}, {S::kNone, true, kBeside},
          {S::kNoNewFiles, true, kBeside}}) {
        S store = Store(place, true, ownThere);
        EXPECT_EQ(SettingsFileToRead(store, {kBeside, kOwn}), readFrom) << place << ownThere;
    }
}

}  // namespace
}  // namespace spindle
