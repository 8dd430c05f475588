// The settings file: where it goes and where start-up reads it (beside the program while that place
// takes writes, in the user's own copy where it does not), and LoadSettings over the profile engine:
// each key's step on its own and the music-file fallback.
#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <tuple>

#include "settings/private_profile.h"
#include "settings/settings_keys.h"
#include "settings/settings_place.h"
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

using Loaded = std::tuple<float, int, int, std::string>;  // speed, kind, repeat, music file

// The engine over one file's bytes, with the names' Shift-JIS forms; a stored "!" is a failing read.
class ContentReader : public SettingsReaderPort, public FileProbePort {
public:
    std::string content;
    bool musicOpens = false;
    std::string ReadIniString(std::string_view section, std::string_view key, std::string_view) override {
        std::string value = ProfileGetValue(content, KnownShiftJisName(section).value(), KnownShiftJisName(key).value(),
                                            IsShiftJisLeadByte);
        if (value == "!") throw std::runtime_error("read failed");
        return value;
    }
    bool FileExists(std::string_view) override { return musicOpens; }
};

TEST(LoadSettings, FillsEachValueInAStepOfItsOwn) {
    const std::string song = "C:\\Music\\song.mp3", longPath = "C:\\" + std::string(297, 'p');
    // The texts of speed, kind, repeat and music (an empty one is not in the file), whether the music
    // file opens, the decimal mark; what is loaded.
    struct Case { std::string texts[4]; bool opens; char mark; Loaded expected; } cases[] = {
        {{"", "", "", ""}, false, '.', {1, 0, 0, ""}},  // no file: the defaults
        {{" 7", "2.9", " 32767", song}, true, '.', {7, 2, 32767, song}},
        {{"2.7", "-0.5", "-32768", ""}, false, '.', {2, -1, -32768, ""}},
        {{"-2.5", " 1", "+3", song}, false, '.', {-3, 1, 3, ""}},  // the CD needs no file
        // Not a number, beyond the type, a failing read: that value is kept.
        {{"letters", "two", "32768", "!"}, false, '.', {33, 9, 9, "C:\\old.mp3"}},
        {{"1e39", "99999999999", "1,5", ""}, false, '.', {33, 9, 9, ""}},
        {{"!", " 2", "7x", song}, false, '.', {33, 0, 9, ""}},  // a file kind without its file plays nothing
        {{"2,7", "", "", ""}, false, ',', {2, 0, 0, ""}}, {{"2.7", "", "", ""}, false, ',', {33, 0, 0, ""}},
        {{"", " 2", "", longPath}, true, '.', {1, 2, 0, longPath.substr(0, 255)}},  // a 300-byte value comes back cut
    };
    for (const Case& c : cases) {
        ContentReader file;
        for (std::size_t i = 0; i < 4; ++i) {
            if (c.texts[i].empty()) continue;
            const std::string_view key = kSettingsKeys[i].shiftJis;
            file.content = ProfileSetValue(file.content, "Section", key, c.texts[i], IsShiftJisLeadByte);
        }
        file.musicOpens = c.opens;
        SettingsValues v{33, 9, 9, "C:\\old.mp3"};  // values no step sets by itself, so a kept value shows
        LoadSettings(v, file, file, "C:\\Saver\\Spindlewave.ini", c.mark);
        EXPECT_EQ(Loaded(v.RotationSpeed, v.BgmKind, v.BgmRepeat, v.BgmFile), c.expected) << file.content;
    }
    EXPECT_EQ(SettingsPathBeside("C:\\Program Files\\Saver\\Spindlewave.scr"), "C:\\Program Files\\Saver\\Spindlewave.ini");
}

}  // namespace
}  // namespace spindle
